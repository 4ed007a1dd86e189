#include "windows/desktop/scene_painter.hpp"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "windows/handles/gdi.hpp"
#include "windows/platform/ansi_codec.hpp"

namespace windows::desktop {
namespace {

COLORREF colourOf(std::int32_t colour) {
  return static_cast<COLORREF>(colour) & 0x00FFFFFFu;
}

POINT pixel(const session::ViewTransform& view, double x, double y) {
  const session::ScreenPoint p = view.toScreen(x, y);
  // Far outside the window GDI's coordinates overflow; clamped there, a line keeps its way.
  constexpr double kLimit = 1 << 26;
  return {static_cast<LONG>(std::lround(std::clamp(p.x, -kLimit, kLimit))),
          static_cast<LONG>(std::lround(std::clamp(p.y, -kLimit, kLimit)))};
}

// A pen `width` pixels wide at 96 DPI; a dashed one draws 10 pixels and leaves 5.
HPEN createPen(const DpiScale& dpi, std::int32_t colour, double width, bool dashed) {
  LOGBRUSH brush{BS_SOLID, colourOf(colour), 0};
  const DWORD pixels = static_cast<DWORD>(std::max(1L, std::lround(dpi.pixels(width))));
  const DWORD dashes[] = {static_cast<DWORD>(dpi.pixels(10)), static_cast<DWORD>(dpi.pixels(5))};
  return ExtCreatePen(
      PS_GEOMETRIC | PS_ENDCAP_FLAT | PS_JOIN_MITER | (dashed ? PS_USERSTYLE : PS_SOLID), pixels,
      &brush, dashed ? 2 : 0, dashed ? dashes : nullptr);
}

// A pen selected into a DC for its scope.
class ScopedPen {
 public:
  ScopedPen(HDC dc, const DpiScale& dpi, std::int32_t colour, double width, bool dashed)
      : pen_(createPen(dpi, colour, width, dashed)), selected_(dc, pen_.get()) {}

 private:
  UniquePen pen_;
  Selection selected_;  // selected out before the pen is deleted
};

void fill(HDC dc, const RECT& area, COLORREF colour) {
  const UniqueBrush brush(CreateSolidBrush(colour));
  FillRect(dc, &area, brush.get());
}

void outline(HDC dc, const session::ViewTransform& view, const session::SceneRect& r,
             bool crossed) {
  const POINT corners[] = {pixel(view, r.x, r.y), pixel(view, r.x + r.width, r.y),
                           pixel(view, r.x + r.width, r.y + r.height),
                           pixel(view, r.x, r.y + r.height), pixel(view, r.x, r.y)};
  Polyline(dc, corners, 5);
  if (!crossed) return;
  const POINT first[] = {corners[0], corners[2]};
  const POINT second[] = {corners[1], corners[3]};
  Polyline(dc, first, 2);
  Polyline(dc, second, 2);
}

void text(HDC dc, int x, int y, int height, std::int32_t colour, const std::string& utf8,
          UINT align) {
  const UniqueFont font(CreateFontW(-height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                                    DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                    DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, L"Arial"));
  const Selection selected(dc, font.get());
  SetTextColor(dc, colourOf(colour));
  SetTextAlign(dc, align);
  const std::wstring wide = wideFromUtf8(utf8);
  TextOutW(dc, x, y, wide.c_str(), static_cast<int>(wide.size()));
}

std::string lengthWords(double metres) {
  return session::numberText(metres, 6) + " m";
}

}  // namespace

void paintScene(HDC dc, int width, int height, const session::ViewScene& scene,
                const session::ViewTransform& view, const DpiScale& dpi) {
  fill(dc, RECT{0, 0, width, height}, colourOf(session::kBackgroundColour));
  SetBkMode(dc, TRANSPARENT);
  const double scale = view.pixelsPerMetre();

  std::vector<POINT> points;
  for (const session::SceneLine& line : scene.lines) {
    points.clear();
    for (const auto& p : line.line->points) points.push_back(pixel(view, p.x, p.y));
    if (line.line->closed && !points.empty()) points.push_back(points.front());
    const ScopedPen pen(dc, dpi, line.colour, line.width, false);
    Polyline(dc, points.data(), static_cast<int>(points.size()));
  }
  for (const refhost::ModelText* t : scene.texts) {
    const double pixels = t->height * scale;
    // Too small to read, or larger than the view.
    if (pixels < dpi.pixels(6.0) || pixels > height) continue;
    const POINT at = pixel(view, t->at.x, t->at.y);
    const int size = static_cast<int>(std::lround(pixels));
    text(dc, at.x, at.y - size / 2, size, session::kTextColour, t->text, TA_CENTER | TA_TOP);
  }

  {
    const ScopedPen pen(dc, dpi, session::kOriginColour, 1, false);
    const POINT origin = pixel(view, 0, 0);
    const int arm = dpi.pixels(8);
    const POINT across[] = {{origin.x - arm, origin.y}, {origin.x + arm + 1, origin.y}};
    const POINT down[] = {{origin.x, origin.y - arm}, {origin.x, origin.y + arm + 1}};
    Polyline(dc, across, 2);
    Polyline(dc, down, 2);
  }
  if (scene.sheetBorder) {
    const ScopedPen pen(dc, dpi, session::kSheetBorderColour, 2, true);
    outline(dc, view, *scene.sheetBorder, false);
  }
  for (const session::SceneOutline& g : scene.overlay) {
    const ScopedPen pen(dc, dpi, g.colour, session::kOutlineWidth, g.dashed);
    outline(dc, view, g.rect, g.inverted);
  }
  if (scene.cursor) {
    const ScopedPen pen(dc, dpi, session::kCursorColour, 2, false);
    const POINT c = pixel(view, scene.cursor->x, scene.cursor->y);
    const int ring = dpi.pixels(6);
    const int arm = dpi.pixels(24);
    SelectObject(dc, GetStockObject(NULL_BRUSH));
    Ellipse(dc, c.x - ring, c.y - ring, c.x + ring + 1, c.y + ring + 1);
    const POINT arms[][2] = {{{c.x - arm, c.y}, {c.x - ring, c.y}},
                             {{c.x + ring, c.y}, {c.x + arm, c.y}},
                             {{c.x, c.y - arm}, {c.x, c.y - ring}},
                             {{c.x, c.y + ring}, {c.x, c.y + arm}}};
    for (const auto& stroke : arms) Polyline(dc, stroke, 2);
  }

  // The caption upper left, a scale bar lower left, in window pixels.
  const int margin = dpi.pixels(12);
  text(dc, margin, dpi.pixels(10), dpi.pixels(14), session::kLabelColour, scene.caption,
       TA_LEFT | TA_TOP);
  const double barLength = session::roundLength(width / 5.0 / scale);
  const int barPixels = static_cast<int>(std::lround(barLength * scale));
  for (int i = 0; i < 4; ++i) {
    const RECT segment{margin + barPixels * i / 4, height - dpi.pixels(22),
                       margin + barPixels * (i + 1) / 4, height - dpi.pixels(17)};
    fill(dc, segment, i % 2 ? RGB(255, 255, 255) : colourOf(session::kLabelColour));
  }
  text(dc, margin + dpi.pixels(6) + barPixels, height - dpi.pixels(26), dpi.pixels(12),
       session::kLabelColour, lengthWords(barLength), TA_LEFT | TA_TOP);
}

}  // namespace windows::desktop
