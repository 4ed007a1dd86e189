#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>
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
// While a command runs, its changes are one entry (a group), named after the command and holding
// the state before the first of them, as one Undo gives back what the whole run changed.
class UndoHistory {
 public:
  explicit UndoHistory(std::int16_t depth = 20) : depth_(depth) {}

  std::int16_t depth() const { return depth_; }
  // Refuses (returns false) a negative depth.
  bool setDepth(std::int16_t depth);
  // Pushes a change; inside a group, only the group's first change that is still on the history.
  void push(UndoEntry entry);
  // From here to `endGroup`, changes are one entry named `description`. A group still open
  // (a command released without ending) is closed first.
  void beginGroup(std::string description);
  void endGroup();
  // Takes the newest entry off the history; returns false when empty.
  bool pop(UndoEntry& entry);
  std::size_t size() const { return entries_.size(); }
  const std::deque<UndoEntry>& entries() const { return entries_; }

 private:
  void trim();
  std::int16_t depth_;
  std::deque<UndoEntry> entries_;
  struct Group {
    std::string description;
    bool entryPushed = false;  // the group's entry is the newest on the history
  };
  std::optional<Group> group_;
};

}  // namespace refhost
