#include "windows/desktop/desktop_host.hpp"

#include <objbase.h>

#include "automation/failure.hpp"
#include "ui/run_aborted.hpp"
#include "windows/automation/com_creator.hpp"

namespace windows::desktop {
namespace {

constexpr char kComponentProgId[] = "kstQuadrift412.CQuadrift";

bool componentRegistered() {
  CLSID clsid{};
  return SUCCEEDED(CLSIDFromProgID(L"kstQuadrift412.CQuadrift", &clsid));
}

}  // namespace

DesktopHost::DesktopHost(refhost::Environment environment, std::filesystem::path dll,
                         Registration registration)
    : host_(std::move(environment)),
      dll_(std::move(dll)),
      registration_(registration),
      classes_(host_, host_classes::RegisteredHostClasses::Session::None) {
  host_.onCommandEnded([this] {
    if (ended_) ended_();
  });
}

DesktopHost::~DesktopHost() {
  host_.onCommandEnded({});
  releaseCommand();
  if (registered_) registered_->call("ZULUnregisterServer");
  registered_.reset();
  CoFreeUnusedLibraries();
}

std::string DesktopHost::registerComponent() {
  if (registered_) return {};
  if (registration_ == Registration::IfUnregistered && componentRegistered()) return {};
  auto library = std::make_unique<ServerLibrary>(dll_);
  if (const std::string failure = library->call("ZULRegisterServer"); !failure.empty())
    return dll_.string() + ": " + failure;
  registered_ = std::move(library);
  return {};
}

// The DLL stays loaded, with its component-wide state, until the program ends, as a host keeps
// the commands it ran: the next run starts without loading it again.
void DesktopHost::releaseCommand() {
  command_ = {};
}

void DesktopHost::releaseEndedCommand() {
  if (command_.isSet() && host_.command().done) releaseCommand();
}

std::string DesktopHost::runCommand() {
  if (commandRunning()) return "the command runs already";
  if (std::string failure = registerComponent(); !failure.empty()) return failure;
  std::string outcome;
  try {
    command_ = ComCreator().create(kComponentProgId);
    command_.call(command_.idOfName("Command_Initialize"),
                  {automation::Variant(host_.commandObject())});
  } catch (const automation::Failure& failure) {
    outcome = "the command failed: " + failure.description;
  } catch (const portable::RunAborted& aborted) {
    outcome = std::string("the command's run ended: ") + aborted.what();
  }
  // Command_Initialize returns when the dialog is hidden: the run ended (OK, Cancel, the close
  // control) or goes on in the host's view (Move).
  if (!outcome.empty() || host_.command().done) releaseCommand();
  return outcome;
}

}  // namespace windows::desktop
