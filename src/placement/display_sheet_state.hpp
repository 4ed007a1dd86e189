#pragma once

#include "host/graphic_views.hpp"

namespace placement {

// The display sheet: the two temporary graphics and where each was last moved to. Each outline
// keeps its own last point, so that a move that failed for one of them does not leave the next
// move putting it off the cursor.
struct DisplaySheetState {
  host::HostGraphic SheetOutline;
  host::HostGraphic PrintableOutline;
  // Both outlines were made and shaped; until then a mouse move has nothing to move.
  bool Created = false;
  double DisplayLastX = 0;  // the sheet outline's first corner, model metres
  double DisplayLastY = 0;
  double PrintableLastX = 0;  // the cursor point the printable outline was last moved to
  double PrintableLastY = 0;
  double DisplayMarginY = 0;  // printer offsets, metres on paper, as at creation
  double DisplayMarginX = 0;
};

}  // namespace placement
