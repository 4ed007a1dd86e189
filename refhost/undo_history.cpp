#include "undo_history.hpp"

namespace refhost {

bool UndoHistory::setDepth(std::int16_t depth) {
  if (depth < 0) return false;
  depth_ = depth;
  trim();
  return true;
}

void UndoHistory::push(UndoEntry entry) {
  if (group_) {
    if (group_->entryPushed) return;  // the group's entry already holds the state before it
    entry.description = group_->description;
    group_->entryPushed = true;
  }
  entries_.push_back(std::move(entry));
  trim();
}

void UndoHistory::beginGroup(std::string description) {
  group_ = Group{std::move(description)};
}

void UndoHistory::endGroup() {
  group_.reset();
}

bool UndoHistory::pop(UndoEntry& entry) {
  if (entries_.empty()) return false;
  entry = std::move(entries_.back());
  entries_.pop_back();
  // An Undo inside a run takes the group's entry back; the run's next change starts it again.
  if (group_) group_->entryPushed = false;
  return true;
}

void UndoHistory::trim() {
  while (entries_.size() > static_cast<std::size_t>(depth_)) entries_.pop_front();
  // Emptied (a depth of 0): the run's next change is a new entry.
  if (group_ && entries_.empty()) group_->entryPushed = false;
}

}  // namespace refhost
