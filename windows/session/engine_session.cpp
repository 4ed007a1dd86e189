#include "windows/session/engine_session.hpp"

#include <algorithm>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "automation/convert.hpp"
#include "automation/failure.hpp"
#include "automation/variant.hpp"
#include "component_state.hpp"
#include "ui/run_aborted.hpp"
#include "ui/text_units.hpp"
#include "windows/session/protocol.hpp"

namespace windows::harness {
namespace {

using automation::InvokeKind;
using automation::Variant;
using Kind = portable::UserAction::Kind;

// Runs a call into the host's side, turning its failure into the end of the run.
template <class Body>
auto hostStep(const char* what, Body&& body) {
  try {
    return body();
  } catch (const automation::Failure& failure) {
    throw portable::RunAborted(std::string("the host's ") + what +
                               " failed: " + failure.description);
  }
}

void expectCount(std::span<Variant> args, std::size_t count) {
  if (args.size() != count) throw automation::Failure(450, "Wrong number of arguments");
}

automation::Failure invalidArgument() {
  return automation::runtimeFailure(automation::errnum::kInvalidProcedureCall);
}

}  // namespace

class EngineSession::HostView final : public portable::HostViewInput {
 public:
  explicit HostView(automation::Object view) : view_(std::move(view)) {}
  std::optional<std::string> mouseMove(double x, double y) override {
    return hostStep("view", [&] {
      return refusal(view_.call(kViewMouseMove, {Variant(x), Variant(y)}));
    });
  }
  std::optional<std::string> mouseClick(std::int16_t button, double x, double y) override {
    return hostStep("view", [&] {
      return refusal(view_.call(kViewMouseClick, {Variant(button), Variant(x), Variant(y)}));
    });
  }

 private:
  static std::optional<std::string> refusal(const Variant& answer) {
    std::string why = automation::toString(answer);
    if (why.empty()) return std::nullopt;
    return why;
  }
  automation::Object view_;
};

// The guarded procedures running now, innermost last, and each one entered so far, once. Only a
// procedure seen for the first time allocates, so a session's mouse moves still allocate nothing.
class EngineSession::Procedures final : public automation::ProcedureObserver {
 public:
  Procedures() { running_.reserve(32); }
  void entering(std::string_view ident, std::string_view function) noexcept override {
    running_.push_back(ident);  // valid until it leaves
    // A function's name is a literal: the same address is the same function, so a look-up
    // compares one pointer per entry and the texts of one entry. The latest first: the
    // procedures a run keeps entering (a mouse move's) were first seen late.
    const auto sameAddress = [&](const Entered& e) {
      return e.functionAt == function.data() && e.ident == ident;
    };
    const auto sameText = [&](const Entered& e) {
      return e.ident == ident && e.function == function;
    };
    if (std::any_of(entered_.rbegin(), entered_.rend(), sameAddress)) return;
    if (std::any_of(entered_.rbegin(), entered_.rend(), sameText)) return;
    entered_.push_back({std::string(ident), std::string(function), function.data()});
  }
  void leaving(std::string_view) noexcept override {
    if (!running_.empty()) running_.pop_back();
  }
  std::string running() const {
    return running_.empty() ? std::string() : std::string(running_.back());
  }
  std::string entered() const {
    std::string lines;
    for (const Entered& e : entered_) lines += e.ident + "\t" + e.function + "\n";
    return lines;
  }

