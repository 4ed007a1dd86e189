#include "sheet_setup_model.hpp"

#include <cmath>

#include "automation/failure.hpp"
#include "printer_page.hpp"
#include "standard_sheets.hpp"

namespace refhost {
namespace {

constexpr double kInch = 0.0254;

automation::Failure refusal(const std::string& description) {
  return automation::Failure(automation::errnum::kInvalidProcedureCall, description,
                             "RefHost.HostSheetSetup");
}

void requirePositive(double value, const char* what) {
  if (!std::isfinite(value) || value <= 0) {
    throw refusal(std::string("The ") + what + " must be a positive length");
  }
}

}  // namespace

SheetSetupModel::SheetSetupModel(SheetSetupState initial, UndoHistory& undo,
                                 const std::optional<PrinterSettings>& printer)
    : state_(initial), undo_(undo), printer_(printer) {}

void SheetSetupModel::change(const std::string& description,
                             const std::function<void(SheetSetupState&)>& edit) {
  SheetSetupState next = state_;
  edit(next);
  undo_.push({description, state_});
  state_ = next;
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
  const int standard = index >= 0 ? index : index == -1 ? printerPageSize(printer_) : -1;
  change("Sheet size", [index, standard](SheetSetupState& s) {
    s.sizeIndex = index;
    if (standard >= 0) {
      s.width = standardSizeWidth(standard);
      s.height = standardSizeHeight(standard);
    }
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
  state_ = entry.before;
  return true;
}

}  // namespace refhost
