#include "view_picture.hpp"

#include <spawn.h>
#include <sys/wait.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <optional>
#include <sstream>
#include <vector>

#include "standard_sheets.hpp"

extern char** environ;

namespace session {
namespace {

struct Rect {
  double x, y, width, height;  // first corner and size, model metres; sizes may be negative
};

struct Box {
  double minX, minY, maxX, maxY;
  void take(double x, double y) {
    minX = std::min(minX, x);
    minY = std::min(minY, y);
    maxX = std::max(maxX, x);
    maxY = std::max(maxY, y);
  }
  void take(const Box& b) {
    take(b.minX, b.minY);
    take(b.maxX, b.maxY);
  }
  void take(const Rect& r) {
    take(r.x, r.y);
    take(r.x + r.width, r.y + r.height);
  }
  double span() const { return std::max(maxX - minX, maxY - minY); }
};

// Enough digits that a coordinate read back is the one written, to well below a micrometre.
std::string num(double v) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%.10g", v == 0 ? 0.0 : v);
  return buffer;
}

// A short form for the words of the caption and the scale bar.
std::string shortNum(double v) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%.6g", v == 0 ? 0.0 : v);
  return buffer;
}

std::string escaped(const std::string& text) {
  std::string out;
  for (const char c : text) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      default:
        out += c;
    }
  }
  return out;
}

// 0x00BBGGRR as "#rrggbb".
std::string cssColour(std::int32_t colour) {
  const auto c = static_cast<std::uint32_t>(colour);
  char buffer[8];
  std::snprintf(buffer, sizeof buffer, "#%02x%02x%02x", c & 0xFFu, (c >> 8) & 0xFFu,
                (c >> 16) & 0xFFu);
  return buffer;
}

// The overlay's outlines, in picture pixels: wider than the walls (2), so that the display
// sheet stands out from them.
constexpr double kOutlineWidth = 3;
constexpr const char* kWallColour = "#9c978f";
constexpr const char* kCursorColour = "#e65100";

// An SVG rectangle covering `r` (its sizes made positive), in picture units of `m` metres.
std::string rectAttributes(const Rect& r, double m) {
  const double left = std::min(r.x, r.x + r.width);
  const double top = std::max(r.y, r.y + r.height);
  return "x=\"" + num(left / m) + "\" y=\"" + num(-top / m) + "\" width=\"" +
         num(std::abs(r.width) / m) + "\" height=\"" + num(std::abs(r.height) / m) + "\"";
}

// A rectangle of negative width or height, as the host holds it: its outline crossed out from
// corner to corner, so that it does not pass for a small rectangle of positive size.
std::string invertedPath(const Rect& r, double m) {
  const std::string x0 = num(r.x / m), x1 = num((r.x + r.width) / m);
  const std::string y0 = num(-r.y / m), y1 = num(-(r.y + r.height) / m);
  return "d=\"M" + x0 + "," + y0 + " H" + x1 + " V" + y1 + " H" + x0 + " Z M" + x0 + "," + y0 +
         " L" + x1 + "," + y1 + " M" + x1 + "," + y0 + " L" + x0 + "," + y1 + "\"";
}

std::string negativeSizeWords(const Rect& r) {
  if (r.width < 0 && r.height < 0) return "negative width and height";
  return r.width < 0 ? "negative width" : "negative height";
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

// 1, 2 or 5 times a power of ten, the largest not above `limit`.
double roundLength(double limit) {
  const double power = std::pow(10.0, std::floor(std::log10(limit)));
  for (const double step : {5.0, 2.0, 1.0}) {
    if (step * power <= limit) return step * power;
  }
  return power;
}

}  // namespace

