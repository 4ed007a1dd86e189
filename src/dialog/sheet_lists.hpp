#pragma once

namespace command {
class Component;
}
namespace ui {
class ComboBox;
}

namespace dialog {

inline constexpr int kStandardSizeCount = 48;
inline constexpr int kStandardScaleCount = 45;
inline constexpr int kFirstSizeCaptionId = 100;
inline constexpr int kFirstScaleCaptionId = 148;

// Adds the 48 standard sheet sizes (resource strings 100 to 147) to `list`, in order, without
// clearing it or selecting an entry. Guarded.
void PopulateSheetSize(command::Component& c, ui::ComboBox& list);

// Adds the 45 standard scales (resource strings 148 to 192) to `list`, likewise. Guarded.
void PopulateSheetScale(command::Component& c, ui::ComboBox& list);

}  // namespace dialog
