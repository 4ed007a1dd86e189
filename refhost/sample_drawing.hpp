#pragma once

#include <string>
#include <vector>

namespace refhost {

// A point of the model, metres.
struct ModelPoint {
  double x = 0;
  double y = 0;
};

// A line string of the model; closed ones end where they began.
struct ModelPolyline {
  std::string layer;  // "walls", "doors", "windows", "fixtures"
  std::vector<ModelPoint> points;
  bool closed = false;
};

// A text of the model, anchored at its middle.
struct ModelText {
  std::string layer;
  ModelPoint at;
  double height = 0;  // metres in the model
  std::string text;
};

// The geometry of the host's document: what its view draws under the temporary graphics.
struct ModelDrawing {
  std::vector<ModelPolyline> polylines;
  std::vector<ModelText> texts;

  // The smallest rectangle holding every point and text anchor; all zero for an empty drawing.
  ModelPoint lowerLeft() const;
  ModelPoint upperRight() const;
};

// The document the reference host opens with: the ground floor of a small house, 16 by 10
// metres, its outer corner at the model origin.
ModelDrawing sampleFloorPlan();

}  // namespace refhost
