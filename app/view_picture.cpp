#include "view_picture.hpp"

#include <spawn.h>
#include <sys/wait.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <sstream>
#include <vector>

#include "standard_sheets.hpp"

extern char** environ;

namespace session {
namespace {

struct Box {
  double minX, minY, maxX, maxY;
  void take(double x, double y) {
    minX = std::min(minX, x);
    minY = std::min(minY, y);
    maxX = std::max(maxX, x);
    maxY = std::max(maxY, y);
  }
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

struct Rect {
  double x, y, width, height;  // first corner and size, model metres; sizes may be negative
};

// An SVG rectangle covering `r` (its sizes made positive), in picture coordinates.
std::string rectAttributes(const Rect& r) {
  const double left = std::min(r.x, r.x + r.width);
  const double top = std::max(r.y, r.y + r.height);
  return "x=\"" + num(left) + "\" y=\"" + num(-top) + "\" width=\"" + num(std::abs(r.width)) +
         "\" height=\"" + num(std::abs(r.height)) + "\"";
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

  Box box{0, 0, 0, 0};  // always holds the model origin
  for (const auto& pl : drawing.polylines) {
    for (const auto& p : pl.points) box.take(p.x, p.y);
  }
  auto takeRect = [&box](const Rect& r) {
    box.take(r.x, r.y);
    box.take(r.x + r.width, r.y + r.height);
  };
  if (sheetDrawable) takeRect(border);
  for (const auto& g : overlay) {
    if (std::isfinite(g.x + g.y + g.width + g.height)) takeRect({g.x, g.y, g.width, g.height});
  }

  const double span = std::max({box.maxX - box.minX, box.maxY - box.minY, 1.0});
  const double pad = span * 0.06;
  const double unit = span / 900;  // model metres per picture pixel
  const double captionHeight = 64 * unit;
  const double barRoom = 40 * unit;
  const double left = box.minX - pad;
  const double top = -(box.maxY + pad) - captionHeight;
  const double width = box.maxX - box.minX + 2 * pad;
  const double height = box.maxY - box.minY + 2 * pad + captionHeight + barRoom;
  const double bottom = top + height;

  std::ostringstream svg;
  svg << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
      << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" << num(std::round(width / unit))
      << "\" height=\"" << num(std::round(height / unit)) << "\" viewBox=\"" << num(left) << " "
      << num(top) << " " << num(width) << " " << num(height) << "\">\n";
  svg << "<rect class=\"background\" x=\"" << num(left) << "\" y=\"" << num(top) << "\" width=\""
      << num(width) << "\" height=\"" << num(height) << "\" fill=\"#fbfaf6\"/>\n";

  // The document's drawing.
  svg << "<g class=\"model\" fill=\"none\" stroke-linejoin=\"round\">\n";
  for (const auto& pl : drawing.polylines) {
    const bool wall = pl.layer == "walls";
    svg << "<" << (pl.closed ? "polygon" : "polyline") << " class=\"model " << escaped(pl.layer)
        << "\" points=\"";
    for (std::size_t i = 0; i < pl.points.size(); ++i) {
      svg << (i ? " " : "") << num(pl.points[i].x) << "," << num(-pl.points[i].y);
    }
    svg << "\" stroke=\"" << (wall ? "#3b3b3b" : "#8a8a8a") << "\" stroke-width=\""
        << num((wall ? 2 : 1) * unit) << "\"/>\n";
  }
  for (const auto& t : drawing.texts) {
    svg << "<text class=\"model " << escaped(t.layer) << "\" x=\"" << num(t.at.x) << "\" y=\""
        << num(-t.at.y) << "\" font-size=\"" << num(t.height)
        << "\" font-family=\"sans-serif\" fill=\"#6b6b6b\" text-anchor=\"middle\" "
           "dominant-baseline=\"middle\">"
        << escaped(t.text) << "</text>\n";
  }
  svg << "</g>\n";

  // The model origin.
  const double cross = 8 * unit;
  svg << "<path class=\"model-origin\" d=\"M" << num(-cross) << ",0 H" << num(cross) << " M0,"
      << num(-cross) << " V" << num(cross) << "\" stroke=\"#c0392b\" stroke-width=\"" << num(unit)
      << "\"/>\n";

  // The sheet border as the sheet setup holds it.
  if (sheetDrawable) {
    svg << "<rect class=\"sheet-border\" " << rectAttributes(border)
        << " fill=\"none\" stroke=\"#2e7d32\" stroke-width=\"" << num(2 * unit)
        << "\" stroke-dasharray=\"" << num(10 * unit) << "," << num(5 * unit) << "\"/>\n";
  }

  // The overlay's temporary graphics, in their own colours.
  for (const auto& g : overlay) {
    if (!std::isfinite(g.x + g.y + g.width + g.height)) continue;
    svg << "<rect class=\"overlay\" data-colour=\"" << g.colour << "\" data-flag=\"" << g.flag
        << "\" " << rectAttributes({g.x, g.y, g.width, g.height}) << " fill=\"none\" stroke=\""
        << cssColour(g.colour) << "\" stroke-width=\"" << num(1.5 * unit) << "\"/>\n";
  }

  // The sheet's size and scale, upper left.
  const double textSize = 14 * unit;
  std::string caption = sizeName(sheet) + ", " + shortNum(sheet.width * 1000) + " \u00d7 " +
                        shortNum(sheet.height * 1000) + " mm, scale " +
                        (std::isfinite(factor) && factor > 0 ? scaleText(factor) : "undefined");
  svg << "<text class=\"caption\" x=\"" << num(left + 12 * unit) << "\" y=\""
      << num(top + 26 * unit) << "\" font-size=\"" << num(textSize)
      << "\" font-family=\"sans-serif\" fill=\"#202020\">" << escaped(caption);
  if (!title.empty()) svg << " \u2014 " << escaped(title);
  svg << "</text>\n";

  // What the three kinds of outline are, under the caption.
  struct Key {
    const char* colour;
    bool dashed;
    const char* words;
  };
  const Key keys[] = {{"#2e7d32", true, "sheet border (sheet setup)"},
                      {"#000000", false, "display sheet"},
                      {"#0000ff", false, "printable area"}};
  double keyX = left + 12 * unit;
  const double keyY = top + 46 * unit;
  svg << "<g class=\"key\" font-family=\"sans-serif\" font-size=\"" << num(11 * unit)
      << "\" fill=\"#404040\">\n";
  for (const Key& k : keys) {
    svg << "<path d=\"M" << num(keyX) << "," << num(keyY - 4 * unit) << " h" << num(22 * unit)
        << "\" stroke=\"" << k.colour << "\" stroke-width=\"" << num(2 * unit) << "\"";
    if (k.dashed) svg << " stroke-dasharray=\"" << num(4 * unit) << "," << num(2 * unit) << "\"";
    svg << "/><text x=\"" << num(keyX + 28 * unit) << "\" y=\"" << num(keyY) << "\">" << k.words
        << "</text>\n";
    keyX += (40 + 6.5 * static_cast<double>(std::strlen(k.words))) * unit;
  }
  svg << "</g>\n";

  // A scale bar, lower left: four segments, the bar about a fifth of the picture's width.
  const double barLength = roundLength(width / 5);
  const double barX = left + 12 * unit;
  const double barY = bottom - 22 * unit;
  const double barHeight = 5 * unit;
  svg << "<g class=\"scale-bar\" data-length=\"" << num(barLength) << "\">\n";
  for (int i = 0; i < 4; ++i) {
    svg << "<rect x=\"" << num(barX + barLength * i / 4) << "\" y=\"" << num(barY) << "\" width=\""
        << num(barLength / 4) << "\" height=\"" << num(barHeight) << "\" fill=\""
        << (i % 2 ? "#ffffff" : "#202020") << "\" stroke=\"#202020\" "
        << "stroke-width=\"" << num(0.5 * unit) << "\"/>\n";
  }
  svg << "<text x=\"" << num(barX + barLength + 6 * unit) << "\" y=\"" << num(barY + barHeight)
      << "\" font-size=\"" << num(12 * unit) << "\" font-family=\"sans-serif\" fill=\"#202020\">"
      << shortNum(barLength) << " m</text>\n</g>\n";
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
