#include "windows/host/com_host.hpp"

#include <objbase.h>

#include "automation/failure.hpp"
#include "ui/run_aborted.hpp"
#include "windows/automation/com_creator.hpp"

namespace windows::host_classes {
namespace {

constexpr char kComponentProgId[] = "kstQuadrift412.CQuadrift";

bool componentRegistered() {
  CLSID clsid{};
  return SUCCEEDED(CLSIDFromProgID(L"kstQuadrift412.CQuadrift", &clsid));
}

}  // namespace

ComHost::ComHost(refhost::Environment environment, std::filesystem::path dll,
                 Registration registration, RegisteredHostClasses::Session session)
    : host_(std::move(environment)),
      dll_(std::move(dll)),
      registration_(registration),
      classes_(host_, session) {
  host_.onCommandEnded([this] {
    if (ended_) ended_();
  });
  // With the real user the host keeps no log of the calls it serves (the sessions' checks read
  // it): over hours of use it would grow without end.
  if (session == RegisteredHostClasses::Session::None) host_.callLog().setRecording(false);
}

ComHost::~ComHost() {
  host_.onCommandEnded({});
  releaseCommand();
  if (registered_) registered_->call("ZULUnregisterServer");
  registered_.reset();
  CoFreeUnusedLibrariesEx(0, 0);  // at once, so that a private copy of the DLL can go
}

std::string ComHost::registerComponent() {
  if (registered_) return {};
  if (registration_ == Registration::IfUnregistered && componentRegistered()) return {};
  auto library = std::make_unique<ServerLibrary>(dll_);
  if (const std::string failure = library->call("ZULRegisterServer"); !failure.empty())
    return dll_.string() + ": " + failure;
  registered_ = std::move(library);
  return {};
}

// The DLL stays loaded, with its component-wide state, until the host goes, as a host keeps the
// commands it ran: the next run starts without loading it again.
void ComHost::releaseCommand() {
  command_ = {};
  commandObject_ = {};
}

void ComHost::releaseEndedCommand() {
  if (command_.isSet() && host_.command().done) releaseCommand();
}

void ComHost::startCommand(const std::function<void()>& created) {
  if (std::string failure = registerComponent(); !failure.empty()) {
    throw automation::Failure(automation::kCannotCreateObject, failure, "ComHost");
  }
  command_ = ComCreator().create(kComponentProgId);
  if (created) created();
  commandObject_ = host_.commandObject();
  command_.call(command_.idOfName("Command_Initialize"), {automation::Variant(commandObject_)});
}

std::string ComHost::runCommand() {
  if (commandRunning()) return "the command runs already";
  if (std::string failure = registerComponent(); !failure.empty()) return failure;
  std::string outcome;
  try {
    startCommand();
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

}  // namespace windows::host_classes
