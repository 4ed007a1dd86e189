#pragma once

#include <array>
#include <string_view>

namespace refhost {

// One of the host's standard paper sizes, in portrait orientation. Standard size number 2k is
// paper k in portrait, 2k + 1 the same paper in landscape (width and height swapped).
struct StandardPaper {
  std::string_view name;        // English name, as the satellite string tables word it
  double width;                 // metres, portrait
  double height;                // metres, portrait
  std::string_view widthText;   // how a caption writes the portrait width, e.g. "210mm"
  std::string_view heightText;  // and the portrait height, e.g. "297mm"
};

// One of the host's standard drawing scales: `paper` on the sheet stands for `model` in the
// model (both metres). Standard scale number j + 1 is entry j.
struct StandardScale {
  std::string_view caption;  // the English caption of the list entry (same in every language)
  double paper;
  double model;
};

inline constexpr int kStandardSizeCount = 48;
inline constexpr int kStandardScaleCount = 45;

extern const std::array<StandardPaper, kStandardSizeCount / 2> kStandardPapers;
extern const std::array<StandardScale, kStandardScaleCount> kStandardScales;

// Width and height of standard size number `index` (0 to 47), metres.
double standardSizeWidth(int index);
double standardSizeHeight(int index);

}  // namespace refhost
