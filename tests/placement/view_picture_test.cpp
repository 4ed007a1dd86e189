// The picture of the host's view, read back from its SVG: where the sheet border and the
// overlay lie on the model, and what the caption says.
#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <regex>

#include "placement/placement_world.hpp"
#include "view_picture.hpp"
#include "view_scene.hpp"
#include "view_transform.hpp"

namespace placement_test {
namespace {

using Attributes = std::map<std::string, std::string>;

// The attributes of every `tag` element whose class list starts with `cls`.
std::vector<Attributes> elements(const std::string& svg, const std::string& tag,
                                 const std::string& cls) {
  std::vector<Attributes> found;
  const std::regex element("<" + tag + R"(\s([^>]*)/?>)");
  const std::regex attribute(R"re(([\w-]+)="([^"]*)")re");
  for (auto it = std::sregex_iterator(svg.begin(), svg.end(), element);
       it != std::sregex_iterator(); ++it) {
    Attributes a;
    const std::string body = (*it)[1];
    for (auto at = std::sregex_iterator(body.begin(), body.end(), attribute);
         at != std::sregex_iterator(); ++at) {
      a[(*at)[1]] = (*at)[2];
    }
    if (a["class"].rfind(cls, 0) == 0) found.push_back(a);
  }
  return found;
}

// Model metres per user unit of the picture.
double metresPerUnit(const std::string& svg) {
  auto root = elements(svg, "svg", "");
  if (root.empty() || !root[0].contains("data-metres-per-unit")) return 1;
  return std::stod(root[0]["data-metres-per-unit"]);
}

// A rectangle read back into model coordinates: lower left corner and size.
struct ModelRect {
  double x, y, width, height;
};

ModelRect modelRect(Attributes& a, double m) {
  const double w = std::stod(a["width"]) * m;
  const double h = std::stod(a["height"]) * m;
  return {std::stod(a["x"]) * m, -(std::stod(a["y"]) * m + h), w, h};
}

// The part of the model the picture shows.
ModelRect viewOf(const std::string& svg) {
  const std::regex viewBox(R"re(viewBox="([-\d.e+]+) ([-\d.e+]+) ([-\d.e+]+) ([-\d.e+]+)")re");
  std::smatch box;
  if (!std::regex_search(svg, box, viewBox)) return {0, 0, 0, 0};
  Attributes a{{"x", box[1]}, {"y", box[2]}, {"width", box[3]}, {"height", box[4]}};
  return modelRect(a, metresPerUnit(svg));
}

// The relative luminance of a "#rrggbb" colour, 0 (black) to 1 (white).
double luminance(const std::string& colour) {
  const unsigned long rgb = std::stoul(colour.substr(1), nullptr, 16);
  return (0.2126 * static_cast<double>((rgb >> 16) & 0xFF) +
          0.7152 * static_cast<double>((rgb >> 8) & 0xFF) +
          0.0722 * static_cast<double>(rgb & 0xFF)) /
         255;
}

void expectRect(const ModelRect& r, double x, double y, double width, double height) {
  EXPECT_NEAR(r.x, x, 1e-6);
  EXPECT_NEAR(r.y, y, 1e-6);
  EXPECT_NEAR(r.width, width, 1e-6);
  EXPECT_NEAR(r.height, height, 1e-6);
}

TEST(ViewPicture, DrawsAnA4SheetAt1To100As21By29Point7ModelMetresWhereTheOriginPutsIt) {
  // The setup's origin is where the model origin lies on the sheet: 50 mm in from the sheet's
  // left edge and 20 mm below its lower edge puts the sheet's corner at (-5, 2) in the model.
  refhost::Environment environment;
  environment.sheet = a4At("1:100 mm", 0.05, -0.02);
  refhost::ReferenceHost host(environment);
  const std::string svg = session::viewSvg(host);

  auto border = elements(svg, "rect", "sheet-border");
  ASSERT_EQ(border.size(), 1u);
  expectRect(modelRect(border[0], metresPerUnit(svg)), -5, 2, 21, 29.7);
  EXPECT_NE(svg.find("A4 portrait, 210 \u00d7 297 mm, scale 1:100"), std::string::npos);
  EXPECT_TRUE(elements(svg, "rect", "overlay").empty());
  // The whole drawing is there, one element per line string.
  EXPECT_EQ(elements(svg, "polyline", "model").size() + elements(svg, "polygon", "model").size(),
            host.drawing().polylines.size());
}

TEST(ViewPicture, TheBorderAfterALeftClickIsWhereTheDisplaySheetWas) {
  Session s(a4At100());
  std::vector<refhost::ShownGraphic> placing;
  std::string placingSvg, placedSvg;
  s.click("cmdMove").move(12.5, -3).probe([&] {
    placing = s.host().shownGraphics();
    placingSvg = session::viewSvg(s.host(), "placing");
  });
  s.mouseClick(1, 12.5, -3).probe([&] { placedSvg = session::viewSvg(s.host()); });
  s.click("cmdOK");
  s.run();

  // While placing: both outlines in their colours, where the overlay shows them, and the
  // cursor marked where the mouse is.
  ASSERT_EQ(placing.size(), 2u);
  auto overlay = elements(placingSvg, "rect", "overlay");
  ASSERT_EQ(overlay.size(), 2u);
  EXPECT_EQ(overlay[0]["stroke"], "#000000");
  EXPECT_EQ(overlay[1]["stroke"], "#0000ff");
  for (std::size_t i = 0; i < 2; ++i) {
    expectRect(modelRect(overlay[i], metresPerUnit(placingSvg)), placing[i].x, placing[i].y,
               placing[i].width, placing[i].height);
  }
  auto cursor = elements(placingSvg, "g", "cursor");
  ASSERT_EQ(cursor.size(), 1u);
  EXPECT_EQ(std::stod(cursor[0]["data-x"]), 12.5);
  EXPECT_EQ(std::stod(cursor[0]["data-y"]), -3);
  // The display sheet stands out from the walls: drawn wider, and the walls a light grey.
  auto walls = elements(placingSvg, "polygon", "model walls");
  auto wallLines = elements(placingSvg, "polyline", "model walls");
  walls.insert(walls.end(), wallLines.begin(), wallLines.end());
  ASSERT_FALSE(walls.empty());
  for (auto& wall : walls) {
    EXPECT_GT(std::stod(overlay[0]["stroke-width"]), std::stod(wall["stroke-width"]));
    EXPECT_GT(luminance(wall["stroke"]) - luminance(overlay[0]["stroke"]), 0.5) << wall["stroke"];
  }
  // Placed: the overlay and the cursor are gone and the sheet setup's border covers the display
  // sheet exactly.
  EXPECT_TRUE(elements(placedSvg, "rect", "overlay").empty());
  EXPECT_TRUE(elements(placedSvg, "g", "cursor").empty());
  auto border = elements(placedSvg, "rect", "sheet-border");
  ASSERT_EQ(border.size(), 1u);
  const double m = metresPerUnit(placedSvg);
  expectRect(modelRect(border[0], m), placing[0].x, placing[0].y, placing[0].width,
             placing[0].height);
  expectRect(modelRect(border[0], m), 12.5, -3, 21, 29.7);
}

// The printable area as the host holds it: crossed out where the offsets give it a negative
// size, dashed over the sheet outline where it coincides with it (no printer).
TEST(ViewPicture, ThePrintableAreaIsDrawnAsWhatItIs) {
  struct Case {
    bool printer;
    std::int32_t offsetX, offsetY;
    const char* note;  // the words beside a crossed-out outline; none for a rectangle
    bool dashed;
  };
  const Case cases[] = {
      {true, 75, 75, nullptr, false},
      {false, 0, 0, nullptr, true},
      {true, 1500, 75, "negative width", false},
      {true, 75, 2000, "negative height", false},
      {true, 1500, 2000, "negative width and height", false},
  };
  for (const Case& c : cases) {
    session::WorldSettings settings = a4At100();
    if (c.printer) {
      settings.printer->offsetX = c.offsetX;
      settings.printer->offsetY = c.offsetY;
    } else {
      settings.printer.reset();
    }
    Session s(settings);
    std::string svg;
    std::vector<refhost::ShownGraphic> shown;
    s.click("cmdMove").probe([&] {
      svg = session::viewSvg(s.host());
      shown = s.host().shownGraphics();
    });
    s.run();
    SCOPED_TRACE(std::to_string(c.offsetX) + ", " + std::to_string(c.offsetY));
    ASSERT_EQ(shown.size(), 2u);
    auto sheet = elements(svg, "rect", "overlay");
    auto crossed = elements(svg, "path", "overlay inverted");
    ASSERT_EQ(sheet.size() + crossed.size(), 2u);
    Attributes printable = c.note ? crossed.at(0) : sheet.at(1);
    EXPECT_EQ(printable["data-colour"], std::to_string(0xFF0000));
    EXPECT_NEAR(std::stod(printable["data-width"]), shown[1].width, 1e-6);
    EXPECT_NEAR(std::stod(printable["data-height"]), shown[1].height, 1e-6);
    EXPECT_EQ(
        svg.find(std::string(">") + (c.note ? c.note : "negative") + "<") != std::string::npos,
        c.note != nullptr);
    EXPECT_EQ(printable.contains("stroke-dasharray"), c.dashed);
    EXPECT_FALSE(sheet.at(0).contains("stroke-dasharray"));
    EXPECT_EQ(printable["stroke-width"], sheet.at(0)["stroke-width"]);
  }
}

// The view shows the sheet at a readable size, with the drawing where the sheet is not small
// beside it.
TEST(ViewPicture, TheViewFitsTheSheetAsWellAsTheDrawing) {
  struct Case {
    double paper, model;  // the scale
    double originX, originY;
    bool wholeDrawing;
  };
  const Case cases[] = {
      {1, 100, 0, 0, true},        // 21 by 29.7 m over a 16 by 10 m plan
      {10, 1, 0, 0, false},        // 21 by 29.7 mm
      {10, 1, -0.3, -0.2, false},  // the same inside the plan
      {1, 1, 0.5, 0.5, false},     // an A4 sheet at full size, away from the plan
  };
  for (const Case& c : cases) {
    refhost::Environment environment;
    environment.sheet = a4At("1:100 mm", c.originX, c.originY);
    environment.sheet.scaleMode = 0;
    environment.sheet.scalePaper = c.paper;
    environment.sheet.scaleModel = c.model;
    refhost::ReferenceHost host(environment);
    const std::string svg = session::viewSvg(host);
    SCOPED_TRACE(std::to_string(c.paper) + ":" + std::to_string(c.model));
    auto border = elements(svg, "rect", "sheet-border");
    ASSERT_EQ(border.size(), 1u);
    const ModelRect sheet = modelRect(border[0], metresPerUnit(svg));
    const ModelRect view = viewOf(svg);
    EXPECT_GE(sheet.x, view.x);
    EXPECT_GE(sheet.y, view.y);
    EXPECT_LE(sheet.x + sheet.width, view.x + view.width);
    EXPECT_LE(sheet.y + sheet.height, view.y + view.height);
    EXPECT_GT(std::max(sheet.width / view.width, sheet.height / view.height), 0.3);
    const refhost::ModelPoint low = host.drawing().lowerLeft();
    const refhost::ModelPoint high = host.drawing().upperRight();
    const bool wholeDrawing = low.x >= view.x && low.y >= view.y && high.x <= view.x + view.width &&
                              high.y <= view.y + view.height;
    EXPECT_EQ(wholeDrawing, c.wholeDrawing);
  }
}

TEST(ViewPicture, ScaleBarIsARoundLengthAndCaptionNamesTheScale) {
  refhost::Environment environment;
  environment.sheet = a4At("1:50 mm");
  environment.sheet.sizeIndex = -2;  // custom
  environment.sheet.width = 0.5;
  refhost::ReferenceHost host(environment);
  const std::string svg = session::viewSvg(host, "a & b");
  EXPECT_NE(svg.find("custom, 500 \u00d7 297 mm, scale 1:50"), std::string::npos);
  EXPECT_NE(svg.find("a &amp; b"), std::string::npos);
  auto bar = elements(svg, "g", "scale-bar");
  ASSERT_EQ(bar.size(), 1u);
  const double length = std::stod(bar[0]["data-length"]);
  const double mantissa = length / std::pow(10.0, std::floor(std::log10(length)));
  auto near = [mantissa](double m) { return std::abs(mantissa - m) < 1e-9; };
  EXPECT_TRUE(near(1) || near(2) || near(5)) << length;
  auto border = elements(svg, "rect", "sheet-border");
  ASSERT_EQ(border.size(), 1u);
  expectRect(modelRect(border[0], metresPerUnit(svg)), 0, 0, 25, 14.85);
}

// What every drawing of the view draws while placing: the walls darker than the rest, the
// border green, the outlines in the overlay's own colours and the cursor where the pointer is.
TEST(ViewPicture, TheSceneWhilePlacingHoldsEachThingInItsColour) {
  Session s(a4At100());
  session::ViewScene scene;
  s.click("cmdMove").move(3, 4).probe([&] { scene = session::viewScene(s.host()); });
  s.run();
  ASSERT_TRUE(scene.sheetBorder && scene.cursor);
  EXPECT_EQ(scene.cursor->x, 3);
  EXPECT_EQ(scene.cursor->y, 4);
  ASSERT_EQ(scene.overlay.size(), 2u);
  EXPECT_EQ(scene.overlay[0].colour, 0x000000);
  EXPECT_EQ(scene.overlay[1].colour, 0xFF0000);
  EXPECT_NEAR(scene.overlay[0].rect.width, 21, 1e-9);
  ASSERT_EQ(scene.lines.size(), s.host().drawing().polylines.size());
  for (const session::SceneLine& line : scene.lines) {
    const bool wall = line.line->layer == "walls";
    EXPECT_EQ(line.colour, wall ? session::kWallColour : session::kFixtureColour);
  }
  EXPECT_EQ(scene.keys.front().colour, session::kSheetBorderColour);
  EXPECT_EQ(scene.keys.back().colour, session::kCursorColour);
  EXPECT_LE(scene.extent.minX, 3);
  EXPECT_GE(scene.extent.maxY, 4);
}

// The window's transform: a fitted box is whole and centred, a zoom keeps the point under the
// cursor, a pan moves the picture by its pixels, and model and window points map both ways.
TEST(ViewPicture, TheWindowTransformFitsZoomsAboutTheCursorAndPans) {
  const session::SceneBox box{-2, -1, 18, 9};  // 20 by 10 m
  struct Case {
    double zoom, atX, atY, panX, panY;
  };
  const Case cases[] = {{1, 0, 0, 0, 0},
                        {2, 100, 50, 0, 0},
                        {0.25, 640, 10, 0, 0},
                        {1, 0, 0, 30, -40},
                        {3, 320, 240, -5, 7}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.zoom);
    session::ViewTransform view;
    view.fit(box, 640, 480);
    const session::ScreenPoint low = view.toScreen(box.minX, box.minY);
    const session::ScreenPoint high = view.toScreen(box.maxX, box.maxY);
    EXPECT_NEAR(low.x + high.x, 640, 1e-9) << "centred";
    EXPECT_NEAR(low.y + high.y, 480, 1e-9);
    EXPECT_GT(low.y, high.y) << "y points down";
    EXPECT_NEAR(high.x - low.x, 640 * (1 - 2 * session::ViewTransform::kFitMargin * 480 / 640),
                1e-9)
        << "the box's width fills the window but for the margin";
    const refhost::ModelPoint under = view.toModel(c.atX, c.atY);
    view.zoomAt(c.zoom, c.atX, c.atY);
    EXPECT_NEAR(view.pixelsPerMetre(), 29.6 * c.zoom, 1e-9);
    const session::ScreenPoint still = view.toScreen(under);
    EXPECT_NEAR(still.x, c.atX, 1e-9);
    EXPECT_NEAR(still.y, c.atY, 1e-9);
    view.panBy(c.panX, c.panY);
    const session::ScreenPoint moved = view.toScreen(under);
    EXPECT_NEAR(moved.x, c.atX + c.panX, 1e-9);
    EXPECT_NEAR(moved.y, c.atY + c.panY, 1e-9);
    const refhost::ModelPoint back = view.toModel(moved.x, moved.y);
    EXPECT_NEAR(back.x, under.x, 1e-9);
    EXPECT_NEAR(back.y, under.y, 1e-9);
  }
  session::ViewTransform view;
  view.fit(box, 640, 480);
  const double fitted = view.pixelsPerMetre();
  for (const double wrong : {0.0, -2.0, std::nan("")}) view.zoomAt(wrong, 1, 1);
  EXPECT_EQ(view.pixelsPerMetre(), fitted) << "a zoom factor that is no scale is ignored";
  view.zoomAt(1e9, 0, 0);
  EXPECT_NEAR(view.pixelsPerMetre(), fitted * session::ViewTransform::kZoomLimit, 1e-6);
}

TEST(ViewPicture, SnapshotFilesAreNamedAfterTheOutputAndTheSnapshot) {
  EXPECT_EQ(session::snapshotPath("out/view.svg", ""), "out/view.svg");
  EXPECT_EQ(session::snapshotPath("out/view.svg", "placing"), "out/view-placing.svg");
  EXPECT_EQ(session::snapshotPath("view.png", "a b/c"), "view-a_b_c.png");
}

}  // namespace
}  // namespace placement_test
