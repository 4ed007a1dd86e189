#include "undo_history.hpp"

namespace refhost {

bool UndoHistory::setDepth(std::int16_t depth) {
  if (depth < 0) return false;
  depth_ = depth;
  trim();
  return true;
}

void UndoHistory::push(UndoEntry entry) {
  entries_.push_back(std::move(entry));
  trim();
}

bool UndoHistory::pop(UndoEntry& entry) {
  if (entries_.empty()) return false;
  entry = std::move(entries_.back());
  entries_.pop_back();
  return true;
}

void UndoHistory::trim() {
  while (entries_.size() > static_cast<std::size_t>(depth_)) entries_.pop_front();
}

}  // namespace refhost
