#include "windows/host/session_objects.hpp"

#include "automation/convert.hpp"
#include "automation/failure.hpp"
#include "automation/variant.hpp"
#include "windows/session/protocol.hpp"

namespace windows::host_classes {
namespace {

automation::Failure noSuchMember() {
  return automation::runtimeFailure(automation::errnum::kMemberNotFound);
}

void expectCount(std::span<automation::Variant> args, std::size_t count) {
  if (args.size() != count) throw automation::Failure(450, "Wrong number of arguments");
}

}  // namespace

automation::Variant SessionDriver::invoke(automation::DispId id, automation::InvokeKind kind,
                                          std::span<automation::Variant> args) {
  if (id != harness::kDriverAttach || kind != automation::InvokeKind::Call) throw noSuchMember();
  expectCount(args, 1);
  *session_ = automation::toObject(args[0]);
  return {};
}

automation::Variant ReferenceHostView::invoke(automation::DispId id, automation::InvokeKind kind,
                                              std::span<automation::Variant> args) {
  if (kind != automation::InvokeKind::Call) throw noSuchMember();
  bool delivered = false;
  if (id == harness::kViewMouseMove) {
    expectCount(args, 2);
    delivered = host_.mouseMove(automation::toDouble(args[0]), automation::toDouble(args[1]));
  } else if (id == harness::kViewMouseClick) {
    expectCount(args, 3);
    delivered = host_.mouseClick(automation::toInt16(args[0]), automation::toDouble(args[1]),
                                 automation::toDouble(args[2]));
  } else {
    throw noSuchMember();
  }
  return answer(delivered);
}

automation::Variant ReferenceHostView::answer(bool delivered) const {
  if (delivered) return automation::Variant(std::string());
  const auto& refused = host_.refusedInput();
  return automation::Variant(refused.empty() ? std::string("the host's view did not take it")
                                             : refused.back().reason);
}

}  // namespace windows::host_classes
