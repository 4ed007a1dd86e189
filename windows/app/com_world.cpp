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
    : printer_(std::move(printer)), settings_(std::move(settings)) {
  try {
    comHost_ = std::make_unique<host_classes::ComHost>(
        ::session::hostEnvironment(settings_), registeredDll(dll),
        host_classes::ComHost::Registration::Always,
        host_classes::RegisteredHostClasses::Session::Headless);
    comHost_->host().setEventLog(&events_);
    if (const std::string failure = comHost_->registerComponent(); !failure.empty()) {
      throw ::session::WorldUnavailable(failure);
    }
    if (settings_.helpFile) helpFile_.emplace(settings_.host.registeredName, *settings_.helpFile);
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
  if (comHost_) comHost_->classes().releaseSession();
  helpFile_.reset();
  comHost_.reset();
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
  const automation::Object view(std::make_shared<host_classes::ReferenceHostView>(host()));
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
  try {
    intoDll([this] {
      comHost_->startCommand([this] {
        // The DLL made its engine with the command and attached it to the host's driver.
        const automation::Object& attached = comHost_->classes().session();
        if (!session_.isSet() && attached.isSet()) attach(attached);
      });
    });
  } catch (const automation::Failure& failure) {
    throw ::session::WorldUnavailable("the command cannot run: " + failure.description);
  }
  // Without the session the component ran with no user and none of the script's input: a run
  // that would look finished without having run.
  if (!session_.isSet()) {
    throw portable::RunAborted("the component's engine never attached to the session");
  }
}

void ComWorld::end() {
  if (comHost_) comHost_->releaseCommand();
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
