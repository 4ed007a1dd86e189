#include "fault_injection.hpp"

#include <charconv>

namespace refhost {

namespace {

// Whether `target` is "object.member".
bool namesMember(std::string_view target, std::string_view object, std::string_view member) {
  return target.size() == object.size() + 1 + member.size() && target.starts_with(object) &&
         target[object.size()] == '.' && target.ends_with(member);
}

}  // namespace

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
  // Objects keep their counts' address: the counts start again from nothing in place.
  for (auto& [object, counts] : memberCalls_) counts = MemberCounts{};
}

FaultInjector::MemberCounts& FaultInjector::countsOf(std::string_view object) {
  auto it = memberCalls_.find(object);
  if (it == memberCalls_.end())
    it = memberCalls_.emplace(std::string(object), MemberCounts{}).first;
  return it->second;
}

std::optional<automation::Failure> FaultInjector::firstHit(
    std::size_t callIndex, std::string_view object, automation::DispId member,
    std::string_view memberName, std::size_t countById, std::size_t countByName) {
  char digits[16];
  const std::string_view memberKey(digits,
                                   std::to_chars(digits, digits + sizeof digits, member).ptr);
  for (const Rule& rule : rules_) {
    bool hit = false;
    std::string_view hitMember = memberName.empty() ? memberKey : memberName;
    if (rule.callIndex) {
      hit = *rule.callIndex == callIndex;
    } else if (namesMember(rule.target, object, memberKey)) {
      hit = !rule.nth || *rule.nth == countById;
      hitMember = memberKey;
    } else if (!memberName.empty() && namesMember(rule.target, object, memberName)) {
      hit = !rule.nth || *rule.nth == countByName;
      hitMember = memberName;
    }
    if (!hit) continue;
    const std::string target = std::string(object) + "." + std::string(hitMember);
    if (observer_) observer_(target);
    return rule.failure ? *rule.failure : injectedFailure(target);
  }
  return std::nullopt;
}

}  // namespace refhost
