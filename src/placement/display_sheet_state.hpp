#pragma once

#include "host/graphic_views.hpp"

namespace placement {

// The display sheet: the two temporary graphics and where they were last moved to.
struct DisplaySheetState {
  host::HostGraphic SheetOutline;
  host::HostGraphic PrintableOutline;
  double DisplayLastX = 0;  // model metres
  double DisplayLastY = 0;
  double DisplayMarginY = 0;  // printer offsets, metres on paper, as at creation
  double DisplayMarginX = 0;
};

}  // namespace placement
