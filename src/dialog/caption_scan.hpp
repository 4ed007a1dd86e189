#pragma once

#include <string>
#include <string_view>

namespace dialog {

// The two length texts a list caption carries.
struct CaptionLengths {
  std::string first;   // width of a size, paper length of a scale
  std::string second;  // height of a size, model length of a scale
};

// Reads "words (W x H)": after the first "(" the width up to the next space; the height after
// the last space before the first ")". Positions are 16-bit character positions: a caption with
// no space after its "(" fails with an overflow (6) where the scan would pass 32767, one without
// ")" or without a space before it fails with an invalid procedure call (5), as reading before
// its first character does. Never reads outside the caption.
CaptionLengths scanSizeCaption(std::string_view caption);

// Reads a scale caption: "P:M unit" (the remainder from the space after M is appended to both
// numbers), or "paper-length words" (the first word, its first "-" made a space, against "12in").
// A caption without the space a scan looks for fails with an overflow (6).
CaptionLengths scanScaleCaption(std::string_view caption);

}  // namespace dialog
