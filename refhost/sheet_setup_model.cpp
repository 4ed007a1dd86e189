#include "sheet_setup_model.hpp"

#include <cmath>

#include "automation/failure.hpp"
#include "length_unit.hpp"
#include "printer_page.hpp"
#include "standard_sheets.hpp"

namespace refhost {
namespace {

constexpr double kInch = kMetresPerInch;

automation::Failure refusal(const std::string& description) {
  return automation::Failure(automation::errnum::kInvalidProcedureCall, description,
                             "RefHost.HostSheetSetup");
}

// A setup on the printer's page has the printer's page, whatever width and height it came with.
SheetSetupState onPrinterPage(SheetSetupState s, const std::optional<PrinterSettings>& printer) {
  if (s.sizeIndex == -1) {
    const PageSize page = printerPage(printer);
    s.width = page.width;
    s.height = page.height;
  }
  return s;
}

void requirePositive(double value, const char* what) {
  if (!std::isfinite(value) || value <= 0) {
    throw refusal(std::string("The ") + what + " must be a positive length");
  }
}

}  // namespace

SheetSetupModel::SheetSetupModel(SheetSetupState initial, UndoHistory& undo,
                                 const std::optional<PrinterSettings>& printer)
    : state_(onPrinterPage(initial, printer)), undo_(undo), printer_(printer) {}

void SheetSetupModel::reset(const SheetSetupState& state) {
  state_ = onPrinterPage(state, printer_);
  redo_.clear();
  changed();
}

void SheetSetupModel::change(const std::string& description,
                             const std::function<void(SheetSetupState&)>& edit) {
  SheetSetupState next = state_;
  edit(next);
  undo_.push({description, state_});
  state_ = next;
  redo_.clear();
  changed();
}

void SheetSetupModel::setScaleMode(std::int32_t mode) {
  if (mode < -1 || mode > kStandardScaleCount) {
    throw refusal("Scale " + std::to_string(mode) + " is out of range (-1 to " +
                  std::to_string(kStandardScaleCount) + ")");
  }
  change("Scale", [mode](SheetSetupState& s) {
    s.scaleMode = mode;
    if (mode == -1) {
      s.scalePaper = kInch;
      s.scaleModel = kInch;
    } else if (mode > 0) {
      const StandardScale& scale = kStandardScales[static_cast<std::size_t>(mode - 1)];
      s.scalePaper = scale.paper;
      s.scaleModel = scale.model;
    }
  });
}

void SheetSetupModel::setCustomScale(double paper, double model) {
  requirePositive(paper, "paper length of the scale");
  requirePositive(model, "model length of the scale");
  if (!std::isfinite(paper / model) || paper / model == 0) {
    throw refusal("The scale's ratio is out of range");
  }
  change("Custom scale", [paper, model](SheetSetupState& s) {
    s.scaleMode = 0;
    s.scalePaper = paper;
    s.scaleModel = model;
  });
}

void SheetSetupModel::setSizeIndex(std::int32_t index) {
  if (index < -2 || index >= kStandardSizeCount) {
    throw refusal("Sheet size " + std::to_string(index) + " is out of range (-2 to " +
                  std::to_string(kStandardSizeCount - 1) + ")");
  }
  change("Sheet size", [this, index](SheetSetupState& s) {
    s.sizeIndex = index;
    if (index >= 0) {
      s.width = standardSizeWidth(index);
      s.height = standardSizeHeight(index);
    }
    s = onPrinterPage(s, printer_);
  });
}

void SheetSetupModel::setWidth(double width) {
  requirePositive(width, "sheet width");
  change("Sheet width", [width](SheetSetupState& s) {
    s.width = width;
    s.sizeIndex = -2;
  });
}

void SheetSetupModel::setHeight(double height) {
  requirePositive(height, "sheet height");
  change("Sheet height", [height](SheetSetupState& s) {
    s.height = height;
    s.sizeIndex = -2;
  });
}

void SheetSetupModel::setOrigin(double x, double y) {
  if (!std::isfinite(x) || !std::isfinite(y)) throw refusal("The origin must be finite");
  change("Sheet origin", [x, y](SheetSetupState& s) {
    s.originX = x;
    s.originY = y;
  });
}

bool SheetSetupModel::undo() {
  UndoEntry entry;
  if (!undo_.pop(entry)) return false;
  redo_.push_back({std::move(entry.description), state_});
  state_ = entry.before;
  changed();
  return true;
}

bool SheetSetupModel::redo() {
  if (redo_.empty()) return false;
  RedoEntry entry = std::move(redo_.back());
  redo_.pop_back();
  undo_.push({std::move(entry.description), state_});
  state_ = entry.after;
  changed();
  return true;
}

}  // namespace refhost
