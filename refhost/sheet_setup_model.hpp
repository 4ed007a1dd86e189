#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "environment.hpp"
#include "undo_history.hpp"

namespace refhost {

// The active sheet's setup with the host's rules. Every accepted write is one undoable change
// on the application's undo history; a refused write (a `Failure`, invalid argument 5) changes
// nothing and records nothing.
class SheetSetupModel {
 public:
  SheetSetupModel(SheetSetupState initial, UndoHistory& undo,
                  const std::optional<PrinterSettings>& printer);

  const SheetSetupState& state() const { return state_; }
  // Replaces the whole setup without an undo entry (the environment's set-up of a test). A
  // setup on the printer's page (size index -1) gets the printer's page here and at
  // construction, as when the size is written.
  void reset(const SheetSetupState& state);

  // Paper length ÷ model length of the current scale: 1 at full size.
  double scaleFactor() const { return state_.scalePaper / state_.scaleModel; }

  // -1 full size (one inch is one inch), 0 custom (keeps the current two lengths), 1 to 45 a
  // standard scale.
  void setScaleMode(std::int32_t mode);
  // Makes the scale custom: `paper` on the sheet for `model` in the model, both positive.
  void setCustomScale(double paper, double model);
  // 0 to 47 a standard size; -1 the default printer's page in its orientation (`printerPage`:
  // Letter portrait without a printer); -2 custom, keeping the current width and height.
  void setSizeIndex(std::int32_t index);
  // A positive width or height; the size becomes custom.
  void setWidth(double width);
  void setHeight(double height);
  void setOrigin(double x, double y);

  // Takes back the newest change on the undo history; false when there is none. What it took
  // back can be redone until the next change.
  bool undo();
  // Makes again the change the newest undo took back, as a change on the undo history; false
  // when there is none.
  bool redo();
  std::size_t redoCount() const { return redo_.size(); }
  // Told after every change of the setup (a write, an undo, a redo, a reset); none when empty.
  void onChanged(std::function<void()> observer) { changed_ = std::move(observer); }

 private:
  void change(const std::string& description, const std::function<void(SheetSetupState&)>& edit);

  void changed() const {
    if (changed_) changed_();
  }

  SheetSetupState state_;
  UndoHistory& undo_;
  struct RedoEntry {
    std::string description;
    SheetSetupState after;
  };
  std::vector<RedoEntry> redo_;
  std::function<void()> changed_;
  const std::optional<PrinterSettings>& printer_;
};

}  // namespace refhost
