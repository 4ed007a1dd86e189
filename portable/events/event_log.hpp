#pragma once

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace portable {

// One thing the user saw happen during a session.
struct Event {
  std::string kind;  // "status", "report", "dialog", "message box", "refused", "help"
  std::string text;  // what happened, as the transcript shows it after the kind
};

// What a session showed the user, in the order it happened. The host, the headless engine and
// the platform all append to one log, so a driver that reads it from where it last stopped
// sees each statement's consequences in time order, whichever part produced them.
class EventLog {
 public:
  void add(std::string kind, std::string text) {
    events_.push_back({std::move(kind), std::move(text)});
    if (observer_) observer_(events_.back());
  }
  const std::vector<Event>& events() const { return events_; }
  // Called with each event as it is added (none when empty), for a driver that forwards them.
  void setObserver(std::function<void(const Event&)> observer) { observer_ = std::move(observer); }

 private:
  std::vector<Event> events_;
  std::function<void(const Event&)> observer_;
};

}  // namespace portable
