#pragma once

#include <array>
#include <cstddef>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "automation/failure.hpp"
#include "automation/object.hpp"

namespace refhost {

// The failure an injected fault raises unless the test gives its own: every field set, as a
// host's own error would carry them.
automation::Failure injectedFailure(std::string_view target);

// Chooses host calls that fail. Members are named "Object.member", the member by its dispatch
// id or, for members reached by name, by that name: "HostSheet.30", "ksCommand1.Command".
class FaultInjector {
 public:
  // The call with this 1-based index among all host calls fails.
  void failCall(std::size_t index, std::optional<automation::Failure> failure = {});
  // Every call of the member fails.
  void failMember(std::string_view target, std::optional<automation::Failure> failure = {});
  // The nth call (1-based) of the member fails.
  void failMemberCall(std::string_view target, std::size_t nth,
                      std::optional<automation::Failure> failure = {});
  void clear();
  // Called as a fault is raised, with the member that fails, before the failure leaves the host.
  void onInjected(std::function<void(std::string_view target)> observer) {
    observer_ = std::move(observer);
  }

  // How often each member of the objects of one name has been called, by id and by the name
  // it was reached by.
  struct MemberCounts {
    // Every host member's id is below 128 and is counted at its place, without a search; any
    // other id is looked up in the list.
    std::array<std::size_t, 128> bySmallId{};
    std::vector<std::pair<automation::DispId, std::size_t>> byOtherId;
    std::vector<std::pair<std::string, std::size_t>> byName;
  };
  // The counts of the objects named `object`; valid as long as the injector, through `clear`.
  // An object looks them up once, so that a call counts without a search by name.
  MemberCounts& countsOf(std::string_view object);

  // Counts the call in `counts` (the object's) and returns the failure it is to raise, if any.
  // `memberName` is the name the member was reached by (may be empty). Inline, so that a call
  // with no rules set only counts.
  std::optional<automation::Failure> check(std::size_t callIndex, std::string_view object,
                                           MemberCounts& counts, automation::DispId member,
                                           std::string_view memberName) {
    const std::size_t countById = ++countOf(counts, member);
    const std::size_t countByName = memberName.empty() ? 0 : ++countOf(counts.byName, memberName);
    if (rules_.empty()) return std::nullopt;
    return firstHit(callIndex, object, member, memberName, countById, countByName);
  }

 private:
  // The count kept for `key` in `counts`, a new one at zero the first time.
  template <class Key, class Lookup>
  static std::size_t& countOf(std::vector<std::pair<Key, std::size_t>>& counts, const Lookup& key) {
    for (auto& [k, count] : counts) {
      if (k == key) return count;
    }
    return counts.emplace_back(Key(key), 0).second;
  }
  // The count kept for the member `id` in `counts`.
  static std::size_t& countOf(MemberCounts& counts, automation::DispId id) {
    const auto small = static_cast<std::size_t>(id);
    if (id >= 0 && small < counts.bySmallId.size()) return counts.bySmallId[small];
    return countOf(counts.byOtherId, id);
  }
  // The failure of the first rule the call meets, if any.
  std::optional<automation::Failure> firstHit(std::size_t callIndex, std::string_view object,
                                              automation::DispId member,
                                              std::string_view memberName, std::size_t countById,
                                              std::size_t countByName);

  struct Rule {
    std::optional<std::size_t> callIndex;
    std::string target;
    std::optional<std::size_t> nth;
    std::optional<automation::Failure> failure;
  };
  std::vector<Rule> rules_;
  std::map<std::string, MemberCounts, std::less<>> memberCalls_;
  std::function<void(std::string_view)> observer_;
};

}  // namespace refhost
