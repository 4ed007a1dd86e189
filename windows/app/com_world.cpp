#include "windows/app/com_world.hpp"

#include <iostream>
#include <string>

#include "automation/convert.hpp"
#include "automation/failure.hpp"
#include "component_state.hpp"
#include "platform/registry.hpp"
#include "ui/headless_engine.hpp"
#include "ui/text_units.hpp"
#include "windows/app/function_dispatch.hpp"
#include "windows/automation/bstr.hpp"
#include "windows/automation/com_dispatch.hpp"
#include "windows/handles/bstr.hpp"
#include "windows/handles/com_ptr.hpp"
#include "windows/host/session_objects.hpp"
#include "windows/session/protocol.hpp"

namespace windows {
namespace {

using automation::Variant;

// The input's number argument: the list entry, the key, the answer or the mouse button.
std::int32_t numberOf(const portable::UserAction& a) {
  switch (a.kind) {
    case portable::UserAction::Kind::Pick:
      return a.index;
    case portable::UserAction::Kind::Key:
      return static_cast<std::int32_t>(a.key);
    case portable::UserAction::Kind::Answer:
      return a.answer;
    case portable::UserAction::Kind::MouseClick:
      return a.button;
    default:
      return 0;
  }
}

std::string textOf(const portable::UserAction& a) {
  if (a.kind == portable::UserAction::Kind::AccessKey) return ui::text::utf8Of(a.letter);
  return a.text;
}

}  // namespace

ComWorld::ComWorld(::session::WorldSettings settings, const std::filesystem::path& dll,
                   std::unique_ptr<SessionPrinter> printer)
    : printer_(std::move(printer)),
      settings_(std::move(settings)),
      host_(::session::hostEnvironment(settings_)) {
  host_.setEventLog(&events_);
  try {
    library_ = std::make_unique<ServerLibrary>(registeredDll(dll));
    if (const std::string failure = library_->call("ZULRegisterServer"); !failure.empty()) {
      throw ::session::WorldUnavailable(dll.string() + ": " + failure);
    }
    if (settings_.helpFile) helpFile_.emplace(settings_.host.registeredName, *settings_.helpFile);
    using Session = host_classes::RegisteredHostClasses::Session;
    classes_ = std::make_unique<host_classes::RegisteredHostClasses>(host_, Session::Headless);
  } catch (...) {
    tearDown();
    throw;
  }
}

ComWorld::~ComWorld() {
  end();
  tearDown();
}

void ComWorld::tearDown() {
  session_.release();
  if (classes_) classes_->releaseSession();
  classes_.reset();
  helpFile_.reset();
  if (library_) library_->call("ZULUnregisterServer");
  library_.reset();
  CoFreeUnusedLibrariesEx(0, 0);  // at once, so that a private copy of the DLL can go
  if (privateFolder_) {
    std::error_code ignored;
    std::filesystem::remove_all(*privateFolder_, ignored);
  }
}

std::filesystem::path ComWorld::registeredDll(const std::filesystem::path& dll) {
  return ::session::componentWithPresentSatellites(settings_, dll, privateFolder_);
}

void ComWorld::attach(const automation::Object& session) {
  session_ = session;
  const automation::Object sink =
      callbackObject([this](automation::DispId, std::span<Variant> args) {
        if (args.size() == 2)
          events_.add(automation::toString(args[0]), automation::toString(args[1]));
        return Variant{};
      });
  const automation::Object view(std::make_shared<host_classes::ReferenceHostView>(host_));
  invokeMember(session_, harness::kSessionSetEventSink, automation::InvokeKind::Call,
               {Variant(sink)});
  invokeMember(session_, harness::kSessionSetHostView, automation::InvokeKind::Call,
               {Variant(view)});
  std::vector<portable::UserAction> waiting;
  waiting.swap(waiting_);
  for (auto& action : waiting) hand(std::move(action));
}

void ComWorld::post(portable::UserAction action) {
  if (session_.isSet()) {
    hand(std::move(action));
  } else {
    waiting_.push_back(std::move(action));
  }
}

void ComWorld::hand(portable::UserAction action) {
  if (action.kind == portable::UserAction::Kind::Probe) {
    const automation::Object probe = callbackObject(
        [this, step = std::move(action.probe)](automation::DispId, std::span<Variant>) {
          try {
            step();
          } catch (const std::exception& failure) {
            // The run ends here, in the DLL as in this process: what failed is thrown again
            // once the DLL has returned.
            probeFailure_ = std::current_exception();
            throw portable::RunAborted(failure.what());
          }
          return Variant{};
        });
    invokeMember(session_, harness::kSessionPostProbe, automation::InvokeKind::Call,
                 {Variant(probe)});
  } else {
    invokeMember(
        session_, harness::kSessionPost, automation::InvokeKind::Call,
        {Variant(static_cast<std::int32_t>(action.kind)), Variant(action.target),
         Variant(numberOf(action)), Variant(textOf(action)), Variant(action.x), Variant(action.y)});
  }
}

template <class Call>
void ComWorld::intoDll(Call&& call) {
  try {
    call();
  } catch (const portable::RunAborted&) {
    if (probeFailure_) std::rethrow_exception(std::exchange(probeFailure_, nullptr));
    throw;
  }
}

void ComWorld::runUntilIdle() {
  if (!session_.isSet()) return;
  intoDll([this] {
    invokeMember(session_, harness::kSessionRunUntilIdle, automation::InvokeKind::Call);
  });
}

void ComWorld::start() {
  CLSID clsid{};
  ComPtr<IDispatch> created;
  if (FAILED(CLSIDFromProgID(L"kstQuadrift412.CQuadrift", &clsid)) ||
      FAILED(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch,
                              created.putVoid()))) {
    throw portable::RunAborted("the registered component cannot be created");
  }
  command_ = ComDispatch::wrap(created.get());
  // The DLL made its engine with the command and attached it to the host's driver.
  if (!session_.isSet() && classes_->session().isSet()) attach(classes_->session());
  // The host holds its command object for the command's life, as the portable world does.
  commandObject_ = host_.commandObject();
  intoDll([this] {
    invokeMember(command_, command_.idOfName("Command_Initialize"), automation::InvokeKind::Call,
                 {Variant(commandObject_)});
  });
  // Without the session the component ran with no user and none of the script's input: a run
  // that would look finished without having run.
  if (!session_.isSet()) {
    throw portable::RunAborted("the component's engine never attached to the session");
  }
}

void ComWorld::end() {
  command_.release();
  commandObject_.release();
}

nlohmann::json ComWorld::componentState() {
  if (!session_.isSet()) return ::session::componentStateBeforeLoad();
  const Variant state = invokeMember(session_, harness::kSessionState, automation::InvokeKind::Get);
  try {
    return nlohmann::json::parse(automation::toString(state));
  } catch (const nlohmann::json::exception& wrong) {
    throw ::session::WorldUnavailable(std::string("the component's state is not JSON: ") +
                                      wrong.what());
  }
}

}  // namespace windows
