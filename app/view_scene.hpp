#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "reference_host.hpp"

namespace session {

// What the host's view shows, in model metres, whatever draws it: the SVG picture and the
// desktop program's window draw the same scene.

// A rectangle of the model: its first corner and its size; sizes may be negative.
struct SceneRect {
  double x = 0;
  double y = 0;
  double width = 0;
  double height = 0;
};

// An axis-aligned box of the model that grows to take points.
struct SceneBox {
  double minX = 0;
  double minY = 0;
  double maxX = 0;
  double maxY = 0;
  void take(double x, double y);
  void take(const SceneBox& b);
  void take(const SceneRect& r);
  double span() const;
};

// Colours are 0x00BBGGRR, as the host's graphics hold theirs.
inline constexpr std::int32_t kBackgroundColour = 0xF6FAFB;
inline constexpr std::int32_t kWallColour = 0x8F979C;
inline constexpr std::int32_t kFixtureColour = 0xBEC5C9;
inline constexpr std::int32_t kTextColour = 0x949BA0;
inline constexpr std::int32_t kOriginColour = 0x2B39C0;
inline constexpr std::int32_t kSheetBorderColour = 0x327D2E;
inline constexpr std::int32_t kCursorColour = 0x0051E6;
inline constexpr std::int32_t kLabelColour = 0x202020;
// The overlay's outlines are wider than the walls (2 pixels), so that the display sheet stands
// out from them.
inline constexpr double kOutlineWidth = 3;

// A line string of the document's drawing, with the stroke it is drawn with (pixels).
struct SceneLine {
  const refhost::ModelPolyline* line = nullptr;
  std::int32_t colour = 0;
  double width = 1;
};

// One of the overlay's temporary graphics: one of negative width or height is drawn crossed
// out; one that coincides with a graphic drawn before it is dashed, so that the one under it
// shows between its dashes.
struct SceneOutline {
  SceneRect rect;
  std::int32_t colour = 0;
  std::int32_t flag = 0;
  bool inverted = false;
  bool dashed = false;
};

// An entry of the key under the caption: a stroke and what it stands for.
struct SceneKey {
  std::int32_t colour = 0;
  double width = 1;
  bool dashed = false;
  const char* words = "";
};

struct ViewScene {
  // What the view fits: the display sheet (or the sheet border) with the drawing and the model
  // origin, or with room around it alone where it would be small beside the drawing.
  SceneBox extent;
  // The extent's larger side, 1 for an empty extent: the lengths the view is laid out in.
  double span = 1;
  std::vector<SceneLine> lines;
  std::vector<const refhost::ModelText*> texts;  // those not larger than the view shows
  std::optional<SceneRect> sheetBorder;          // where the sheet setup puts the sheet
  std::vector<SceneOutline> overlay;             // the finite ones, in the order shown
  bool anyInverted = false;
  std::optional<refhost::ModelPoint> cursor;  // while a command takes the view's mouse
  std::string caption;                        // the sheet's size and scale
  std::vector<SceneKey> keys;
};

ViewScene viewScene(const refhost::ReferenceHost& host);

// "negative width", "negative height" or both, for an inverted outline's note.
std::string negativeSizeWords(const SceneRect& r);
// `v` with at most `digits` significant digits, as printf's %g writes it (0 for -0).
std::string numberText(double v, int digits);
// 1, 2 or 5 times a power of ten, the largest not above `limit`: a scale bar's length.
double roundLength(double limit);

}  // namespace session
