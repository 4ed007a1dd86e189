#include "dialog/setup_history.hpp"

#include "automation/failure.hpp"

namespace dialog {

SetupRecord& SetupHistory::at(std::int32_t number) {
  if (number < 1 || number > size()) {
    throw automation::runtimeFailure(automation::errnum::kSubscriptOutOfRange);
  }
  return records_[static_cast<std::size_t>(number - 1)];
}

void SetupHistory::resize(std::int16_t count) {
  if (count < 0) throw automation::runtimeFailure(automation::errnum::kSubscriptOutOfRange);
  records_.resize(static_cast<std::size_t>(count));
}

}  // namespace dialog
