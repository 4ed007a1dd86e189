#include "ui/form.hpp"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "automation/failure.hpp"
#include "fake_host_controls.hpp"
#include "ui/access_key.hpp"
#include "ui/headless_engine.hpp"

namespace {

using ui::InputOutcome;
using ui::Key;

int failureNumber(const std::function<void()>& f) {
  try {
    f();
  } catch (const automation::Failure& failure) {
    return failure.number;
  }
  return 0;
}

// A small dialog: a label and two fields, an option group with a list, and OK/Cancel/Apply.
class FormTest : public ::testing::Test {
 protected:
  FormTest() : form("frmTest", engine, hostControls) {
    ui::Frame& fields = form.addFrame("fraFields");
    fields.setTabIndex(20);
    addLabel("lblA", "&A:", 0, &fields);
    addText("txtA", 1, &fields);
    addText("txtB", 2, &fields);
    ui::Frame& group = form.addFrame("fraGroup");
    group.setTabIndex(21);
    for (std::int16_t i = 0; i < 3; ++i) {
      form.addOptionButton("optMode", i, &group).setTabIndex(static_cast<std::int16_t>(3 + i));
    }
    ui::ComboBox& list = form.addComboBox("cboList", &group);
    list.setTabIndex(6);
    for (const char* entry : {"one", "two", "three"}) list.addItem(entry);
    addButton("cmdOK", 7).setDefault(true);
    addButton("cmdCancel", 8).setCancel(true);
    addButton("cmdApply", 9);
    for (ui::Control* c : form.controls()) {
      c->onGotFocus = [this, c] { log.push_back("GotFocus " + c->qualifiedName()); };
      c->onLostFocus = [this, c] { log.push_back("LostFocus " + c->qualifiedName()); };
    }
    for (const char* b : {"cmdOK", "cmdCancel", "cmdApply"}) {
      form.button(b).onClick = [this, b] { log.push_back(std::string("Click ") + b); };
    }
    form.optionArray("optMode").onClick = [this](std::int16_t i) {
      log.push_back("Click optMode(" + std::to_string(i) + ")");
    };
    form.comboBox("cboList").onClick = [this] { log.push_back("Click cboList"); };
  }

  ui::Label& addLabel(const char* name, const char* caption, std::int16_t tab, ui::Frame* in) {
    ui::Label& l = form.addLabel(name, in);
    l.setCaption(caption);
    l.setTabIndex(tab);
    return l;
  }
  ui::TextBox& addText(const char* name, std::int16_t tab, ui::Frame* in) {
    ui::TextBox& t = form.addTextBox(name, in);
    t.setTabIndex(tab);
    return t;
  }
  ui::CommandButton& addButton(const char* name, std::int16_t tab) {
    ui::CommandButton& b = form.addCommandButton(name);
    b.setTabIndex(tab);
    return b;
  }
  void showModeless() {
    form.show();
    log.clear();
  }
  std::string focus() const {
    return form.activeControl() ? form.activeControl()->qualifiedName() : "(none)";
  }

