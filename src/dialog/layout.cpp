#include "dialog/layout.hpp"

#include <array>
#include <stdexcept>
#include <string>
#include <vector>

namespace dialog::layout {

namespace {

using ui::Alignment;
using K = ui::ControlKind;
namespace f = flag;

// The host controls' persisted state: a tag, a version and the design extent (HIMETRIC). The
// controls keep it as their own; the dialog only stores it and hands it back at creation.
constexpr std::array<std::uint8_t, 18> kCommandControlState = {
    'Q', 'K', 'C', 'M', 1, 0, 0x59, 0x02, 0, 0, 0x59, 0x02, 0, 0, 0, 0, 0, 0};
constexpr std::array<std::uint8_t, 103> kMouseControlState = [] {
  std::array<std::uint8_t, 103> block{};
  const std::uint8_t head[] = {'Q', 'K', 'M', 'S', 1, 0, 0x59, 0x02, 0, 0, 0x59, 0x02, 0, 0};
  for (std::size_t i = 0; i < sizeof head; ++i) block[i] = head[i];
  return block;
}();

constexpr unsigned kHelp = f::kHelp;
constexpr Alignment kL = Alignment::Left;

// clang-format off
const std::array<ControlSpec, 32> kControls = {{
  {"ksCommand1", -1, K::HostControl, "", 4590, 2370, 420, 420, 30, "", f::kNoTabStop, kL,
   "K2DComndLib.ksCommand", kCommandControlState},
  {"cmdHelp", -1, K::CommandButton, "", 4500, 1790, 1125, 315, 23, "cmdHelp", kHelp, kL, "", {}},
  {"cmdCancel", -1, K::CommandButton, "", 4500, 605, 1125, 315, 20, "cmdCancel", kHelp | f::kCancel, kL, "", {}},
  {"cmdOK", -1, K::CommandButton, "", 4500, 210, 1125, 315, 19, "cmdOK", kHelp | f::kDefault, kL, "", {}},
  {"cmdPrevious", -1, K::CommandButton, "", 4500, 1395, 1125, 315, 22, "cmdPrevious", kHelp | f::kDisabled, kL, "", {}},
  {"cmdApply", -1, K::CommandButton, "", 4500, 1000, 1125, 315, 21, "cmdApply", kHelp, kL, "", {}},
  {"cmdMove", -1, K::CommandButton, "", 2350, 900, 1900, 315, 4, "cmdMove", kHelp | f::kOnTop, kL, "", {}},
  {"fraSheetSize", -1, K::Frame, "", 150, 3030, 5480, 1425, 28, "fraSheetSize", 0, kL, "", {}},
  {"txtCustomSize", -1, K::TextBox, "fraSheetSize", 2595, 615, 2470, 240, 25, "txtCustomSize", f::kDisabled | f::kHidden | f::kNoTabStop, kL, "", {}},
  {"cboSize", -1, K::ComboBox, "fraSheetSize", 2550, 570, 2800, 315, 13, "", kHelp | f::kDropDownList, kL, "", {}},
  {"txtSizeH", -1, K::TextBox, "fraSheetSize", 4200, 960, 1150, 345, 18, "txtSizeH", kHelp | f::kDisabled, kL, "", {}},
  {"txtSizeW", -1, K::TextBox, "fraSheetSize", 2550, 960, 1150, 345, 16, "txtSizeW", kHelp | f::kDisabled, kL, "", {}},
  {"optSheetSize", 2, K::OptionButton, "fraSheetSize", 180, 970, 2025, 255, 14, "optSheetSize(2)", kHelp, kL, "", {}},
  {"optSheetSize", 1, K::OptionButton, "fraSheetSize", 180, 635, 2325, 255, 12, "optSheetSize(1)", kHelp, kL, "", {}},
  {"optSheetSize", 0, K::OptionButton, "fraSheetSize", 180, 300, 4935, 255, 11, "optSheetSize(0)", kHelp, kL, "", {}},
  {"lblSizeH", -1, K::Label, "fraSheetSize", 3645, 1020, 495, 315, 17, "x  &H:", 0, Alignment::Right, "", {}},
  {"lblSizeW", -1, K::Label, "fraSheetSize", 2190, 1020, 300, 315, 15, "&W:", 0, Alignment::Right, "", {}},
  {"fraDrawingScale", -1, K::Frame, "", 150, 1470, 4215, 1425, 27, "fraDrawingScale", 0, kL, "", {}},
  {"txtCustomScale", -1, K::TextBox, "fraDrawingScale", 2310, 615, 1500, 240, 24, "txtCustomScale", f::kDisabled | f::kHidden | f::kNoTabStop, kL, "", {}},
  {"cboScale", -1, K::ComboBox, "fraDrawingScale", 2280, 570, 1830, 315, 7, "", kHelp | f::kDropDownList, kL, "", {}},
  {"txtDSModel", -1, K::TextBox, "fraDrawingScale", 3300, 960, 795, 345, 10, "txtDSModel", kHelp | f::kDisabled, kL, "", {}},
  {"txtDSPaper", -1, K::TextBox, "fraDrawingScale", 2280, 970, 795, 345, 9, "txtDSPaper", kHelp | f::kDisabled, kL, "", {}},
  {"optScaleMode", 2, K::OptionButton, "fraDrawingScale", 180, 970, 2055, 255, 8, "optScaleMode(2)", kHelp, kL, "", {}},
  {"optScaleMode", 1, K::OptionButton, "fraDrawingScale", 180, 635, 2115, 255, 6, "optScaleMode(1)", kHelp, kL, "", {}},
  {"optScaleMode", 0, K::OptionButton, "fraDrawingScale", 180, 300, 3855, 255, 5, "optScaleMode(0)", kHelp, kL, "", {}},
  {"lblEqual", -1, K::Label, "fraDrawingScale", 3045, 1050, 315, 195, 29, "=", 0, Alignment::Center, "", {}},
  {"fraSheetOrigin", -1, K::Frame, "", 150, 150, 4215, 1215, 26, "fraSheetOrigin", 0, kL, "", {}},
  {"txtSOLY", -1, K::TextBox, "fraSheetOrigin", 2480, 330, 1600, 315, 3, "txtSOLY", kHelp, kL, "", {}},
  {"txtSOLX", -1, K::TextBox, "fraSheetOrigin", 450, 330, 1600, 315, 1, "txtSOLX", kHelp, kL, "", {}},
  {"lblSOLY", -1, K::Label, "fraSheetOrigin", 2090, 390, 300, 255, 2, "&Y:", 0, Alignment::Right, "", {}},
  {"lblSOLX", -1, K::Label, "fraSheetOrigin", 180, 390, 195, 255, 0, "&X:", 0, Alignment::Right, "", {}},
  {"ksMouse1", -1, K::HostControl, "", 5040, 2370, 420, 420, 31, "", f::kNoTabStop, kL,
   "K2DMseLib.ksMouse", kMouseControlState},
}};
// clang-format on

const WindowSpec kWindow = {
    "frmMain",
    "frmMain",
    ui::WindowStyle{ui::BorderStyle::FixedDialog, false, false, false,
                    ui::StartUpPosition::CenterOwner, 5745, 4605},
    kHelpContextId,
    ui::Font{"MS Sans Serif", 8.25, 0},
};

ui::Control& create(ui::Form& form, const ControlSpec& spec) {
  ui::Frame* container =
      spec.container.empty() ? nullptr : &form.frame(std::string(spec.container));
  const std::string name(spec.name);
  const std::string text(spec.text);
  switch (spec.kind) {
    case K::CommandButton: {
      ui::CommandButton& b = form.addCommandButton(name, container);
      b.setCaption(text);
      b.setDefault(spec.has(f::kDefault));
      b.setCancel(spec.has(f::kCancel));
      return b;
    }
    case K::OptionButton: {
      ui::OptionButton& o = form.addOptionButton(name, spec.index, container);
      o.setCaption(text);
      o.setAlignment(spec.alignment);
      return o;
    }
    case K::ComboBox: {
      ui::ComboBox& list = form.addComboBox(name, container);
      list.setListOnly(spec.has(f::kDropDownList));
      return list;
    }
    case K::TextBox: {
      ui::TextBox& t = form.addTextBox(name, container);
      t.setText(text);
      t.setAlignment(spec.alignment);
      return t;
    }
    case K::Label: {
      ui::Label& l = form.addLabel(name, container);
      l.setCaption(text);
      l.setAlignment(spec.alignment);
      return l;
    }
    case K::Frame: {
      ui::Frame& fr = form.addFrame(name, container);
      fr.setCaption(text);
      return fr;
    }
    case K::HostControl:
      return form.addHostControl(
          name, std::string(spec.progId),
          std::vector<std::uint8_t>(spec.persisted.begin(), spec.persisted.end()));
  }
  throw std::logic_error("unknown control kind");
}

}  // namespace

const WindowSpec& window() {
  return kWindow;
}

std::span<const ControlSpec> controls() {
  return kControls;
}

std::unique_ptr<ui::Form> buildMainForm(ui::Engine& engine, ui::HostControlFactory& hostControls) {
  auto form = std::make_unique<ui::Form>(std::string(kWindow.name), engine, hostControls);
  form->setCaption(std::string(kWindow.caption));
  form->style() = kWindow.style;
  form->setHelpContextId(kWindow.helpContextId);
  form->font() = kWindow.font;
  for (const ControlSpec& spec : kControls) {
    ui::Control& c = create(*form, spec);
    c.setLeft(spec.left);
    c.setTop(spec.top);
    c.setWidth(spec.width);
    c.setHeight(spec.height);
    c.setTabIndex(spec.tabIndex);
    c.setTabStop(!spec.has(f::kNoTabStop));
    c.setEnabled(!spec.has(f::kDisabled));
    c.setVisible(!spec.has(f::kHidden));
    c.setDrawnOnTop(spec.has(f::kOnTop));
    if (spec.has(f::kHelp)) c.setHelpContextId(kHelpContextId);
    if (spec.kind != K::HostControl) c.giveFont(kWindow.font);
  }
  return form;
}

}  // namespace dialog::layout
