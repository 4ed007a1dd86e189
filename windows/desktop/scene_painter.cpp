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

HPEN createPen(std::int32_t colour, double width, bool dashed) {
  LOGBRUSH brush{BS_SOLID, colourOf(colour), 0};
  const DWORD pixels = static_cast<DWORD>(std::max(1L, std::lround(width)));
  const DWORD dashes[] = {10, 5};
  return ExtCreatePen(
      PS_GEOMETRIC | PS_ENDCAP_FLAT | PS_JOIN_MITER | (dashed ? PS_USERSTYLE : PS_SOLID), pixels,
      &brush, dashed ? 2 : 0, dashed ? dashes : nullptr);
}

// A pen selected into a DC for its scope.
class ScopedPen {
 public:
  ScopedPen(HDC dc, std::int32_t colour, double width, bool dashed)
      : pen_(createPen(colour, width, dashed)), selected_(dc, pen_.get()) {}

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
                const session::ViewTransform& view) {
  fill(dc, RECT{0, 0, width, height}, colourOf(session::kBackgroundColour));
  SetBkMode(dc, TRANSPARENT);
  const double scale = view.pixelsPerMetre();

  std::vector<POINT> points;
  for (const session::SceneLine& line : scene.lines) {
    points.clear();
    for (const auto& p : line.line->points) points.push_back(pixel(view, p.x, p.y));
    if (line.line->closed && !points.empty()) points.push_back(points.front());
    const ScopedPen pen(dc, line.colour, line.width, false);
    Polyline(dc, points.data(), static_cast<int>(points.size()));
  }
  for (const refhost::ModelText* t : scene.texts) {
    const double pixels = t->height * scale;
    if (pixels < 6 || pixels > height) continue;  // too small to read, or larger than the view
    const POINT at = pixel(view, t->at.x, t->at.y);
    const int size = static_cast<int>(std::lround(pixels));
    text(dc, at.x, at.y - size / 2, size, session::kTextColour, t->text, TA_CENTER | TA_TOP);
  }

  {
    const ScopedPen pen(dc, session::kOriginColour, 1, false);
    const POINT origin = pixel(view, 0, 0);
    const POINT across[] = {{origin.x - 8, origin.y}, {origin.x + 9, origin.y}};
    const POINT down[] = {{origin.x, origin.y - 8}, {origin.x, origin.y + 9}};
    Polyline(dc, across, 2);
    Polyline(dc, down, 2);
  }
  if (scene.sheetBorder) {
    const ScopedPen pen(dc, session::kSheetBorderColour, 2, true);
    outline(dc, view, *scene.sheetBorder, false);
  }
  for (const session::SceneOutline& g : scene.overlay) {
    const ScopedPen pen(dc, g.colour, session::kOutlineWidth, g.dashed);
    outline(dc, view, g.rect, g.inverted);
  }
  if (scene.cursor) {
    const ScopedPen pen(dc, session::kCursorColour, 2, false);
    const POINT c = pixel(view, scene.cursor->x, scene.cursor->y);
    SelectObject(dc, GetStockObject(NULL_BRUSH));
    Ellipse(dc, c.x - 6, c.y - 6, c.x + 7, c.y + 7);
    const POINT arms[][2] = {{{c.x - 24, c.y}, {c.x - 6, c.y}},
                             {{c.x + 6, c.y}, {c.x + 24, c.y}},
                             {{c.x, c.y - 24}, {c.x, c.y - 6}},
                             {{c.x, c.y + 6}, {c.x, c.y + 24}}};
    for (const auto& arm : arms) Polyline(dc, arm, 2);
  }

  // The caption upper left, a scale bar lower left, in window pixels.
  text(dc, 12, 10, 14, session::kLabelColour, scene.caption, TA_LEFT | TA_TOP);
  const double barLength = session::roundLength(width / 5.0 / scale);
  const int barPixels = static_cast<int>(std::lround(barLength * scale));
  for (int i = 0; i < 4; ++i) {
    const RECT segment{12 + barPixels * i / 4, height - 22, 12 + barPixels * (i + 1) / 4,
                       height - 17};
    fill(dc, segment, i % 2 ? RGB(255, 255, 255) : colourOf(session::kLabelColour));
  }
  text(dc, 18 + barPixels, height - 26, 12, session::kLabelColour, lengthWords(barLength),
       TA_LEFT | TA_TOP);
}

}  // namespace windows::desktop
