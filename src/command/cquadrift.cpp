#include "command/cquadrift.hpp"

#include "automation/convert.hpp"
#include "automation/guard.hpp"
#include "command/component.hpp"
#include "dialog/frm_main.hpp"
#include "host/auxiliary_views.hpp"
#include "platform/registry.hpp"

namespace command {

CQuadrift::CQuadrift(Component& component) : c_(component) {
  automation::guarded(c_.reporting, "kstQuadrift.CQuadrift:Class_Initialize()",
                      [&] { frmMain_ = std::make_unique<dialog::FrmMain>(c_); });
}

CQuadrift::~CQuadrift() {
  automation::guarded(c_.reporting, "kstQuadrift.CQuadrift:Class_Terminate()", [&] {
    c_.system().FreeLibrary(c_.ResourceLibrary);
    c_.ResourceLibrary = 0;
    if (frmMain_) frmMain_->form().unload();
  });
  frmMain_.reset();
}

void CQuadrift::Command_Initialize(automation::Object& BasicCmd) {
  automation::guarded(c_.reporting, "kstQuadrift.CQuadrift:Command_Initialize()", [&] {
    if (!frmMain_) throw automation::runtimeFailure(automation::errnum::kObjectNotSet);
    // Both look-ups are by name at run time. Reaching the control loads the dialog first.
    const automation::Object control =
        automation::toObject(frmMain_->object().getNamed("ksCommand1"));
    control.putNamed("Command", automation::Variant(BasicCmd));
  });
}

std::string CQuadrift::HelpFileName() {
  return automation::guardedFunction(
      c_.reporting, "kstQuadrift.CQuadrift:HelpFileName", std::string(), [&](std::string& result) {
        const host::HostApplication application = c_.hostGlobal().runningApplication();
        if (!application.isSet()) return;
        result = platform::GetHelpFileNameFromRegistry(c_.system(), c_.reporting,
                                                       application.registeredName());
      });
}

}  // namespace command
