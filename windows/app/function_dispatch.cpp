#include "windows/app/function_dispatch.hpp"

#include <memory>
#include <string>

#include "automation/failure.hpp"
#include "session_world.hpp"
#include "ui/headless_engine.hpp"
#include "windows/automation/com_dispatch.hpp"
#include "windows/automation/failure_info.hpp"

namespace windows {
namespace {

// An object whose every member runs its body. Handed to the DLL it crosses as a DispatchBridge,
// like every object of this process.
class CallbackObject final : public automation::Dispatch {
 public:
  explicit CallbackObject(CallbackBody body) : body_(std::move(body)) {}
  automation::Variant invoke(automation::DispId id, automation::InvokeKind,
                             std::span<automation::Variant> args) override {
    return body_(id, args);
  }
  std::optional<automation::DispId> idOfName(std::string_view) override { return std::nullopt; }

 private:
  CallbackBody body_;
};

}  // namespace

automation::Object callbackObject(CallbackBody body) {
  return automation::Object(std::make_shared<CallbackObject>(std::move(body)));
}

automation::Variant invokeMember(const automation::Object& target, automation::DispId id,
                                 automation::InvokeKind kind,
                                 std::vector<automation::Variant> args) {
  try {
    return target.invoke(id, kind, args);
  } catch (const automation::Failure& failure) {
    if (failure.number == static_cast<std::int32_t>(kRunAborted)) {
      throw portable::RunAborted(failure.description);
    }
    throw ::session::WorldUnavailable("a call into the component failed: " + failure.description +
                                      " (" + std::to_string(failure.number) + ")");
  }
}

}  // namespace windows
