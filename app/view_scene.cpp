#include "view_scene.hpp"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "standard_sheets.hpp"

namespace session {
namespace {

// A short form for the words of the caption.
std::string shortNum(double v) {
  return numberText(v, 6);
}

std::string sizeName(const refhost::SheetSetupState& s) {
  if (s.sizeIndex >= 0 && s.sizeIndex < refhost::kStandardSizeCount) {
    const auto& paper = refhost::kStandardPapers.at(static_cast<std::size_t>(s.sizeIndex / 2));
    return std::string(paper.name) + (s.sizeIndex % 2 == 0 ? " portrait" : " landscape");
  }
  return s.sizeIndex == -1 ? "printer's page" : "custom";
}

std::string scaleText(double factor) {
  if (factor <= 1) return "1:" + shortNum(1 / factor);
  return shortNum(factor) + ":1";
}

bool finite(const refhost::ShownGraphic& g) {
  return std::isfinite(g.x + g.y + g.width + g.height);
}

}  // namespace

void SceneBox::take(double x, double y) {
  minX = std::min(minX, x);
  minY = std::min(minY, y);
  maxX = std::max(maxX, x);
  maxY = std::max(maxY, y);
}

void SceneBox::take(const SceneBox& b) {
  take(b.minX, b.minY);
  take(b.maxX, b.maxY);
}

void SceneBox::take(const SceneRect& r) {
  take(r.x, r.y);
  take(r.x + r.width, r.y + r.height);
}

double SceneBox::span() const {
  return std::max(maxX - minX, maxY - minY);
}

ViewScene viewScene(const refhost::ReferenceHost& host) {
  const refhost::ModelDrawing& drawing = host.drawing();
  const refhost::SheetSetupState& sheet = host.sheetSetup();
  const auto& shown = host.shownGraphics();
  ViewScene scene;

  // The sheet on the model: the setup's origin is where the model origin lies on the sheet,
  // so the sheet's first corner is at -origin / factor, and each paper length is 1 / factor
  // model lengths.
  const double factor = sheet.scalePaper / sheet.scaleModel;
  if (std::isfinite(factor) && factor > 0 && std::isfinite(sheet.originX / factor) &&
      std::isfinite(sheet.width / factor)) {
    scene.sheetBorder = SceneRect{-sheet.originX / factor, -sheet.originY / factor,
                                  sheet.width / factor, sheet.height / factor};
  }
  if (host.mouseInputEnabled() && host.pointer() &&
      std::isfinite(host.pointer()->x + host.pointer()->y)) {
    scene.cursor = *host.pointer();
  }

  // What the view is about: the display sheet and the cursor placing it while there are any,
  // else the sheet border. The view shows it with the drawing and the model origin, unless it
  // would be small there: then it shows it with room around it, so that a small sheet at an
  // enlarging scale is still seen.
  std::optional<SceneBox> focus;
  auto takeFocus = [&focus](const SceneRect& r) {
    if (!focus) focus = SceneBox{r.x, r.y, r.x, r.y};
    focus->take(r);
  };
  for (const auto& g : shown) {
    if (finite(g)) takeFocus({g.x, g.y, g.width, g.height});
  }
  if (scene.cursor) takeFocus({scene.cursor->x, scene.cursor->y, 0, 0});
  if (!focus && scene.sheetBorder) takeFocus(*scene.sheetBorder);
  SceneBox box;  // holds the model origin
  for (const auto& pl : drawing.polylines) {
    for (const auto& p : pl.points) box.take(p.x, p.y);
  }
  if (scene.sheetBorder) box.take(*scene.sheetBorder);
  if (focus) {
    box.take(*focus);
    const double focusSpan = focus->span();
    if (focusSpan > 0 && focusSpan < box.span() / 5) {
      const double room = focusSpan * 0.75;
      box = {focus->minX - room, focus->minY - room, focus->maxX + room, focus->maxY + room};
    }
  }
  scene.extent = box;
  scene.span = box.span() > 0 ? box.span() : 1.0;

  // The document's drawing, in greys light enough that the outlines over it stand out.
  for (const auto& pl : drawing.polylines) {
    const bool wall = pl.layer == "walls";
    scene.lines.push_back({&pl, wall ? kWallColour : kFixtureColour, wall ? 2.0 : 1.0});
  }
  for (const auto& t : drawing.texts) {
    if (t.height <= scene.span / 4) scene.texts.push_back(&t);
  }

  // The overlay's graphics; coinciding means within a pixel of a view 900 pixels across.
  const double pixel = scene.span / 900;
  for (const auto& g : shown) {
    if (!finite(g)) continue;
    SceneOutline outline{{g.x, g.y, g.width, g.height}, g.colour, g.flag, false, false};
    const SceneRect& r = outline.rect;
    outline.inverted = r.width < 0 || r.height < 0;
    outline.dashed =
        std::any_of(scene.overlay.begin(), scene.overlay.end(), [&r, pixel](const SceneOutline& d) {
          return std::abs(d.rect.x - r.x) < pixel && std::abs(d.rect.y - r.y) < pixel &&
                 std::abs(d.rect.width - r.width) < pixel &&
                 std::abs(d.rect.height - r.height) < pixel;
        });
    scene.anyInverted = scene.anyInverted || outline.inverted;
    scene.overlay.push_back(outline);
  }

  scene.caption = sizeName(sheet) + ", " + shortNum(sheet.width * 1000) + " \u00d7 " +
                  shortNum(sheet.height * 1000) + " mm, scale " +
                  (std::isfinite(factor) && factor > 0 ? scaleText(factor) : "undefined");
  scene.keys = {{kSheetBorderColour, 2, true, "sheet border (sheet setup)"},
                {0x000000, kOutlineWidth, false, "display sheet"},
                {0xFF0000, kOutlineWidth, false, "printable area"}};
  if (scene.anyInverted)
    scene.keys.push_back({0xFF0000, kOutlineWidth, false, "crossed: negative size"});
  if (scene.cursor) scene.keys.push_back({kCursorColour, 2, false, "cursor"});
  return scene;
}

std::string numberText(double v, int digits) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%.*g", digits, v == 0 ? 0.0 : v);
  return buffer;
}

std::string negativeSizeWords(const SceneRect& r) {
  if (r.width < 0 && r.height < 0) return "negative width and height";
  return r.width < 0 ? "negative width" : "negative height";
}

double roundLength(double limit) {
  const double power = std::pow(10.0, std::floor(std::log10(limit)));
  for (const double step : {5.0, 2.0, 1.0}) {
    if (step * power <= limit) return step * power;
  }
  return power;
}

}  // namespace session
