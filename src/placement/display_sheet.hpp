#pragma once

namespace command {
class Component;
}

namespace placement {

// The outline colours, 0x00BBGGRR: the sheet in black, its printable area in blue.
inline constexpr int kSheetOutlineColour = 0;
inline constexpr int kPrintableOutlineColour = 0xFF0000;

// Builds the display sheet from the current history record at model scale, its first corner at
// the model origin, and shows it. Replaces any earlier one. Guarded.
void CreateDisplaySheet(command::Component& c);

// Moves both outlines so that the sheet's first corner lies at (x, y), model metres, and shows
// them again. Creates nothing. Guarded.
void MoveDisplaySheet(command::Component& c, const double& x, const double& y);

}  // namespace placement
