#pragma once

#include <cstdint>
#include <exception>
#include <string>

namespace automation {

// Standard run-time error numbers of the language the component is written in.
namespace errnum {
inline constexpr std::int32_t kInvalidProcedureCall = 5;
inline constexpr std::int32_t kOverflow = 6;
inline constexpr std::int32_t kOutOfMemory = 7;
inline constexpr std::int32_t kSubscriptOutOfRange = 9;
inline constexpr std::int32_t kDivisionByZero = 11;
inline constexpr std::int32_t kTypeMismatch = 13;
inline constexpr std::int32_t kObjectRequired = 424;
inline constexpr std::int32_t kObjectNotSet = 91;
inline constexpr std::int32_t kInvalidPropertyValue = 380;
inline constexpr std::int32_t kMemberNotFound = 438;
inline constexpr std::int32_t kAutomationError = 440;
inline constexpr std::int32_t kNoNamedArguments = 446;
inline constexpr std::int32_t kNamedArgumentNotFound = 448;
inline constexpr std::int32_t kArgumentNotOptional = 449;
inline constexpr std::int32_t kWrongArgumentCount = 450;
}  // namespace errnum

// A failure as the language runtime's error object carries it. Thrown by every step that can
// fail; caught only by the guard (guard.hpp) and by suppression scopes.
struct Failure : std::exception {
  std::string source;
  std::string description;
  std::string helpFile;
  std::int32_t helpContext = 0;
  std::int32_t number = 0;

  Failure() = default;
  Failure(std::int32_t num, std::string desc, std::string src = {}, std::string file = {},
          std::int32_t context = 0)
      : source(std::move(src)),
        description(std::move(desc)),
        helpFile(std::move(file)),
        helpContext(context),
        number(num) {}

  const char* what() const noexcept override { return description.c_str(); }
};

// The runtime's standard failure for `number`, with its standard description.
Failure runtimeFailure(std::int32_t number);

}  // namespace automation
