// The six length fields: selected on entry, checked by the host's parser on exit.
#include "support/scenario_test.hpp"

namespace scenario {
namespace {

using automation::InvokeKind;

const char* const kFields[] = {"txtSizeW",   "txtSizeH", "txtDSModel",
                               "txtDSPaper", "txtSOLX",  "txtSOLY"};

class LengthFields : public ScenarioTest {
 protected:
  LengthFields() {
    settings.host.documentFormat.unit = refhost::LengthUnit::Millimetre;
    refhost::SheetSetupState s = sheet(-2, 0);  // every field enabled
    s.paperUnit = 1;
    s.width = 0.42;
    s.height = 0.297;
    s.scalePaper = 0.001;
    s.scaleModel = 0.1;
    settings.host.sheet = s;
  }
};

TEST_F(LengthFields, EnteringSelectsTheWholeTextAndTypingReplacesIt) {
  focus("txtSizeW");
  probe([&] {
    EXPECT_EQ(text("txtSizeW"), "420 mm");
    EXPECT_EQ(textBox("txtSizeW").selStart(), 0);
    EXPECT_EQ(textBox("txtSizeW").selLength(), 6);
  });
  type("5in");
  probe([&] { EXPECT_EQ(text("txtSizeW"), "5in"); });
  focus("txtSizeH");
  probe([&] { EXPECT_EQ(text("txtSizeW"), "127 mm") << "the host's form of what was typed"; });
  click("cmdCancel");
  start();
  EXPECT_EQ(reportCount(), 0u) << reportSummary();
}

// A rejected length keeps the focus, so the button clicked to leave the field is not pressed.
TEST_F(LengthFields, RejectedTextWarnsRestoresSelectsAndKeepsTheFocus) {
  enter("txtSOLX", "twelve");
  click("cmdApply");
  probe([&] {
    ASSERT_TRUE(engine().messageBoxOpen());
    const auto& box = engine().messageBoxes().back();
    EXPECT_EQ(box.text.rfind("The text entered is not a valid length.", 0), 0u);
    EXPECT_EQ(box.title, "Move Sheet Border");
    EXPECT_EQ(box.style, 48);
  });
  answer();
  probe([&] {
    EXPECT_EQ(text("txtSOLX"), "0 mm");
    EXPECT_EQ(textBox("txtSOLX").selStart(), 0);
    EXPECT_EQ(textBox("txtSOLX").selLength(), 4);
    EXPECT_EQ(form().activeControl(), &control("txtSOLX"));
    EXPECT_EQ(component().HistoryCount, 1) << "Apply was not pressed";
  });
  click("cmdCancel");
  start();
  EXPECT_EQ(engine().messageBoxes().size(), 1u);
  EXPECT_EQ(reportCount(), 0u) << reportSummary();
  EXPECT_TRUE(calls("HostSheetSetup", 9, InvokeKind::Put).empty());
  EXPECT_EQ(calls("HostApplication", 25).size(), 0u) << "nothing applied";
}

TEST_F(LengthFields, WarningTextsFollowTheLocale) {
  settings.locale = 1031;
  enter("txtSizeH", "abc");
  focus("txtSizeW");
  answer();
  probe([&] { EXPECT_EQ(form().activeControl(), &control("txtSizeH")); });
  click("cmdCancel");
  start();
  ASSERT_EQ(engine().messageBoxes().size(), 1u);
  EXPECT_EQ(engine().messageBoxes()[0].title, "Blattrahmen verschieben");
  EXPECT_EQ(reportCount(), 0u) << reportSummary();
}

TEST_F(LengthFields, ZeroAndNegativeLengthsAreAcceptedInEveryField) {
  for (const char* field : kFields) {
    enter(field, "0");
    focus(field == std::string("txtSOLY") ? "txtSizeW" : "txtSOLY");
    probe([&, field] { EXPECT_EQ(text(field), "0 mm") << field; });
    enter(field, "-3mm");
    focus(field == std::string("txtSOLY") ? "txtSizeW" : "txtSOLY");
    probe([&, field] { EXPECT_EQ(text(field), "-3 mm") << field; });
  }
  click("cmdCancel");
  start();
  EXPECT_TRUE(engine().messageBoxes().empty());
  EXPECT_EQ(reportCount(), 0u) << reportSummary();
}

TEST_F(LengthFields, LeavingAFieldUnchangedRewritesItInTheDocumentsFormat) {
  settings.host.documentFormat.unit = refhost::LengthUnit::Centimetre;
  probe([&] { EXPECT_EQ(text("txtSizeH"), "297 mm"); });
  focus("txtSizeH");
  focus("txtSizeW");
  probe([&] {
    EXPECT_EQ(text("txtSizeH"), "29.7 cm");
    EXPECT_EQ(text("txtSizeW"), "420 mm") << "not left yet";
  });
  click("cmdCancel");
  start();
  EXPECT_EQ(reportCount(), 0u) << reportSummary();
}

TEST_F(LengthFields, LeavingAFieldChangesNoModeAndWritesNothing) {
  settings.host.sheet = sheet(28, -1);
  enter("txtSOLX", "4m");
  focus("txtSOLY");
  probe([&] {
    EXPECT_TRUE(option("optSheetSize", 1).value());
    EXPECT_TRUE(option("optScaleMode", 0).value());
  });
  click("cmdCancel");
  start();
  EXPECT_TRUE(calls("HostSheetSetup", 18).empty());
}

}  // namespace
}  // namespace scenario
