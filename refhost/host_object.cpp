#include "host_object.hpp"

#include "automation/convert.hpp"

namespace refhost {

using automation::Failure;
using automation::Variant;

HostObject::HostObject(std::shared_ptr<HostContext> context, std::string name)
    : context_(std::move(context)),
      name_(std::move(name)),
      calls_(context_->faults.countsOf(name_)) {
  ++context_->liveObjects;
}

HostObject::~HostObject() {
  --context_->liveObjects;
}

SideScope::SideScope(HostContext& context, Side side)
    : context_(context), before_(context.running) {
  enter(side);
}

SideScope::~SideScope() {
  enter(before_);
}

void SideScope::enter(Side side) {
  if (context_.running == side) return;
  context_.running = side;
  if (context_.onSideChanged) context_.onSideChanged(side);
}

Variant HostObject::invoke(automation::DispId id, automation::InvokeKind kind,
                           std::span<Variant> args) {
  const SideScope host(*context_, Side::Host);
  const std::string_view memberName = nameOfMember(id);
  const std::size_t index = context_->log.begin(name_, id, memberName, kind, args);
  if (auto fault = context_->faults.check(index, name_, calls_, id, memberName)) {
    context_->log.markFailed(index);
    throw *fault;
  }
  try {
    return perform(id, kind, args);
  } catch (const Failure&) {
    context_->log.markFailed(index);
    throw;
  }
}

std::optional<automation::DispId> HostObject::idOfName(std::string_view name) {
  const SideScope host(*context_, Side::Host);
  return memberNamed(name);
}

Failure HostObject::noSuchMember(automation::DispId id, automation::InvokeKind kind) const {
  return Failure(
      automation::errnum::kMemberNotFound,
      name_ + " has no member " + std::to_string(id) + " to " + std::string(kindName(kind)),
      "RefHost." + name_);
}

Failure HostObject::refused(std::string description) const {
  return Failure(automation::errnum::kInvalidProcedureCall, std::move(description),
                 "RefHost." + name_);
}

std::string objectNameOf(const automation::Dispatch& object) {
  if (const auto* host = dynamic_cast<const HostObject*>(&object)) return host->name();
  return "<foreign object>";
}

void expectArgs(std::span<Variant> args, std::size_t count) {
  if (args.size() != count) {
    Failure failure = automation::runtimeFailure(automation::errnum::kWrongArgumentCount);
    failure.source = "RefHost";
    throw failure;
  }
}

double doubleArg(std::span<Variant> args, std::size_t i) {
  return automation::toDouble(args[i]);
}

std::int32_t int32Arg(std::span<Variant> args, std::size_t i) {
  return automation::toInt32(args[i]);
}

std::string stringArg(std::span<Variant> args, std::size_t i) {
  return automation::toString(args[i]);
}

void expectOutArgs(std::span<Variant> args, std::size_t count) {
  expectArgs(args, count);
  for (const Variant& arg : args) {
    if (!arg.is<automation::DoubleRef>() || arg.as<automation::DoubleRef>().target == nullptr) {
      throw automation::runtimeFailure(automation::errnum::kTypeMismatch);
    }
  }
}

void setOutArg(std::span<Variant> args, std::size_t i, double value) {
  if (!args[i].is<automation::DoubleRef>() ||
      args[i].as<automation::DoubleRef>().target == nullptr) {
    throw automation::runtimeFailure(automation::errnum::kTypeMismatch);
  }
  *args[i].as<automation::DoubleRef>().target = value;
}

}  // namespace refhost
