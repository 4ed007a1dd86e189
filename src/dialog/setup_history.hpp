#pragma once

#include <cstdint>
#include <vector>

namespace dialog {

// One snapshot of the host's sheet setup, as the host reported it.
struct SetupRecord {
  double OriginX = 0;
  double OriginY = 0;
  std::int32_t ScaleIndex = 0;  // -1 full size, 0 custom, n standard scale n
  double ScalePaperLength = 0;  // metres on the sheet
  double ScaleModelLength = 0;  // metres in the model
  std::int32_t SizeIndex = 0;   // -2 custom, -1 printer default, n standard size n
  double SheetHeight = 0;
  double SheetWidth = 0;
};

// The setups of one run, numbered from 1. Records are zero when added.
class SetupHistory {
 public:
  // Record `number`; a number the history does not have is "subscript out of range" (9).
  SetupRecord& at(std::int32_t number);
  // Makes the history exactly `count` records long, keeping the first ones.
  void resize(std::int16_t count);
  std::int32_t size() const { return static_cast<std::int32_t>(records_.size()); }
  const std::vector<SetupRecord>& records() const { return records_; }

 private:
  std::vector<SetupRecord> records_;
};

}  // namespace dialog
