#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <string>

#include "environment.hpp"

namespace refhost {

// One undoable change of the sheet setup: what it was called and the setup before it.
struct UndoEntry {
  std::string description;
  SheetSetupState before;
};

// The application's undo history: at most `depth` entries, the oldest dropped first. A depth of
// 0 keeps nothing, so setting it to 0 empties the history; raising it again keeps it empty.
class UndoHistory {
 public:
  explicit UndoHistory(std::int16_t depth = 20) : depth_(depth) {}

  std::int16_t depth() const { return depth_; }
  // Refuses (returns false) a negative depth.
  bool setDepth(std::int16_t depth);
  void push(UndoEntry entry);
  // Takes the newest entry off the history; returns false when empty.
  bool pop(UndoEntry& entry);
  std::size_t size() const { return entries_.size(); }
  const std::deque<UndoEntry>& entries() const { return entries_; }

 private:
  void trim();
  std::int16_t depth_;
  std::deque<UndoEntry> entries_;
};

}  // namespace refhost
