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

#include "view_scene.hpp"

extern char** environ;

namespace session {
namespace {

// Enough digits that a coordinate read back is the one written, to well below a micrometre.
std::string num(double v) {
  return numberText(v, 10);
}

// A short form for the words of the scale bar.
std::string shortNum(double v) {
  return numberText(v, 6);
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

// An SVG rectangle covering `r` (its sizes made positive), in picture units of `m` metres.
std::string rectAttributes(const SceneRect& r, double m) {
  const double left = std::min(r.x, r.x + r.width);
  const double top = std::max(r.y, r.y + r.height);
  return "x=\"" + num(left / m) + "\" y=\"" + num(-top / m) + "\" width=\"" +
         num(std::abs(r.width) / m) + "\" height=\"" + num(std::abs(r.height) / m) + "\"";
}

// A rectangle of negative width or height, as the host holds it: its outline crossed out from
// corner to corner, so that it does not pass for a small rectangle of positive size.
std::string invertedPath(const SceneRect& r, double m) {
  const std::string x0 = num(r.x / m), x1 = num((r.x + r.width) / m);
  const std::string y0 = num(-r.y / m), y1 = num(-(r.y + r.height) / m);
  return "d=\"M" + x0 + "," + y0 + " H" + x1 + " V" + y1 + " H" + x0 + " Z M" + x0 + "," + y0 +
         " L" + x1 + "," + y1 + " M" + x1 + "," + y0 + " L" + x0 + "," + y1 + "\"";
}

}  // namespace

std::string viewSvg(const refhost::ReferenceHost& host, const std::string& title) {
  const ViewScene scene = viewScene(host);
  const SceneBox& box = scene.extent;
  const double span = scene.span;
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
      << at(width) << "\" height=\"" << at(height) << "\" fill=\"" << cssColour(kBackgroundColour)
      << "\"/>\n";

  // The document's drawing.
  svg << "<g class=\"model\" fill=\"none\" stroke-linejoin=\"round\">\n";
  for (const SceneLine& line : scene.lines) {
    const refhost::ModelPolyline& pl = *line.line;
    svg << "<" << (pl.closed ? "polygon" : "polyline") << " class=\"model " << escaped(pl.layer)
        << "\" points=\"";
    for (std::size_t i = 0; i < pl.points.size(); ++i) {
      svg << (i ? " " : "") << at(pl.points[i].x) << "," << at(-pl.points[i].y);
    }
    svg << "\" stroke=\"" << cssColour(line.colour) << "\" stroke-width=\"" << at(line.width * unit)
        << "\"/>\n";
  }
  for (const refhost::ModelText* t : scene.texts) {
    svg << "<text class=\"model " << escaped(t->layer) << "\" x=\"" << at(t->at.x) << "\" y=\""
        << at(-t->at.y) << "\" font-size=\"" << at(t->height)
        << "\" font-family=\"sans-serif\" fill=\"" << cssColour(kTextColour)
        << "\" text-anchor=\"middle\" dominant-baseline=\"middle\">" << escaped(t->text)
        << "</text>\n";
  }
  svg << "</g>\n";

  // The model origin.
  const double cross = 8 * unit;
  svg << "<path class=\"model-origin\" d=\"M" << at(-cross) << ",0 H" << at(cross) << " M0,"
      << at(-cross) << " V" << at(cross) << "\" stroke=\"" << cssColour(kOriginColour)
      << "\" stroke-width=\"" << at(unit) << "\"/>\n";

  // The sheet border as the sheet setup holds it.
  if (scene.sheetBorder) {
    svg << "<rect class=\"sheet-border\" " << rectAttributes(*scene.sheetBorder, m)
        << " fill=\"none\" stroke=\"" << cssColour(kSheetBorderColour) << "\" stroke-width=\""
        << at(2 * unit) << "\" stroke-dasharray=\"" << at(10 * unit) << "," << at(5 * unit)
        << "\"/>\n";
  }

  // The overlay's temporary graphics, in their own colours.
  for (const SceneOutline& g : scene.overlay) {
    const SceneRect& r = g.rect;
    svg << "<" << (g.inverted ? "path" : "rect") << " class=\"overlay"
        << (g.inverted ? " inverted" : "") << "\" data-colour=\"" << g.colour << "\" data-flag=\""
        << g.flag << "\" data-x=\"" << num(r.x) << "\" data-y=\"" << num(r.y) << "\" data-width=\""
        << num(r.width) << "\" data-height=\"" << num(r.height) << "\" "
        << (g.inverted ? invertedPath(r, m) : rectAttributes(r, m)) << " fill=\"none\" stroke=\""
        << cssColour(g.colour) << "\" stroke-width=\"" << at(kOutlineWidth * unit) << "\"";
    if (g.dashed) svg << " stroke-dasharray=\"" << at(12 * unit) << "," << at(12 * unit) << "\"";
    svg << "/>\n";
    if (g.inverted) {
      svg << "<text class=\"overlay-note\" x=\"" << at(std::min(r.x, r.x + r.width)) << "\" y=\""
          << at(-std::max(r.y, r.y + r.height) - 4 * unit) << "\" font-size=\"" << at(11 * unit)
          << "\" font-family=\"sans-serif\" fill=\"" << cssColour(g.colour) << "\">"
          << negativeSizeWords(r) << "</text>\n";
    }
  }

  // The cursor while a command takes the view's mouse.
  if (scene.cursor) {
    const refhost::ModelPoint cursor = *scene.cursor;
    const double arm = 24 * unit;
    const double gap = 6 * unit;
    svg << "<g class=\"cursor\" data-x=\"" << num(cursor.x) << "\" data-y=\"" << num(cursor.y)
        << "\" fill=\"none\" stroke=\"" << cssColour(kCursorColour) << "\" stroke-width=\""
        << at(2 * unit) << "\">\n<circle cx=\"" << at(cursor.x) << "\" cy=\"" << at(-cursor.y)
        << "\" r=\"" << at(gap) << "\"/>\n<path d=\"M" << at(cursor.x - arm) << "," << at(-cursor.y)
        << " H" << at(cursor.x - gap) << " M" << at(cursor.x + gap) << "," << at(-cursor.y) << " H"
        << at(cursor.x + arm) << " M" << at(cursor.x) << "," << at(-cursor.y - arm) << " V"
        << at(-cursor.y - gap) << " M" << at(cursor.x) << "," << at(-cursor.y + gap) << " V"
        << at(-cursor.y + arm) << "\"/>\n</g>\n";
  }

  // The words and the scale bar are laid out in picture pixels, whatever the model's extent,
  // so that their text is set at an ordinary size.
  svg << "<g class=\"annotations\" transform=\"translate(" << num(left / m) << "," << num(top / m)
      << ") scale(" << num(unit / m) << ")\" font-family=\"sans-serif\">\n";

  // The sheet's size and scale, upper left.
  svg << "<text class=\"caption\" x=\"12\" y=\"26\" font-size=\"14\" fill=\""
      << cssColour(kLabelColour) << "\">" << escaped(scene.caption);
  if (!title.empty()) svg << " \u2014 " << escaped(title);
  svg << "</text>\n";

  // What the kinds of outline are, under the caption.
  double keyX = 12;
  svg << "<g class=\"key\" font-size=\"11\" fill=\"#404040\">\n";
  for (const SceneKey& k : scene.keys) {
    svg << "<path d=\"M" << num(keyX) << ",42 h22\" stroke=\"" << cssColour(k.colour)
        << "\" stroke-width=\"" << num(k.width) << "\""
        << (k.dashed ? " stroke-dasharray=\"4,2\"" : "") << "/><text x=\"" << num(keyX + 28)
        << "\" y=\"46\">" << k.words << "</text>\n";
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
