// The picture of the host's view, read back from its SVG: where the sheet border and the
// overlay lie on the model, and what the caption says.
#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <regex>

#include "placement/placement_world.hpp"
#include "view_picture.hpp"

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

// A rectangle read back into model coordinates: lower left corner and size.
struct ModelRect {
  double x, y, width, height;
};

ModelRect modelRect(Attributes& a) {
  const double w = std::stod(a["width"]);
  const double h = std::stod(a["height"]);
  return {std::stod(a["x"]), -(std::stod(a["y"]) + h), w, h};
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
  expectRect(modelRect(border[0]), -5, 2, 21, 29.7);
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

  // While placing: both outlines in their colours, where the overlay shows them.
  ASSERT_EQ(placing.size(), 2u);
  auto overlay = elements(placingSvg, "rect", "overlay");
  ASSERT_EQ(overlay.size(), 2u);
  EXPECT_EQ(overlay[0]["stroke"], "#000000");
  EXPECT_EQ(overlay[1]["stroke"], "#0000ff");
  for (std::size_t i = 0; i < 2; ++i) {
    expectRect(modelRect(overlay[i]), placing[i].x, placing[i].y, placing[i].width,
               placing[i].height);
  }
  // Placed: the overlay is gone and the sheet setup's border covers the display sheet exactly.
  EXPECT_TRUE(elements(placedSvg, "rect", "overlay").empty());
  auto border = elements(placedSvg, "rect", "sheet-border");
  ASSERT_EQ(border.size(), 1u);
  expectRect(modelRect(border[0]), placing[0].x, placing[0].y, placing[0].width, placing[0].height);
  expectRect(modelRect(border[0]), 12.5, -3, 21, 29.7);
}

TEST(ViewPicture, NegativeOutlinesAreDrawnOverTheSameAreaAndColoursFollowTheHostsEncoding) {
  session::WorldSettings settings = a4At100();
  settings.printer->offsetX = 1500;  // more than half the page: the printable width is negative
  Session s(settings);
  std::string svg;
  s.click("cmdMove").probe([&] { svg = session::viewSvg(s.host()); });
  s.run();
  const refhost::ShownGraphic printable = s.host().shownGraphics().at(1);
  ASSERT_LT(printable.width, 0);
  auto overlay = elements(svg, "rect", "overlay");
  ASSERT_EQ(overlay.size(), 2u);
  EXPECT_EQ(overlay[1]["data-colour"], std::to_string(0xFF0000));
  expectRect(modelRect(overlay[1]), printable.x + printable.width, printable.y, -printable.width,
             printable.height);
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
  expectRect(modelRect(border[0]), 0, 0, 25, 14.85);
}

TEST(ViewPicture, SnapshotFilesAreNamedAfterTheOutputAndTheSnapshot) {
  EXPECT_EQ(session::snapshotPath("out/view.svg", ""), "out/view.svg");
  EXPECT_EQ(session::snapshotPath("out/view.svg", "placing"), "out/view-placing.svg");
  EXPECT_EQ(session::snapshotPath("view.png", "a b/c"), "view-a_b_c.png");
}

}  // namespace
}  // namespace placement_test
