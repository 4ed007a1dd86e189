#include "ui/headless_engine.hpp"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "automation/guard.hpp"
#include "fake_host_controls.hpp"
#include "ui/form.hpp"

namespace {

using portable::HeadlessEngine;
using portable::UserAction;

struct RecordingView final : portable::HostViewInput {
  std::vector<std::string> events;
  std::optional<std::string> refusal;  // what the view answers
  std::optional<std::string> mouseMove(double x, double y) override {
    events.push_back("move " + std::to_string(static_cast<int>(x)) + " " +
                     std::to_string(static_cast<int>(y)));
    return refusal;
  }
  std::optional<std::string> mouseClick(std::int16_t button, double x, double y) override {
    events.push_back("click " + std::to_string(button) + " " + std::to_string(static_cast<int>(x)) +
                     " " + std::to_string(static_cast<int>(y)));
    return refusal;
  }
};

struct NoSink final : automation::FailureSink {
  int reports = 0;
  void report(const automation::Failure&, std::string_view) override { ++reports; }
};

// A dialog with a field, OK (hides), Move (hides, as placement does), Warn (a message box) and a
// disabled Previous.
class EngineTest : public ::testing::Test {
 protected:
  EngineTest() : form("frmTest", engine, hostControls) {
    form.addTextBox("txtA").setTabIndex(0);
    ui::CommandButton& ok = form.addCommandButton("cmdOK");
    ok.setTabIndex(1);
    ok.onClick = [this] {
      log.push_back("OK");
      form.hide();
    };
    form.addCommandButton("cmdMove").onClick = [this] {
      log.push_back("Move");
      form.hide();
    };
    form.addCommandButton("cmdWarn").onClick = [this] {
      answers.push_back(engine.messageBox("Bad length", "Title", 48));
    };
    form.addCommandButton("cmdPrevious").setEnabled(false);
    form.onQueryUnload = [this](std::int16_t& cancel, std::int16_t mode) {
      log.push_back("QueryUnload " + std::to_string(mode));
      form.hide();
      cancel = -1;
    };
    engine.setHostView(&view);
  }