std::string viewSvg(const refhost::ReferenceHost& host, const std::string& title) {
  const refhost::ModelDrawing& drawing = host.drawing();
  const refhost::SheetSetupState& sheet = host.sheetSetup();
  const auto& overlay = host.shownGraphics();

  // The sheet on the model: the setup's origin is where the model origin lies on the sheet,
  // so the sheet's first corner is at -origin / factor, and each paper length is 1 / factor
  // model lengths.
  const double factor = sheet.scalePaper / sheet.scaleModel;
  const bool sheetDrawable = std::isfinite(factor) && factor > 0 &&
                             std::isfinite(sheet.originX / factor) &&
                             std::isfinite(sheet.width / factor);
  const Rect border = sheetDrawable ? Rect{-sheet.originX / factor, -sheet.originY / factor,
                                           sheet.width / factor, sheet.height / factor}
                                    : Rect{0, 0, 0, 0};
  std::vector<Rect> graphics;
  for (const auto& g : overlay) {
    if (std::isfinite(g.x + g.y + g.width + g.height))
      graphics.push_back({g.x, g.y, g.width, g.height});
  }
  const bool placing = host.mouseInputEnabled() && host.pointer() &&
                       std::isfinite(host.pointer()->x + host.pointer()->y);

  // What the view is about: the display sheet and the cursor placing it while there are any,
  // else the sheet border. The view shows it with the drawing and the model origin, unless it
  // would be small there: then it shows it with room around it, so that a small sheet at an
  // enlarging scale is still seen.
  std::optional<Box> focus;
  auto takeFocus = [&focus](const Rect& r) {
    if (!focus) focus = Box{r.x, r.y, r.x, r.y};
    focus->take(r);
  };
  for (const Rect& r : graphics) takeFocus(r);
  if (placing) takeFocus({host.pointer()->x, host.pointer()->y, 0, 0});
  if (!focus && sheetDrawable) takeFocus(border);
  Box box{0, 0, 0, 0};  // holds the model origin
  for (const auto& pl : drawing.polylines) {
    for (const auto& p : pl.points) box.take(p.x, p.y);
  }
  if (sheetDrawable) box.take(border);
  if (focus) {
    box.take(*focus);
    const double focusSpan = focus->span();
    if (focusSpan > 0 && focusSpan < box.span() / 5) {
      const double room = focusSpan * 0.75;
      box = {focus->minX - room, focus->minY - room, focus->maxX + room, focus->maxY + room};
    }
  }

  const double span = box.span() > 0 ? box.span() : 1.0;
  const double pad = span * 0.06;
  const double unit = span / 900;  // model metres per picture pixel
  const double captionHeight = 64 * unit;
  const double barRoom = 40 * unit;
  const double left = box.minX - pad;
  const double top = -(box.maxY + pad) - captionHeight;
  const double width = box.maxX - box.minX + 2 * pad;
  const double height = box.maxY - box.minY + 2 * pad + captionHeight + barRoom;
  // The picture's user unit: a power of ten of model metres that makes the view a few hundred
  // units wide, so that no length in it is too small for a renderer to draw (dashes of less
  // than a thousandth of a unit come out solid).
  const double m = std::pow(10.0, std::floor(std::log10(span)) - 2);
  auto at = [m](double metres) { return num(metres / m); };

  std::ostringstream svg;
  svg << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
      << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" << num(std::round(width / unit))
      << "\" height=\"" << num(std::round(height / unit)) << "\" data-metres-per-unit=\"" << num(m)
      << "\" viewBox=\"" << at(left) << " " << at(top) << " " << at(width) << " " << at(height)
      << "\">\n";
  svg << "<rect class=\"background\" x=\"" << at(left) << "\" y=\"" << at(top) << "\" width=\""
      << at(width) << "\" height=\"" << at(height) << "\" fill=\"#fbfaf6\"/>\n";

  // The document's drawing, in greys light enough that the outlines over it stand out.
  svg << "<g class=\"model\" fill=\"none\" stroke-linejoin=\"round\">\n";
  for (const auto& pl : drawing.polylines) {
    const bool wall = pl.layer == "walls";
    svg << "<" << (pl.closed ? "polygon" : "polyline") << " class=\"model " << escaped(pl.layer)
        << "\" points=\"";
    for (std::size_t i = 0; i < pl.points.size(); ++i) {
      svg << (i ? " " : "") << at(pl.points[i].x) << "," << at(-pl.points[i].y);
    }
    svg << "\" stroke=\"" << (wall ? kWallColour : "#c9c5be") << "\" stroke-width=\""
        << at((wall ? 2 : 1) * unit) << "\"/>\n";
  }
  for (const auto& t : drawing.texts) {
    if (t.height > span / 4) continue;  // larger than the view shows of it
    svg << "<text class=\"model " << escaped(t.layer) << "\" x=\"" << at(t.at.x) << "\" y=\""
        << at(-t.at.y) << "\" font-size=\"" << at(t.height)
        << "\" font-family=\"sans-serif\" fill=\"#a09b94\" text-anchor=\"middle\" "
           "dominant-baseline=\"middle\">"
        << escaped(t.text) << "</text>\n";
  }
  svg << "</g>\n";

  // The model origin.
  const double cross = 8 * unit;
  svg << "<path class=\"model-origin\" d=\"M" << at(-cross) << ",0 H" << at(cross) << " M0,"
      << at(-cross) << " V" << at(cross) << "\" stroke=\"#c0392b\" stroke-width=\"" << at(unit)
      << "\"/>\n";

  // The sheet border as the sheet setup holds it.
  if (sheetDrawable) {
    svg << "<rect class=\"sheet-border\" " << rectAttributes(border, m)
        << " fill=\"none\" stroke=\"#2e7d32\" stroke-width=\"" << at(2 * unit)
        << "\" stroke-dasharray=\"" << at(10 * unit) << "," << at(5 * unit) << "\"/>\n";
  }

  // The overlay's temporary graphics, in their own colours. One that coincides with a graphic
  // drawn before it (the printable area of a sheet without a printer) is dashed, so that the one
  // under it shows between its dashes.
  bool anyInverted = false;
  std::vector<Rect> drawn;
  for (const auto& g : overlay) {
    const Rect r{g.x, g.y, g.width, g.height};
    if (!std::isfinite(g.x + g.y + g.width + g.height)) continue;
    const bool inverted = r.width < 0 || r.height < 0;
    anyInverted = anyInverted || inverted;
    const bool coincides = std::any_of(drawn.begin(), drawn.end(), [&r, unit](const Rect& d) {
      return std::abs(d.x - r.x) < unit && std::abs(d.y - r.y) < unit &&
             std::abs(d.width - r.width) < unit && std::abs(d.height - r.height) < unit;
    });
    drawn.push_back(r);
    svg << "<" << (inverted ? "path" : "rect") << " class=\"overlay"
        << (inverted ? " inverted" : "") << "\" data-colour=\"" << g.colour << "\" data-flag=\""
        << g.flag << "\" data-x=\"" << num(r.x) << "\" data-y=\"" << num(r.y) << "\" data-width=\""
        << num(r.width) << "\" data-height=\"" << num(r.height) << "\" "
        << (inverted ? invertedPath(r, m) : rectAttributes(r, m)) << " fill=\"none\" stroke=\""
        << cssColour(g.colour) << "\" stroke-width=\"" << at(kOutlineWidth * unit) << "\"";
    if (coincides) svg << " stroke-dasharray=\"" << at(12 * unit) << "," << at(12 * unit) << "\"";
    svg << "/>\n";
    if (inverted) {
      svg << "<text class=\"overlay-note\" x=\"" << at(std::min(r.x, r.x + r.width)) << "\" y=\""
          << at(-std::max(r.y, r.y + r.height) - 4 * unit) << "\" font-size=\"" << at(11 * unit)
          << "\" font-family=\"sans-serif\" fill=\"" << cssColour(g.colour) << "\">"
          << negativeSizeWords(r) << "</text>\n";
    }
  }

  // The cursor while a command takes the view's mouse.
  if (placing) {
    const refhost::ModelPoint cursor = *host.pointer();
    const double arm = 24 * unit;
    const double gap = 6 * unit;
    svg << "<g class=\"cursor\" data-x=\"" << num(cursor.x) << "\" data-y=\"" << num(cursor.y)
        << "\" fill=\"none\" stroke=\"" << kCursorColour << "\" stroke-width=\"" << at(2 * unit)
        << "\">\n<circle cx=\"" << at(cursor.x) << "\" cy=\"" << at(-cursor.y) << "\" r=\""
        << at(gap) << "\"/>\n<path d=\"M" << at(cursor.x - arm) << "," << at(-cursor.y) << " H"
        << at(cursor.x - gap) << " M" << at(cursor.x + gap) << "," << at(-cursor.y) << " H"
        << at(cursor.x + arm) << " M" << at(cursor.x) << "," << at(-cursor.y - arm) << " V"
        << at(-cursor.y - gap) << " M" << at(cursor.x) << "," << at(-cursor.y + gap) << " V"
        << at(-cursor.y + arm) << "\"/>\n</g>\n";
  }

  // The words and the scale bar are laid out in picture pixels, whatever the model's extent,
  // so that their text is set at an ordinary size.
  svg << "<g class=\"annotations\" transform=\"translate(" << num(left / m) << "," << num(top / m)
      << ") scale(" << num(unit / m) << ")\" font-family=\"sans-serif\">\n";

  // The sheet's size and scale, upper left.
  std::string caption = sizeName(sheet) + ", " + shortNum(sheet.width * 1000) + " \u00d7 " +
                        shortNum(sheet.height * 1000) + " mm, scale " +
                        (std::isfinite(factor) && factor > 0 ? scaleText(factor) : "undefined");
  svg << "<text class=\"caption\" x=\"12\" y=\"26\" font-size=\"14\" fill=\"#202020\">"
      << escaped(caption);
  if (!title.empty()) svg << " \u2014 " << escaped(title);
  svg << "</text>\n";

  // What the kinds of outline are, under the caption.
  struct Key {
    const char* colour;
    double width;
    bool dashed;
    const char* words;
  };
  std::vector<Key> keys = {{"#2e7d32", 2, true, "sheet border (sheet setup)"},
                           {"#000000", kOutlineWidth, false, "display sheet"},
                           {"#0000ff", kOutlineWidth, false, "printable area"}};
  if (anyInverted) keys.push_back({"#0000ff", kOutlineWidth, false, "crossed: negative size"});
  if (placing) keys.push_back({kCursorColour, 2, false, "cursor"});
  double keyX = 12;
  svg << "<g class=\"key\" font-size=\"11\" fill=\"#404040\">\n";
  for (const Key& k : keys) {
    svg << "<path d=\"M" << num(keyX) << ",42 h22\" stroke=\"" << k.colour << "\" stroke-width=\""
        << num(k.width) << "\"" << (k.dashed ? " stroke-dasharray=\"4,2\"" : "") << "/><text x=\""
        << num(keyX + 28) << "\" y=\"46\">" << k.words << "</text>\n";
    keyX += 40 + 6.5 * static_cast<double>(std::strlen(k.words));
  }
  svg << "</g>\n";

  // A scale bar, lower left: four segments, the bar about a fifth of the picture's width.
  const double barLength = roundLength(width / 5);
  const double barPixels = barLength / unit;
  const double barY = height / unit - 22;
  svg << "<g class=\"scale-bar\" data-length=\"" << num(barLength) << "\">\n";
  for (int i = 0; i < 4; ++i) {
    svg << "<rect x=\"" << num(12 + barPixels * i / 4) << "\" y=\"" << num(barY) << "\" width=\""
        << num(barPixels / 4) << "\" height=\"5\" fill=\"" << (i % 2 ? "#ffffff" : "#202020")
        << "\" stroke=\"#202020\" stroke-width=\"0.5\"/>\n";
  }
  svg << "<text x=\"" << num(12 + barPixels + 6) << "\" y=\"" << num(barY + 5)
      << "\" font-size=\"12\" fill=\"#202020\">" << shortNum(barLength) << " m</text>\n</g>\n";
  svg << "</g>\n";
  svg << "</svg>\n";
  return svg.str();
}

std::filesystem::path snapshotPath(const std::filesystem::path& out, const std::string& name) {
  if (name.empty()) return out;
  std::string safe;
  for (const char c : name) {
    const bool kept = std::isalnum(static_cast<unsigned char>(c)) != 0 || c == '-' || c == '_';
    safe += kept ? c : '_';
  }
  std::filesystem::path path = out;
  path.replace_filename(out.stem().string() + "-" + safe + out.extension().string());
  return path;
}

std::string renderPng(const std::filesystem::path& svg, const std::filesystem::path& png) {
  const std::string program = "rsvg-convert";
  std::vector<std::string> words{program, "--format=png", "--output=" + png.string(), svg.string()};
  std::vector<char*> argv;
  for (std::string& w : words) argv.push_back(w.data());
  argv.push_back(nullptr);
  pid_t pid = 0;
  const int spawned = posix_spawnp(&pid, program.c_str(), nullptr, nullptr, argv.data(), environ);
  if (spawned != 0) {
    return program +
           " could not be started (install librsvg2-bin): " + std::string(std::strerror(spawned));
  }
  int status = 0;
  if (waitpid(pid, &status, 0) < 0) return program + " was lost";
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
    return program + " failed on " + svg.string();
  }
  return {};
}

}  // namespace session
