#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>

#include "automation/failure.hpp"
#include "automation/object.hpp"
#include "automation/variant.hpp"
#include "call_log.hpp"
#include "fault_injection.hpp"

namespace refhost {

// Which side is running: the host, or the component inside an event the host raised.
enum class Side { Host, Component };

// What every object of one host shares: the call log, the fault injector, the number of
// objects handed out and not yet released, and which side runs. Objects hold it by shared
// pointer, so an object the component keeps after the host is gone still works.
struct HostContext {
  CallLog log;
  FaultInjector faults;
  std::size_t liveObjects = 0;
  std::size_t liveErrorReporters = 0;  // of liveObjects: the error reporters
  Side running = Side::Host;
  // Told each time `running` changes, when set; a benchmark tells the two sides' costs apart
  // by it.
  std::function<void(Side now)> onSideChanged;
};

// Marks a stretch run by `side` (a host call, an event handed to the component) and restores
// the side that ran before when it ends, however it ends.
class SideScope {
 public:
  SideScope(HostContext& context, Side side);
  ~SideScope();
  SideScope(const SideScope&) = delete;
  SideScope& operator=(const SideScope&) = delete;

 private:
  void enter(Side side);

  HostContext& context_;
  Side before_;
};

// Base of the host's late-bound objects. Each instance is one reference handed out (as a COM
// server hands out a new interface pointer for every get), counted live until its last
// `automation::Object` is released. Every call is logged, then checked against the fault
// injector, then performed.
class HostObject : public automation::Dispatch {
 public:
  HostObject(std::shared_ptr<HostContext> context, std::string name);
  ~HostObject() override;
  HostObject(const HostObject&) = delete;
  HostObject& operator=(const HostObject&) = delete;

  automation::Variant invoke(automation::DispId id, automation::InvokeKind kind,
                             std::span<automation::Variant> args) final;
  std::optional<automation::DispId> idOfName(std::string_view name) final;

  const std::string& name() const { return name_; }

 protected:
  // Does the member's work; throws `Failure` for a member the object lacks or a refused value.
  virtual automation::Variant perform(automation::DispId id, automation::InvokeKind kind,
                                      std::span<automation::Variant> args) = 0;
  // Members the object offers by name, and the names of its ids (for the log).
  virtual std::optional<automation::DispId> memberNamed(std::string_view) const { return {}; }
  virtual std::string_view nameOfMember(automation::DispId) const { return {}; }

  const std::shared_ptr<HostContext>& context() const { return context_; }
  // A new reference of type `T` (a HostObject) sharing this host's context.
  template <class T, class... Args>
  automation::Object hand(Args&&... args) const {
    return automation::Object(std::make_shared<T>(context_, std::forward<Args>(args)...));
  }
  // Failure for a member the object does not have, or not with that kind of access.
  automation::Failure noSuchMember(automation::DispId id, automation::InvokeKind kind) const;
  // Failure for a value the host refuses (invalid procedure call or argument, 5).
  automation::Failure refused(std::string description) const;

 private:
  std::shared_ptr<HostContext> context_;
  std::string name_;
  FaultInjector::MemberCounts& calls_;
};

// The name of a host object for the log, or "<foreign object>" for any other Dispatch.
std::string objectNameOf(const automation::Dispatch& object);

// Argument helpers: the count must match (450 "wrong number of arguments" otherwise); values
// convert as an automation server's coercion does.
void expectArgs(std::span<automation::Variant> args, std::size_t count);
double doubleArg(std::span<automation::Variant> args, std::size_t i);
std::int32_t int32Arg(std::span<automation::Variant> args, std::size_t i);
std::string stringArg(std::span<automation::Variant> args, std::size_t i);
// Out arguments: `expectOutArgs` checks that every argument is a by-reference double (type
// mismatch, 13, before anything is written); `setOutArg` then writes one.
void expectOutArgs(std::span<automation::Variant> args, std::size_t count);
void setOutArg(std::span<automation::Variant> args, std::size_t i, double value);

}  // namespace refhost