  HeadlessEngine engine;
  ui_test::FakeHostControls hostControls;
  ui::Form form;
  RecordingView view;
  std::vector<std::string> log;
  std::vector<std::int32_t> answers;
};

TEST_F(EngineTest, ModalShowReturnsWhenTheFormIsHidden) {
  engine.post(UserAction::type("12"));
  engine.post(UserAction::click("cmdOK"));
  engine.post(UserAction::click("cmdOK"));  // stays queued: the loop ended before it
  form.show(ui::ShowMode::Modal);
  EXPECT_THAT(log, ::testing::ElementsAre("OK"));
  EXPECT_EQ(form.textBox("txtA").text(), "12");
  EXPECT_EQ(engine.pending(), 1u);
  EXPECT_EQ(engine.modalLoops(), 0);
  // The dialog is hidden now: its controls take no input.
  engine.runUntilIdle();
  ASSERT_EQ(engine.refused().size(), 1u);
  EXPECT_EQ(engine.refused()[0].action, "click cmdOK");
  EXPECT_THAT(engine.refused()[0].reason, ::testing::HasSubstr("hidden"));
}

TEST_F(EngineTest, ShowingModallyTwiceFails) {
  form.show();
  EXPECT_THROW(form.show(ui::ShowMode::Modal), automation::Failure);
}

TEST_F(EngineTest, QueueRunningDryInAModalLoopEndsTheRunAndNoGuardTakesIt) {
  NoSink sink;
  engine.post(UserAction::focus("txtA"));
  try {
    automation::guarded(sink, "ident", [&] { form.show(ui::ShowMode::Modal); });
    FAIL() << "the run should have ended";
  } catch (const portable::InputExhausted& e) {
    EXPECT_THAT(e.what(), ::testing::HasSubstr("frmTest"));
    EXPECT_THAT(e.what(), ::testing::HasSubstr("focus on txtA"));
  }
  EXPECT_EQ(sink.reports, 0);
  EXPECT_EQ(engine.modalLoops(), 0);
}

TEST_F(EngineTest, MessageBoxBlocksUntilAnsweredAndRefusesOtherInput) {
  engine.post(UserAction::click("cmdWarn"));
  engine.post(UserAction::click("cmdOK"));  // the box is open: refused
  engine.post(UserAction::mouseMove(1, 2));
  engine.post(UserAction::answerBox());
  engine.post(UserAction::click("cmdOK"));
  form.show(ui::ShowMode::Modal);
  EXPECT_THAT(answers, ::testing::ElementsAre(1));
  EXPECT_THAT(log, ::testing::ElementsAre("OK"));
  ASSERT_EQ(engine.messageBoxes().size(), 1u);
  EXPECT_EQ(engine.messageBoxes()[0].text, "Bad length");
  EXPECT_EQ(engine.messageBoxes()[0].title, "Title");
  EXPECT_EQ(engine.messageBoxes()[0].style, 48);
  ASSERT_EQ(engine.refused().size(), 2u);
  EXPECT_THAT(engine.refused()[0].reason, ::testing::HasSubstr("message box"));
  EXPECT_TRUE(view.events.empty());
}

TEST_F(EngineTest, QueueRunningDryInAMessageBoxNamesIt) {
  engine.post(UserAction::click("cmdWarn"));
  EXPECT_THROW(
      {
        try {
          form.show(ui::ShowMode::Modal);
        } catch (const portable::InputExhausted& e) {
          EXPECT_THAT(e.what(), ::testing::HasSubstr("message box \"Title\""));
          throw;
        }
      },
      portable::InputExhausted);
  EXPECT_FALSE(engine.messageBoxOpen());
  EXPECT_FALSE(engine.messageBoxes()[0].answer.has_value());
}

TEST_F(EngineTest, MouseInputReachesTheHostOnlyOnceTheModalDialogIsHidden) {
  engine.post(UserAction::mouseMove(5, 5));  // the dialog is up: refused
  engine.post(UserAction::click("cmdMove"));
  engine.post(UserAction::mouseMove(1, 2));
  engine.post(UserAction::mouseClick(1, 3, 4));
  form.show(ui::ShowMode::Modal);
  EXPECT_TRUE(view.events.empty());
  engine.runUntilIdle();  // the host's own loop
  EXPECT_THAT(view.events, ::testing::ElementsAre("move 1 2", "click 1 3 4"));
  ASSERT_EQ(engine.refused().size(), 1u);
  EXPECT_THAT(engine.refused()[0].reason, ::testing::HasSubstr("shown modally"));
}

TEST_F(EngineTest, InputTheHostsViewRefusesIsRecordedWithTheHostsReason) {
  view.refusal = "the mouse control is disabled";
  engine.post(UserAction::mouseClick(1, 3, 4));
  engine.runUntilIdle();
  ASSERT_EQ(engine.refused().size(), 1u);
  EXPECT_EQ(engine.refused()[0].action, "mouse click 1 3 4");
  EXPECT_EQ(engine.refused()[0].reason, "the mouse control is disabled");
}

TEST_F(EngineTest, WindowsMessageBoxesAndRefusalsAreLoggedInTheOrderTheyHappen) {
  portable::EventLog events;
  engine.setEventLog(&events);
  engine.post(UserAction::click("cmdWarn"));
  engine.post(UserAction::click("cmdOK"));  // refused: the box is open
  engine.post(UserAction::answerBox());
  engine.post(UserAction::click("cmdOK"));
  form.show(ui::ShowMode::Modal);
  std::vector<std::string> lines;
  for (const auto& e : events.events()) lines.push_back(e.kind + ": " + e.text);
  EXPECT_THAT(lines,
              ::testing::ElementsAre("dialog: frmTest shown", "message box: \"Title\": Bad length",
                                     "refused: click cmdOK (a message box is open (\"Title\"))",
                                     "dialog: frmTest hidden"));
}

TEST_F(EngineTest, ADisabledControlRefusesInput) {
  engine.post(UserAction::click("cmdPrevious"));
  engine.post(UserAction::pick("txtA", 0));
  engine.post(UserAction::press(ui::Key::Enter));  // no default button
  engine.post(UserAction::click("cmdOK"));
  form.show(ui::ShowMode::Modal);
  ASSERT_EQ(engine.refused().size(), 3u);
  EXPECT_EQ(engine.refused()[0].reason, "cmdPrevious is disabled");
  EXPECT_EQ(engine.refused()[1].reason, "txtA is not a list");
  EXPECT_EQ(engine.refused()[2].reason, "no default button");
}

TEST_F(EngineTest, CloseControlRaisesQueryUnloadFromTheCloseControl) {
  engine.post(UserAction::close());
  form.show(ui::ShowMode::Modal);
  EXPECT_THAT(log, ::testing::ElementsAre("QueryUnload 0"));
  EXPECT_TRUE(form.isLoaded());
  EXPECT_FALSE(form.visible());
}

TEST_F(EngineTest, UnknownControlEndsTheRun) {
  engine.post(UserAction::click("cmdNothing"));
  EXPECT_THROW(form.show(ui::ShowMode::Modal), portable::UnknownControl);
}

TEST_F(EngineTest, WindowsGetDistinctHandles) {
  const ui::WindowHandle dialog = form.hWnd();
  EXPECT_NE(dialog, 0u);
  EXPECT_NE(form.button("cmdOK").hWnd(), 0u);
  EXPECT_NE(form.button("cmdOK").hWnd(), dialog);
  EXPECT_NE(form.button("cmdOK").hWnd(), form.textBox("txtA").hWnd());
}

TEST(MessageBoxAnswers, DefaultButtonByStyle) {
  EXPECT_EQ(portable::defaultAnswer(48), 1);
  EXPECT_EQ(portable::defaultAnswer(4 + 32), 6);
  EXPECT_EQ(portable::defaultAnswer(5), 4);
}

}  // namespace
