#include "dialog/frm_main.hpp"

#include <optional>

#include "automation/convert.hpp"
#include "automation/failure.hpp"
#include "automation/guard.hpp"
#include "command/component.hpp"
#include "dialog/caption_scan.hpp"
#include "dialog/frm_main_controls.hpp"
#include "dialog/layout.hpp"

namespace dialog {

// The dialog as the host's late binding sees it: a member by name for each host control on it,
// whose value is that control's own object. Reaching it loads the form first.
class FrmMain::LateBound final : public automation::Dispatch {
 public:
  explicit LateBound(ui::Form& form) : form_(form) {}

  automation::Variant invoke(automation::DispId id, automation::InvokeKind kind,
                             std::span<automation::Variant>) override {
    const auto& controls = form_.controls();
    if (kind != automation::InvokeKind::Get || id < 0 ||
        static_cast<std::size_t>(id) >= controls.size() ||
        controls[static_cast<std::size_t>(id)]->kind() != ui::ControlKind::HostControl) {
      throw automation::runtimeFailure(automation::errnum::kMemberNotFound);
    }
    return automation::Variant(
        static_cast<ui::HostControl*>(controls[static_cast<std::size_t>(id)])->object());
  }

  std::optional<automation::DispId> idOfName(std::string_view name) override {
    const auto& controls = form_.controls();
    for (std::size_t i = 0; i < controls.size(); ++i) {
      if (controls[i]->kind() == ui::ControlKind::HostControl && controls[i]->name() == name) {
        return static_cast<automation::DispId>(i);
      }
    }
    return std::nullopt;
  }

 private:
  ui::Form& form_;
};

FrmMain::FrmMain(command::Component& component)
    : c_(component),
      form_(layout::buildMainForm(component.env.engine, component.env.hostControls)),
      ctl_(std::make_unique<Controls>(*form_)) {
  wireEvents();
}

FrmMain::~FrmMain() = default;

automation::Object FrmMain::object() {
  return automation::Object(std::make_shared<LateBound>(*form_));
}

void FrmMain::wireEvents() {
  Controls& k = *ctl_;
  form_->onLoad = [this] { Form_Load(); };
  form_->onQueryUnload = [this](std::int16_t& cancel, std::int16_t mode) {
    Form_QueryUnload(cancel, mode);
  };
  // F1 opens the one topic the Help button opens, whichever control has the focus.
  form_->onHelp = [this](std::int32_t) { cmdHelp_Click(); };
  k.ksCommand1.onEvent = [this](std::string_view event, std::span<automation::Variant>) {
    onCommandEvent(event);
  };
  k.ksMouse1.onEvent = [this](std::string_view event, std::span<automation::Variant> args) {
    onMouseEvent(event, args);
  };

  k.optSheetSize.onClick = [this](std::int16_t index) { optSheetSize_Click(index); };
  k.cboSize.onClick = [this] { cboSize_Click(); };
  k.optScaleMode.onClick = [this](std::int16_t index) { optScaleMode_Click(index); };
  k.cboScale.onClick = [this] { cboScale_Click(); };

  for (ui::TextBox* field :
       {&k.txtSizeW, &k.txtSizeH, &k.txtDSModel, &k.txtDSPaper, &k.txtSOLX, &k.txtSOLY}) {
    const std::string prefix = "kstQuadrift.frmMain:" + field->name();
    field->onGotFocus = [this, field, ident = prefix + "_GotFocus()"] {
      lengthField_GotFocus(*field, ident);
    };
    field->onLostFocus = [this, field, ident = prefix + "_LostFocus()"] {
      lengthField_LostFocus(*field, ident);
    };
  }

  k.cmdApply.onClick = [this] { cmdApply_Click(); };
  k.cmdPrevious.onClick = [this] { cmdPrevious_Click(); };
  k.cmdOK.onClick = [this] { cmdOK_Click(); };
  k.cmdCancel.onClick = [this] { cmdCancel_Click(); };
  k.cmdHelp.onClick = [this] { cmdHelp_Click(); };
  k.cmdMove.onClick = [this] { cmdMove_Click(); };
}

void FrmMain::onCommandEvent(std::string_view event) {
  if (event == "Initialize") {
    ksCommand1_Initialize();
  } else if (event == "Terminate") {
    ksCommand1_Terminate();
  }
}

void FrmMain::onMouseEvent(std::string_view event, std::span<automation::Variant> args) {
  if (event == "MouseMove") {
    ksMouse1_MouseMove(args);
  } else if (event == "MouseClick") {
    ksMouse1_MouseClick(args);
  }
}

void FrmMain::showLength(ui::TextBox& field, double length) {
  field.setText(c_.HostDocument.formatDistance(length));
}

void FrmMain::showCaptionLengths(const CaptionLengths& texts, ui::TextBox& first,
                                 ui::TextBox& second) {
  automation::Suppressed stretch;
  double length = 0;
  stretch.step([&] { length = c_.HostDocument.parseDistance(texts.first); });
  if (stretch.failed()) {
    stretch.clear();
  } else {
    stretch.step([&] { showLength(first, length); });
  }
  stretch.step([&] { length = c_.HostDocument.parseDistance(texts.second); });
  if (stretch.failed()) {
    stretch.clear();
  } else {
    stretch.step([&] { showLength(second, length); });
  }
}

}  // namespace dialog
