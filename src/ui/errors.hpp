#pragma once

#include <cstdint>

#include "automation/failure.hpp"

namespace ui {

// Run-time error numbers the dialog model raises beyond the runtime's common ones.
namespace errnum {
inline constexpr std::int32_t kArrayElementMissing = 340;
inline constexpr std::int32_t kInvalidPropertyArrayIndex = 381;
inline constexpr std::int32_t kFormAlreadyShown = 400;
inline constexpr std::int32_t kControlNotFound = 730;
}  // namespace errnum

// The failures the model raises, with the platform's descriptions.
automation::Failure invalidPropertyValue();
automation::Failure invalidProcedureCall();
automation::Failure memberNotFound();
automation::Failure typeMismatch();
automation::Failure arrayElementMissing();
automation::Failure invalidPropertyArrayIndex();
automation::Failure formAlreadyShown();
automation::Failure controlNotFound();

}  // namespace ui
