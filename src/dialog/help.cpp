#include "automation/guard.hpp"
#include "command/component.hpp"
#include "dialog/frm_main.hpp"
#include "platform/registry.hpp"

namespace dialog {

namespace {
constexpr std::uint32_t kHelpContext = 61191;
}  // namespace

// Opens the host's help file at the command's topic; the help file is looked up on every click.
void FrmMain::cmdHelp_Click() {
  automation::guarded(c_.reporting, "kstQuadrift.frmMain:cmdHelp_Click()", [&] {
    const std::string name = c_.HostApplication.registeredName();
    const std::string file = platform::GetHelpFileNameFromRegistry(c_.system(), c_.reporting, name);
    c_.system().HtmlHelpA(form_->hWnd(), c_.system().ToAnsi(file), platform::kHhHelpContext,
                          kHelpContext);
  });
}

}  // namespace dialog