 private:
  struct Entered {
    std::string ident;
    std::string function;
    const char* functionAt;  // where the name was when first seen
  };
  std::vector<std::string_view> running_;
  std::vector<Entered> entered_;
};

EngineSession::EngineSession(SessionParts parts, std::function<void()> released)
    : parts_(std::move(parts)),
      released_(std::move(released)),
      procedures_(std::make_unique<Procedures>()) {
  parts_.component.reporting.followProcedures(procedures_.get());
}

EngineSession::~EngineSession() {
  parts_.component.reporting.followProcedures(nullptr);
  parts_.engine.setHostView(nullptr);
  parts_.events.setObserver({});
  view_.reset();
  if (released_) released_();
}

Variant EngineSession::invoke(automation::DispId id, InvokeKind kind, std::span<Variant> args) {
  const bool put = kind == InvokeKind::Put;
  const bool get = kind == InvokeKind::Get;
  switch (id) {
    case kSessionPost:
      if (put || get) break;
      post(args);
      return {};
    case kSessionPostProbe: {
      if (put || get) break;
      expectCount(args, 1);
      automation::Object callback = automation::toObject(args[0]);
      if (!callback.isSet()) throw invalidArgument();
      parts_.engine.post(portable::UserAction::probeStep(
          [callback] { hostStep("probe", [&] { return callback.call(DISPID_VALUE); }); }));
      return {};
    }
    case kSessionState:
      if (!get) break;
      expectCount(args, 0);
      return Variant(::session::componentStateJson(parts_.component,
                                                   parts_.dialog ? parts_.dialog() : nullptr,
                                                   parts_.engine, parts_.system.helpCalls())
                         .dump());
    case kSessionSetEventSink:
      if (get) break;
      expectCount(args, 1);
      setEventSink(automation::toObject(args[0]));
      return {};
    case kSessionSetHostView:
      if (get) break;
      expectCount(args, 1);
      setHostView(automation::toObject(args[0]));
      return {};
    case kSessionRunUntilIdle:
      if (put || get) break;
      expectCount(args, 0);
      parts_.engine.runUntilIdle();
      return {};
    case kSessionPending:
      if (!get) break;
      expectCount(args, 0);
      return Variant(static_cast<std::int32_t>(parts_.engine.pending()));
    case kSessionProcedure:
      if (!get) break;
      expectCount(args, 0);
      return Variant(procedures_->running());
    case kSessionProceduresEntered:
      if (!get) break;
      expectCount(args, 0);
      return Variant(procedures_->entered());
    case kSessionMessageBoxOpen:
      if (!get) break;
      expectCount(args, 0);
      return Variant(automation::Bool16::of(parts_.engine.messageBoxOpen()));
    default:
      break;
  }
  throw automation::runtimeFailure(automation::errnum::kMemberNotFound);
}

void EngineSession::post(std::span<Variant> args) {
  expectCount(args, 6);
  const std::int32_t kind = automation::toInt32(args[0]);
  const std::string target = automation::toString(args[1]);
  const std::int32_t number = automation::toInt32(args[2]);
  const std::string text = automation::toString(args[3]);
  const double x = automation::toDouble(args[4]);
  const double y = automation::toDouble(args[5]);
  portable::UserAction action;
  switch (static_cast<Kind>(kind)) {
    case Kind::Click:
      action = portable::UserAction::click(target);
      break;
    case Kind::Pick:
      action = portable::UserAction::pick(target, automation::toInt16(Variant(number)));
      break;
    case Kind::Focus:
      action = portable::UserAction::focus(target);
      break;
    case Kind::Type:
      action = portable::UserAction::type(text);
      break;
    case Kind::Key:
      if (number < 0 || number > static_cast<std::int32_t>(ui::kLastKey)) throw invalidArgument();
      action = portable::UserAction::press(static_cast<ui::Key>(number));
      break;
    case Kind::AccessKey:
      if (ui::text::length(text) != 1) throw invalidArgument();
      action = portable::UserAction::alt(ui::text::codePointAt(text, 0));
      break;
    case Kind::Close:
      action = portable::UserAction::close();
      break;
    case Kind::Answer:
      action = portable::UserAction::answerBox(number);
      break;
    case Kind::MouseMove:
      action = portable::UserAction::mouseMove(x, y);
      break;
    case Kind::MouseClick:
      action = portable::UserAction::mouseClick(automation::toInt16(Variant(number)), x, y);
      break;
    default:  // probes come through their own member; anything else is no action
      throw invalidArgument();
  }
  parts_.engine.post(std::move(action));
}

void EngineSession::setEventSink(automation::Object sink) {
  if (!sink.isSet()) {
    parts_.events.setObserver({});
    return;
  }
  parts_.events.setObserver([sink](const portable::Event& event) {
    hostStep("event sink", [&] {
      return sink.call(DISPID_VALUE, {Variant(event.kind), Variant(event.text)});
    });
  });
}

void EngineSession::setHostView(automation::Object view) {
  parts_.engine.setHostView(nullptr);
  view_.reset();
  if (!view.isSet()) return;
  view_ = std::make_unique<HostView>(std::move(view));
  parts_.engine.setHostView(view_.get());
}

}  // namespace windows::harness
