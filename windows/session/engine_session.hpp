#pragma once

#include <functional>
#include <memory>

#include "automation/object.hpp"
#include "windows/session/session_parts.hpp"

namespace windows::harness {

// The DLL's session object, which a host's session driver uses to run the headless engine: it
// queues the user's input and the driver's probes, runs the host's loop, reads the component's
// state, sends each logged event to the host's sink as it happens and takes mouse input through
// the host's view, and follows the component's guarded procedures for a driver that asks which
// one runs. Failures of the host's sink, view or probes end the run (RunAborted): the driver
// cannot go on without them, and they are no failure of the component's.
class EngineSession final : public automation::Dispatch {
 public:
  // `released` runs when the session goes, after it has let go of the engine and the log.
  EngineSession(SessionParts parts, std::function<void()> released);
  ~EngineSession() override;
  EngineSession(const EngineSession&) = delete;
  EngineSession& operator=(const EngineSession&) = delete;

  automation::Variant invoke(automation::DispId id, automation::InvokeKind kind,
                             std::span<automation::Variant> args) override;
  std::optional<automation::DispId> idOfName(std::string_view) override { return std::nullopt; }

 private:
  class HostView;
  class Procedures;

  void post(std::span<automation::Variant> args);
  void setEventSink(automation::Object sink);
  void setHostView(automation::Object view);

  SessionParts parts_;
  std::function<void()> released_;
  std::unique_ptr<HostView> view_;
  std::unique_ptr<Procedures> procedures_;
};

}  // namespace windows::harness
