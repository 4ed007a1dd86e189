#include "dialog/layout.hpp"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstddef>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "../ui/fake_host_controls.hpp"
#include "ui/accessible_name.hpp"
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

// The dialog as designed, written out control by control in tab order within each container.
// Unset values are the host controls' own (size, tab index, tab stop): the design leaves them open.
struct ExpectedControl {
  std::string_view name;
  std::int16_t index;
  ui::ControlKind kind;
  std::string_view container;
  std::int32_t left, top;
  std::optional<std::int32_t> width, height;
  std::optional<std::int16_t> tabIndex;
  std::string_view text;
  unsigned flags;
  ui::Alignment alignment;
  std::string_view progId;
  std::size_t persistedSize;
};

TEST_F(LayoutTest, EveryControlMatchesTheDesign) {
  using K = ui::ControlKind;
  using A = ui::Alignment;
  namespace f = dialog::layout::flag;
  constexpr unsigned H = f::kHelp;
  constexpr unsigned kHostFlagsLeftOpen = f::kNoTabStop;
  constexpr std::nullopt_t open = std::nullopt;
  // clang-format off
  const std::vector<ExpectedControl> expected = {
    {"cmdMove", -1, K::CommandButton, "", 2350, 900, 1900, 315, 4, "cmdMove", H | f::kOnTop, A::Left, "", 0},
    {"cmdOK", -1, K::CommandButton, "", 4500, 210, 1125, 315, 19, "cmdOK", H | f::kDefault, A::Left, "", 0},
    {"cmdCancel", -1, K::CommandButton, "", 4500, 605, 1125, 315, 20, "cmdCancel", H | f::kCancel, A::Left, "", 0},
    {"cmdApply", -1, K::CommandButton, "", 4500, 1000, 1125, 315, 21, "cmdApply", H, A::Left, "", 0},
    {"cmdPrevious", -1, K::CommandButton, "", 4500, 1395, 1125, 315, 22, "cmdPrevious", H | f::kDisabled, A::Left, "", 0},
    {"cmdHelp", -1, K::CommandButton, "", 4500, 1790, 1125, 315, 23, "cmdHelp", H, A::Left, "", 0},
    {"fraSheetOrigin", -1, K::Frame, "", 150, 150, 4215, 1215, 26, "fraSheetOrigin", 0, A::Left, "", 0},
    {"fraDrawingScale", -1, K::Frame, "", 150, 1470, 4215, 1425, 27, "fraDrawingScale", 0, A::Left, "", 0},
    {"fraSheetSize", -1, K::Frame, "", 150, 3030, 5480, 1425, 28, "fraSheetSize", 0, A::Left, "", 0},

    {"lblSOLX", -1, K::Label, "fraSheetOrigin", 180, 390, 195, 255, 0, "&X:", 0, A::Right, "", 0},
    {"txtSOLX", -1, K::TextBox, "fraSheetOrigin", 450, 330, 1600, 315, 1, "txtSOLX", H, A::Left, "", 0},
    {"lblSOLY", -1, K::Label, "fraSheetOrigin", 2090, 390, 300, 255, 2, "&Y:", 0, A::Right, "", 0},
    {"txtSOLY", -1, K::TextBox, "fraSheetOrigin", 2480, 330, 1600, 315, 3, "txtSOLY", H, A::Left, "", 0},

    {"optScaleMode", 0, K::OptionButton, "fraDrawingScale", 180, 300, 3855, 255, 5, "optScaleMode(0)", H, A::Left, "", 0},
    {"optScaleMode", 1, K::OptionButton, "fraDrawingScale", 180, 635, 2115, 255, 6, "optScaleMode(1)", H, A::Left, "", 0},
    {"cboScale", -1, K::ComboBox, "fraDrawingScale", 2280, 570, 1830, 315, 7, "", H | f::kDropDownList, A::Left, "", 0},
    {"optScaleMode", 2, K::OptionButton, "fraDrawingScale", 180, 970, 2055, 255, 8, "optScaleMode(2)", H, A::Left, "", 0},
    {"txtDSPaper", -1, K::TextBox, "fraDrawingScale", 2280, 970, 795, 345, 9, "txtDSPaper", H | f::kDisabled, A::Left, "", 0},
    {"txtDSModel", -1, K::TextBox, "fraDrawingScale", 3300, 960, 795, 345, 10, "txtDSModel", H | f::kDisabled, A::Left, "", 0},
    {"txtCustomScale", -1, K::TextBox, "fraDrawingScale", 2310, 615, 1500, 240, 24, "txtCustomScale", f::kDisabled | f::kHidden | f::kNoTabStop, A::Left, "", 0},
    {"lblEqual", -1, K::Label, "fraDrawingScale", 3045, 1050, 315, 195, 29, "=", 0, A::Center, "", 0},

    {"optSheetSize", 0, K::OptionButton, "fraSheetSize", 180, 300, 4935, 255, 11, "optSheetSize(0)", H, A::Left, "", 0},
    {"optSheetSize", 1, K::OptionButton, "fraSheetSize", 180, 635, 2325, 255, 12, "optSheetSize(1)", H, A::Left, "", 0},
    {"cboSize", -1, K::ComboBox, "fraSheetSize", 2550, 570, 2800, 315, 13, "", H | f::kDropDownList, A::Left, "", 0},
    {"optSheetSize", 2, K::OptionButton, "fraSheetSize", 180, 970, 2025, 255, 14, "optSheetSize(2)", H, A::Left, "", 0},
    {"lblSizeW", -1, K::Label, "fraSheetSize", 2190, 1020, 300, 315, 15, "&W:", 0, A::Right, "", 0},
    {"txtSizeW", -1, K::TextBox, "fraSheetSize", 2550, 960, 1150, 345, 16, "txtSizeW", H | f::kDisabled, A::Left, "", 0},
    {"lblSizeH", -1, K::Label, "fraSheetSize", 3645, 1020, 495, 315, 17, "x  &H:", 0, A::Right, "", 0},
    {"txtSizeH", -1, K::TextBox, "fraSheetSize", 4200, 960, 1150, 345, 18, "txtSizeH", H | f::kDisabled, A::Left, "", 0},
    {"txtCustomSize", -1, K::TextBox, "fraSheetSize", 2595, 615, 2470, 240, 25, "txtCustomSize", f::kDisabled | f::kHidden | f::kNoTabStop, A::Left, "", 0},

    {"ksCommand1", -1, K::HostControl, "", 4590, 2370, open, open, open, "", 0, A::Left, "K2DComndLib.ksCommand", 18},
    {"ksMouse1", -1, K::HostControl, "", 5040, 2370, open, open, open, "", 0, A::Left, "K2DMseLib.ksMouse", 103},
  };
  // clang-format on

  const auto rows = dialog::layout::controls();
  std::vector<bool> matched(rows.size(), false);
  for (const ExpectedControl& e : expected) {
    const std::string id = e.index < 0 ? std::string(e.name)
                                       : std::string(e.name) + "(" + std::to_string(e.index) + ")";
    SCOPED_TRACE(id);
    std::size_t found = rows.size();
    for (std::size_t i = 0; i < rows.size(); ++i) {
      if (rows[i].name == e.name && rows[i].index == e.index) {
        EXPECT_EQ(found, rows.size()) << "listed twice";
        found = i;
      }
    }
    if (found == rows.size()) {
      ADD_FAILURE() << "missing from the layout";
      continue;
    }
    matched[found] = true;
    const dialog::layout::ControlSpec& r = rows[found];
    const unsigned openFlags = e.kind == K::HostControl ? kHostFlagsLeftOpen : 0u;
    EXPECT_EQ(r.kind, e.kind);
    EXPECT_EQ(r.container, e.container);
    EXPECT_EQ(r.left, e.left);
    EXPECT_EQ(r.top, e.top);
    if (e.width) {
      EXPECT_EQ(r.width, *e.width);
    }
    if (e.height) {
      EXPECT_EQ(r.height, *e.height);
    }
    // Tab indices 0 to 29 belong to the designed controls; one left open must not take any.
    if (e.tabIndex) {
      EXPECT_EQ(r.tabIndex, *e.tabIndex);
    } else {
      EXPECT_GT(r.tabIndex, 29);
    }
    EXPECT_EQ(r.text, e.text);
    EXPECT_EQ(r.flags & ~openFlags, e.flags);
    EXPECT_EQ(r.alignment, e.alignment);
    EXPECT_EQ(r.progId, e.progId);
    EXPECT_EQ(r.persisted.size(), e.persistedSize);

    // The built dialog carries the same design.
    const ui::Control& c = form->control(id);
    EXPECT_EQ(c.kind(), e.kind);
    EXPECT_EQ(c.container() ? c.container()->name() : std::string(), e.container);
    EXPECT_EQ(c.left(), e.left);
    EXPECT_EQ(c.top(), e.top);
    if (e.width) {
      EXPECT_EQ(c.width(), *e.width);
    }
    if (e.height) {
      EXPECT_EQ(c.height(), *e.height);
    }
    if (e.tabIndex) {
      EXPECT_EQ(c.tabIndex(), *e.tabIndex);
    }
    if (e.kind != K::HostControl) {
      EXPECT_EQ(c.tabStop(), (e.flags & f::kNoTabStop) == 0);
    }
    EXPECT_EQ(c.enabled(), (e.flags & f::kDisabled) == 0);
    EXPECT_EQ(c.visible(), (e.flags & f::kHidden) == 0);
    EXPECT_EQ(c.helpContextId(), (e.flags & H) != 0 ? 61191 : 0);
    EXPECT_EQ(c.drawnOnTop(), (e.flags & f::kOnTop) != 0);
    if (const auto* list = dynamic_cast<const ui::ComboBox*>(&c)) {
      EXPECT_EQ(list->listOnly(), (e.flags & f::kDropDownList) != 0);
    }
    if (const auto* b = dynamic_cast<const ui::CommandButton*>(&c)) {
      EXPECT_EQ(b->caption(), e.text);
      EXPECT_EQ(b->isDefault(), (e.flags & f::kDefault) != 0);
      EXPECT_EQ(b->isCancel(), (e.flags & f::kCancel) != 0);
    } else if (const auto* o = dynamic_cast<const ui::OptionButton*>(&c)) {
      EXPECT_EQ(o->caption(), e.text);
      EXPECT_EQ(o->alignment(), e.alignment);
    } else if (const auto* t = dynamic_cast<const ui::TextBox*>(&c)) {
      EXPECT_EQ(t->text(), e.text);
      EXPECT_EQ(t->alignment(), e.alignment);
    } else if (const auto* l = dynamic_cast<const ui::Label*>(&c)) {
      EXPECT_EQ(l->caption(), e.text);
      EXPECT_EQ(l->alignment(), e.alignment);
    } else if (const auto* fr = dynamic_cast<const ui::Frame*>(&c)) {
      EXPECT_EQ(fr->caption(), e.text);
    }
  }
  for (std::size_t i = 0; i < rows.size(); ++i) {
    EXPECT_TRUE(matched[i]) << "not in the design: " << rows[i].name << "(" << rows[i].index << ")";
  }
  EXPECT_EQ(form->controls().size(), expected.size());
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

// Fields and lists are named by the label or option before them in tab order, as a sighted user
// reads them; the rest by their own captions, without access keys.
TEST_F(LayoutTest, AccessibleNamesFromNeighboursAndCaptions) {
  const std::pair<const char*, const char*> names[] = {
      {"txtSOLX", "X:"},
      {"txtSOLY", "Y:"},
      {"txtSizeW", "W:"},
      {"txtSizeH", "x H:"},
      {"cboSize", "optSheetSize(1)"},
      {"cboScale", "optScaleMode(1)"},
      {"txtDSPaper", "optScaleMode(2)"},
      {"txtDSModel", "optScaleMode(2)"},  // past the paper field, to the option of both
      {"lblSizeH", "x H:"},
      {"cmdOK", "cmdOK"},
      {"ksCommand1", ""},
  };
  for (const auto& [control, name] : names) {
    EXPECT_EQ(ui::accessibleNameOf(form->control(control)), name) << control;
  }
  for (const auto& [caption, spoken] : {std::pair{"&&Save && &Quit", "&Save & Quit"},
                                        std::pair{"  a\t b ", "a b"}, std::pair{"End&", "End"}}) {
    EXPECT_EQ(ui::spokenCaption(caption), spoken) << caption;
  }
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
