#include "fault_injection.hpp"

namespace refhost {

automation::Failure injectedFailure(std::string_view target) {
  return automation::Failure(-2147220992 /* 0x80040200 */,
                             "The host refused the operation (" + std::string(target) + ")",
                             "RefHost", "refhost.chm", 1004);
}

void FaultInjector::failCall(std::size_t index, std::optional<automation::Failure> failure) {
  rules_.push_back({index, {}, {}, std::move(failure)});
}

void FaultInjector::failMember(std::string_view target,
                               std::optional<automation::Failure> failure) {
  rules_.push_back({{}, std::string(target), {}, std::move(failure)});
}

void FaultInjector::failMemberCall(std::string_view target, std::size_t nth,
                                   std::optional<automation::Failure> failure) {
  rules_.push_back({{}, std::string(target), nth, std::move(failure)});
}

void FaultInjector::clear() {
  rules_.clear();
  memberCalls_.clear();
}

std::optional<automation::Failure> FaultInjector::check(std::size_t callIndex,
                                                        std::string_view object,
                                                        std::string_view memberKey,
                                                        std::string_view memberName) {
  const std::string byId = std::string(object) + "." + std::string(memberKey);
  const std::string byName =
      memberName.empty() ? std::string() : std::string(object) + "." + std::string(memberName);
  const std::size_t countById = ++memberCalls_[byId];
  const std::size_t countByName = byName.empty() ? 0 : ++memberCalls_[byName];

  for (const Rule& rule : rules_) {
    bool hit = false;
    std::string target = byName.empty() ? byId : byName;
    if (rule.callIndex) {
      hit = *rule.callIndex == callIndex;
    } else if (rule.target == byId) {
      hit = !rule.nth || *rule.nth == countById;
      target = byId;
    } else if (!byName.empty() && rule.target == byName) {
      hit = !rule.nth || *rule.nth == countByName;
      target = byName;
    }
    if (!hit) continue;
    if (observer_) observer_(target);
    return rule.failure ? *rule.failure : injectedFailure(target);
  }
  return std::nullopt;
}

}  // namespace refhost
