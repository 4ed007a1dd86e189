#include "dialog/layout.hpp"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "../ui/fake_host_controls.hpp"
#include "ui/headless_engine.hpp"

namespace {

using ui::InputOutcome;
using ui::Key;

class LayoutTest : public ::testing::Test {
 protected:
  LayoutTest() : form(dialog::layout::buildMainForm(engine, hostControls)) {
    for (ui::Control* c : form->controls()) {
      if (auto* b = dynamic_cast<ui::CommandButton*>(c)) {
        b->onClick = [this, b] { clicks.push_back(b->name()); };
      }
    }
  }
  std::string focus() const {
    return form->activeControl() ? form->activeControl()->qualifiedName() : "(none)";
  }

  portable::HeadlessEngine engine;
  ui_test::FakeHostControls hostControls;
  std::unique_ptr<ui::Form> form;
  std::vector<std::string> clicks;
};

TEST_F(LayoutTest, CollectionFollowsTheCreationOrder) {
  std::vector<std::string> names;
  for (const ui::Control* c : form->controls()) names.push_back(c->qualifiedName());
  EXPECT_THAT(names,
              ::testing::ElementsAre(
                  "ksCommand1", "cmdHelp", "cmdCancel", "cmdOK", "cmdPrevious", "cmdApply",
                  "cmdMove", "fraSheetSize", "txtCustomSize", "cboSize", "txtSizeH", "txtSizeW",
                  "optSheetSize(2)", "optSheetSize(1)", "optSheetSize(0)", "lblSizeH", "lblSizeW",
                  "fraDrawingScale", "txtCustomScale", "cboScale", "txtDSModel", "txtDSPaper",
                  "optScaleMode(2)", "optScaleMode(1)", "optScaleMode(0)", "lblEqual",
                  "fraSheetOrigin", "txtSOLY", "txtSOLX", "lblSOLY", "lblSOLX", "ksMouse1"));
}

TEST_F(LayoutTest, DesignTimeState) {
  EXPECT_EQ(form->name(), "frmMain");
  EXPECT_EQ(form->caption(), "frmMain");
  EXPECT_EQ(form->style().border, ui::BorderStyle::FixedDialog);
  EXPECT_FALSE(form->style().minButton);
  EXPECT_FALSE(form->style().maxButton);
  EXPECT_FALSE(form->style().showInTaskbar);
  EXPECT_EQ(form->style().clientWidth, 5745);
  EXPECT_EQ(form->style().clientHeight, 4605);
  EXPECT_EQ(form->helpContextId(), 61191);

  std::set<int> tabs;
  for (const ui::Control* c : form->controls()) {
    if (c->kind() != ui::ControlKind::HostControl) tabs.insert(c->tabIndex());
  }
  EXPECT_EQ(tabs.size(), 30u);
  EXPECT_EQ(*tabs.begin(), 0);
  EXPECT_EQ(*tabs.rbegin(), 29);

  EXPECT_TRUE(form->button("cmdOK").isDefault());
  EXPECT_TRUE(form->button("cmdCancel").isCancel());
  EXPECT_FALSE(form->button("cmdPrevious").enabled());
  for (const char* name : {"txtCustomSize", "txtCustomScale"}) {
    const ui::TextBox& box = form->textBox(name);
    EXPECT_FALSE(box.enabled()) << name;
    EXPECT_FALSE(box.visible()) << name;
    EXPECT_FALSE(box.tabStop()) << name;
    EXPECT_EQ(box.helpContextId(), 0) << name;
  }
  const ui::TextBox& width = form->textBox("txtSizeW");
  EXPECT_EQ(width.container(), &form->frame("fraSheetSize"));
  EXPECT_EQ(width.left(), 2550);
  EXPECT_EQ(width.top(), 960);
  EXPECT_EQ(width.width(), 1150);
  EXPECT_EQ(width.height(), 345);
  EXPECT_EQ(width.tabIndex(), 16);
  EXPECT_EQ(width.text(), "txtSizeW");
  EXPECT_EQ(width.helpContextId(), 61191);
  EXPECT_EQ(form->label("lblSizeH").caption(), "x  &H:");
  EXPECT_EQ(form->label("lblSizeH").alignment(), ui::Alignment::Right);
  EXPECT_EQ(form->label("lblEqual").alignment(), ui::Alignment::Center);
  EXPECT_EQ(form->comboBox("cboSize").text(), "");
  EXPECT_EQ(form->optionArray("optScaleMode")[1].caption(), "optScaleMode(1)");
  EXPECT_FALSE(form->isLoaded());
}

TEST_F(LayoutTest, HostControlsGetTheirClassesAndStateBlocksAtLoad) {
  form->load();
  ASSERT_EQ(hostControls.created.size(), 2u);
  EXPECT_EQ(hostControls.created[0].progId, "K2DComndLib.ksCommand");
  EXPECT_EQ(hostControls.created[0].state.size(), 18u);
  EXPECT_EQ(hostControls.created[1].progId, "K2DMseLib.ksMouse");
  EXPECT_EQ(hostControls.created[1].state.size(), 103u);
  EXPECT_EQ(form->hostControl("ksMouse1").left(), 5040);
  EXPECT_EQ(form->hostControl("ksCommand1").top(), 2370);
}

TEST_F(LayoutTest, TabFromTheOriginGoesToMoveThenTheScaleGroup) {
  form->show();
  EXPECT_EQ(focus(), "txtSOLX");
  form->userKey(Key::Tab);
  EXPECT_EQ(focus(), "txtSOLY");
  form->userKey(Key::Tab);
  EXPECT_EQ(focus(), "cmdMove");
  form->userKey(Key::Tab);
  EXPECT_EQ(focus(), "optScaleMode(0)");
  form->optionArray("optScaleMode")[1].setValue(true);
  form->userKey(Key::ShiftTab);
  form->userKey(Key::Tab);
  EXPECT_EQ(focus(), "optScaleMode(1)");
}

TEST_F(LayoutTest, TabFromTheHeightGoesToOK) {
  form->show();
  form->textBox("txtSizeH").setEnabled(true);
  form->textBox("txtSizeH").setFocus();
  form->userKey(Key::Tab);
  EXPECT_EQ(focus(), "cmdOK");
}

TEST_F(LayoutTest, EnterClicksOKExceptOnAnotherButtonAndEscClicksCancel) {
  form->show();
  form->userKey(Key::Enter);
  form->button("cmdApply").setFocus();
  form->userKey(Key::Enter);
  form->userKey(Key::Escape);
  EXPECT_THAT(clicks, ::testing::ElementsAre("cmdOK", "cmdApply", "cmdCancel"));
  EXPECT_EQ(focus(), "cmdApply");
}

TEST_F(LayoutTest, AccessKeysOfTheLabels) {
  form->show();
  form->userAccessKey('Y');
  EXPECT_EQ(focus(), "txtSOLY");
  form->userAccessKey('X');
  EXPECT_EQ(focus(), "txtSOLX");
  form->textBox("txtSizeW").setEnabled(true);
  form->textBox("txtSizeH").setEnabled(true);
  form->userAccessKey('H');
  EXPECT_EQ(focus(), "txtSizeH");
  form->userAccessKey('W');
  EXPECT_EQ(focus(), "txtSizeW");
}

TEST_F(LayoutTest, BeforePopulationTheDisabledFieldsTakeNoInput) {
  form->show();
  for (const char* name : {"txtSizeW", "txtSizeH", "txtDSPaper", "txtDSModel", "cmdPrevious",
                           "txtCustomSize", "txtCustomScale"}) {
    EXPECT_EQ(form->userClick(form->control(name)).status, InputOutcome::Status::Refused) << name;
    EXPECT_EQ(form->userFocus(form->control(name)).status, InputOutcome::Status::Refused) << name;
    EXPECT_THROW(form->control(name).setFocus(), automation::Failure) << name;
  }
  EXPECT_EQ(focus(), "txtSOLX");
  EXPECT_TRUE(clicks.empty());
}

}  // namespace