  portable::HeadlessEngine engine;
  ui_test::FakeHostControls hostControls;
  ui::Form form;
  std::vector<std::string> log;
};

TEST_F(FormTest, SelectingAnOptionFromCodeClearsItsGroupAndClicksAtOnce) {
  ui::OptionArray& modes = form.optionArray("optMode");
  modes.onClick = [&](std::int16_t i) {
    log.push_back("Click optMode(" + std::to_string(i) + ")");
    // A handler that selects a list entry: the list's click runs nested, before this returns.
    form.comboBox("cboList").setListIndex(i);
    log.push_back("after list");
  };
  modes[0].setValue(true);
  log.push_back("returned");
  modes[2].setValue(true);
  EXPECT_FALSE(modes[0].value());
  EXPECT_FALSE(modes[1].value());
  EXPECT_TRUE(modes[2].value());
  modes[2].setValue(true);  // already selected: no click
  EXPECT_THAT(log,
              ::testing::ElementsAre("Click optMode(0)", "Click cboList", "after list", "returned",
                                     "Click optMode(2)", "Click cboList", "after list"));
}

TEST_F(FormTest, OptionsInDifferentContainersAreSeparateGroups) {
  ui::OptionButton& loose = form.addOptionButton("optLoose", 0);
  form.optionArray("optMode")[1].setValue(true);
  loose.setValue(true);
  EXPECT_TRUE(form.optionArray("optMode")[1].value());
  EXPECT_TRUE(loose.value());
  EXPECT_EQ(failureNumber([&] { form.optionArray("optMode")[3]; }), 340);
}

TEST_F(FormTest, ListSelectionFromCode) {
  ui::ComboBox& list = form.comboBox("cboList");
  EXPECT_EQ(list.text(), "");
  list.setListIndex(1);
  EXPECT_EQ(list.text(), "two");
  list.setListIndex(1);  // the same index again raises nothing
  EXPECT_EQ(failureNumber([&] { list.setListIndex(3); }), 380);
  EXPECT_EQ(failureNumber([&] { list.setListIndex(-2); }), 380);
  EXPECT_EQ(list.listIndex(), 1);
  list.setListIndex(-1);
  EXPECT_EQ(list.text(), "");
  EXPECT_EQ(failureNumber([&] { list.addItem("x", std::int16_t{5}); }), 5);
  list.setListIndex(0);
  list.addItem("zero", std::int16_t{0});  // inserting before the selection keeps the entry
  EXPECT_EQ(list.text(), "one");
  EXPECT_THAT(log, ::testing::ElementsAre("Click cboList", "Click cboList", "Click cboList"));
}

TEST_F(FormTest, FocusMovesRaiseLostFocusBeforeGotFocus) {
  showModeless();
  EXPECT_EQ(focus(), "txtA");  // first tab stop on show
  form.textBox("txtB").setFocus();
  EXPECT_THAT(log, ::testing::ElementsAre("LostFocus txtA", "GotFocus txtB"));
}

TEST_F(FormTest, SetFocusFailsWhereTheControlCannotTakeIt) {
  EXPECT_EQ(failureNumber([&] { form.textBox("txtA").setFocus(); }), 5);  // form not shown
  showModeless();
  form.textBox("txtB").setEnabled(false);
  EXPECT_EQ(failureNumber([&] { form.textBox("txtB").setFocus(); }), 5);
  form.textBox("txtB").setEnabled(true);
  form.frame("fraFields").setVisible(false);
  EXPECT_EQ(failureNumber([&] { form.textBox("txtB").setFocus(); }), 5);
  EXPECT_EQ(failureNumber([&] { form.label("lblA").setFocus(); }), 5);
  EXPECT_TRUE(log.empty());
}

TEST_F(FormTest, ClickIsDroppedWhenLostFocusKeepsTheFocus) {
  showModeless();
  ui::TextBox& field = form.textBox("txtA");
  field.onLostFocus = [&] {
    log.push_back("LostFocus txtA");
    field.setFocus();  // a rejected entry takes the focus back
  };
  const InputOutcome outcome = form.userClick(form.button("cmdApply"));
  EXPECT_EQ(outcome.status, InputOutcome::Status::NotDelivered);
  EXPECT_EQ(focus(), "txtA");
  // The button never got the focus, so it gets no focus events and no click.
  EXPECT_THAT(log, ::testing::ElementsAre("LostFocus txtA", "GotFocus txtA"));

  field.onLostFocus = [&] { log.push_back("LostFocus txtA"); };
  log.clear();
  EXPECT_EQ(form.userClick(form.button("cmdApply")).status, InputOutcome::Status::Applied);
  EXPECT_THAT(log, ::testing::ElementsAre("LostFocus txtA", "GotFocus cmdApply", "Click cmdApply"));
}

TEST_F(FormTest, DisabledOrHiddenControlsAndContainersTakeNoInput) {
  showModeless();
  form.button("cmdApply").setEnabled(false);
  EXPECT_EQ(form.userClick(form.button("cmdApply")).status, InputOutcome::Status::Refused);
  form.frame("fraGroup").setEnabled(false);
  const InputOutcome inFrame = form.userPick(form.comboBox("cboList"), 1);
  EXPECT_EQ(inFrame.status, InputOutcome::Status::Refused);
  EXPECT_THAT(inFrame.note, ::testing::HasSubstr("fraGroup is disabled"));
  EXPECT_EQ(form.userClick(form.optionArray("optMode")[1]).status, InputOutcome::Status::Refused);
  EXPECT_EQ(form.comboBox("cboList").listIndex(), -1);
  EXPECT_TRUE(log.empty());
}

TEST_F(FormTest, TabFollowsTheTabOrderSkippingWhatCannotTakeTheFocus) {
  showModeless();
  form.textBox("txtB").setTabStop(false);
  std::vector<std::string> stops;
  for (int i = 0; i < 6; ++i) {
    form.userKey(Key::Tab);
    stops.push_back(focus());
  }
  // The label and the frames are skipped, txtB is no tab stop, the option group is one stop
  // (its first option while none is selected); the order wraps.
  EXPECT_THAT(stops, ::testing::ElementsAre("optMode(0)", "cboList", "cmdOK", "cmdCancel",
                                            "cmdApply", "txtA"));
  form.optionArray("optMode")[2].setValue(true);
  form.userKey(Key::ShiftTab);
  EXPECT_EQ(focus(), "cmdApply");
  form.button("cmdApply").setVisible(false);
  form.button("cmdCancel").setEnabled(false);
  form.userKey(Key::ShiftTab);
  EXPECT_EQ(focus(), "cmdOK");
  form.userKey(Key::ShiftTab);
  form.userKey(Key::ShiftTab);
  EXPECT_EQ(focus(), "optMode(2)");  // the selected option is the group's stop
}

TEST_F(FormTest, ArrowKeysStepThroughTheFocusedOptionGroupAndSelect) {
  showModeless();
  ui::OptionArray& options = form.optionArray("optMode");
  options[0].setFocus();
  options[1].setEnabled(false);
  log.clear();
  form.userKey(Key::Down);   // over the disabled option
  form.userKey(Key::Right);  // round to the first
  form.userKey(Key::Up);     // round to the last
  EXPECT_THAT(log, ::testing::ElementsAre(
                       "LostFocus optMode(0)", "GotFocus optMode(2)", "Click optMode(2)",
                       "LostFocus optMode(2)", "GotFocus optMode(0)", "Click optMode(0)",
                       "LostFocus optMode(0)", "GotFocus optMode(2)", "Click optMode(2)"));
  EXPECT_FALSE(options[0].value());
  // On a list they pick the entry before or after the selected one, without wrapping.
  form.comboBox("cboList").setFocus();
  log.clear();
  EXPECT_EQ(form.userKey(Key::Up).status, InputOutcome::Status::Refused);  // none selected
  form.userKey(Key::Down);
  form.userKey(Key::Right);
  form.userKey(Key::Left);
  EXPECT_EQ(form.comboBox("cboList").listIndex(), 0);
  EXPECT_THAT(log, ::testing::ElementsAre("Click cboList", "Click cboList", "Click cboList"));
  form.comboBox("cboList").setListIndex(2);
  EXPECT_EQ(form.userKey(Key::Down).status, InputOutcome::Status::Refused);  // the last
  EXPECT_EQ(focus(), "cboList");
  form.textBox("txtA").setFocus();
  const InputOutcome inText = form.userKey(Key::Down);
  EXPECT_THAT(inText.note, ::testing::HasSubstr("txtA is neither"));
}

// Space presses the focused button and nothing else; F1 asks for the focused control's help
// context, else the form's, and means nothing where there is none.
TEST_F(FormTest, SpacePressesTheFocusedButtonAndF1AsksForHelpHere) {
  std::vector<std::int32_t> asked;
  form.onHelp = [&](std::int32_t context) { asked.push_back(context); };
  form.setHelpContextId(7);
  form.button("cmdApply").setHelpContextId(9);
  showModeless();
  struct Case {
    const char* focus;
    Key key;
    const char* clicked;  // nullptr: refused
  };
  for (const Case& c : {Case{"cmdApply", Key::Space, "Click cmdApply"},
                        Case{"optMode(1)", Key::Space, "Click optMode(1)"},
                        Case{"txtA", Key::Space, nullptr}, Case{"cboList", Key::Space, nullptr}}) {
    form.control(c.focus).setFocus();
    log.clear();
    const InputOutcome outcome = form.userKey(c.key);
    EXPECT_EQ(outcome.status == InputOutcome::Status::Applied, c.clicked != nullptr) << c.focus;
    EXPECT_EQ(log, c.clicked ? std::vector<std::string>{c.clicked} : std::vector<std::string>{})
        << c.focus;
    EXPECT_EQ(focus(), c.focus);
  }
  form.userKey(Key::F1);  // on cboList: no context of its own
  form.button("cmdApply").setFocus();
  form.userKey(Key::F1);
  EXPECT_THAT(asked, ::testing::ElementsAre(7, 9));
  form.setHelpContextId(0);
  form.textBox("txtA").setFocus();
  EXPECT_EQ(form.userKey(Key::F1).status, InputOutcome::Status::Refused);
  form.setHelpContextId(7);
  form.hide();
  EXPECT_EQ(form.userKey(Key::F1).status, InputOutcome::Status::Refused);
  EXPECT_EQ(asked.size(), 2u);
}

TEST_F(FormTest, EnterAndEscPressButtonsWithoutMovingTheFocus) {
  showModeless();
  form.userKey(Key::Enter);
  form.userKey(Key::Escape);
  EXPECT_EQ(focus(), "txtA");
  EXPECT_THAT(log, ::testing::ElementsAre("Click cmdOK", "Click cmdCancel"));
  form.button("cmdApply").setFocus();
  log.clear();
  form.userKey(Key::Enter);  // focus on another button: that one
  EXPECT_THAT(log, ::testing::ElementsAre("Click cmdApply"));
  form.button("cmdOK").setEnabled(false);
  form.textBox("txtA").setFocus();
  EXPECT_EQ(form.userKey(Key::Enter).status, InputOutcome::Status::Refused);
}

TEST_F(FormTest, AccessKeyMovesToTheControlAfterTheLabel) {
  showModeless();
  form.textBox("txtB").setFocus();
  log.clear();
  EXPECT_EQ(form.userAccessKey('a').status, InputOutcome::Status::Applied);
  EXPECT_EQ(focus(), "txtA");
  form.button("cmdApply").setCaption("&Apply");  // a label comes first in tab order
  form.label("lblA").setCaption("&&A:");         // now a literal ampersand, no key
  EXPECT_EQ(form.userAccessKey('A').status, InputOutcome::Status::Applied);
  EXPECT_THAT(log, ::testing::ElementsAre("LostFocus txtB", "GotFocus txtA", "LostFocus txtA",
                                          "GotFocus cmdApply", "Click cmdApply"));
  EXPECT_EQ(form.userAccessKey('Q').status, InputOutcome::Status::Refused);
  // A key in any script, pressed with or without Shift: Cyrillic, Czech, Greek.
  for (const auto& [caption, pressed] :
       {std::pair{"&Ширина:", U'ш'}, std::pair{"&Šířka:", U'š'}, std::pair{"&Πλάτος:", U'π'},
        std::pair{"Ш&ирина:", U'И'}}) {
    form.label("lblA").setCaption(caption);
    form.button("cmdApply").setFocus();
    EXPECT_EQ(form.userAccessKey(pressed).status, InputOutcome::Status::Applied) << caption;
    EXPECT_EQ(focus(), "txtA") << caption;
  }
  // Where a caption's key is malformed text, or no letter, there is none.
  for (const char* caption : {"&\xD0", "&\xC0\x80:", "& A:", "&.:"}) {
    form.label("lblA").setCaption(caption);
    EXPECT_FALSE(ui::accessKeyOf(caption).has_value()) << caption;
  }
  EXPECT_EQ(form.userAccessKey(U'Щ').note, "no control has the access key Щ");
}

TEST_F(FormTest, TypingReplacesTheSelection) {
  showModeless();
  ui::TextBox& field = form.textBox("txtA");
  field.setText("1 m ab");
  field.setSelStart(2);
  field.setSelLength(100);  // cut at the end
  EXPECT_EQ(field.selLength(), 4);
  form.userType("cm");
  EXPECT_EQ(field.text(), "1 cm");
  EXPECT_EQ(field.selStart(), 4);
  field.setText("\xC3\xA4\xC3\xB6x");  // two two-byte characters, then x
  field.setSelStart(1);
  field.setSelLength(1);
  EXPECT_EQ(field.selText(), "\xC3\xB6");
  form.userType("\xE2\x80\x94");
  EXPECT_EQ(field.text(), "\xC3\xA4\xE2\x80\x94x");
  EXPECT_EQ(field.selStart(), 2);
  EXPECT_EQ(failureNumber([&] { field.setSelStart(-1); }), 380);
  form.button("cmdOK").setFocus();
  EXPECT_EQ(form.userType("x").status, InputOutcome::Status::Refused);
}

TEST_F(FormTest, CloseControlAndUnloadAskWithTheirModes) {
  std::vector<int> modes;
  std::int16_t answer = -1;
  form.onQueryUnload = [&](std::int16_t& cancel, std::int16_t mode) {
    modes.push_back(mode);
    cancel = answer;
  };
  showModeless();
  EXPECT_FALSE(form.requestClose());
  EXPECT_TRUE(form.isLoaded());
  EXPECT_TRUE(form.visible());
  answer = 0;
  EXPECT_TRUE(form.unload());
  EXPECT_FALSE(form.isLoaded());
  EXPECT_EQ(form.textBox("txtA").hWnd(), 0u);
  EXPECT_THAT(modes, ::testing::ElementsAre(0, 1));
}

TEST_F(FormTest, HostControlsAreCreatedAtLoadAndHaveNoFont) {
  std::vector<std::uint8_t> state = {1, 2, 3};
  ui::HostControl& slot = form.addHostControl("ksThing", "Lib.Thing", state);
  int loads = 0;
  form.onLoad = [&] { ++loads; };
  EXPECT_TRUE(hostControls.created.empty());
  EXPECT_TRUE(slot.object().isSet());  // touching the control loads the form
  EXPECT_EQ(loads, 1);
  ASSERT_EQ(hostControls.created.size(), 1u);
  EXPECT_EQ(hostControls.created[0].progId, "Lib.Thing");
  EXPECT_EQ(hostControls.created[0].state, state);
  EXPECT_EQ(failureNumber([&] { slot.font(); }), 438);
  EXPECT_FALSE(slot.tabStop());

  std::string seen;
  slot.onEvent = [&](std::string_view event, std::span<automation::Variant> args) {
    seen = std::string(event) + "/" + std::to_string(args.size());
  };
  std::vector<automation::Variant> args{automation::Variant(std::int16_t{1})};
  hostControls.created[0].site->raiseEvent("MouseMove", args);
  EXPECT_EQ(seen, "MouseMove/1");
  slot.setEnabled(false);
  EXPECT_FALSE(hostControls.created[0].site->enabled());
}

TEST_F(FormTest, LookupsFailLikeTheLanguage) {
  EXPECT_EQ(failureNumber([&] { form.control("nothing"); }), 730);
  EXPECT_EQ(failureNumber([&] { form.button("txtA"); }), 13);
  EXPECT_EQ(&form.control("optMode(1)"), &form.optionArray("optMode")[1]);
  EXPECT_EQ(failureNumber([&] { form.addTextBox("txtA"); }), 5);
}

}  // namespace
