#include "automation/failure.hpp"

namespace automation {

Failure runtimeFailure(std::int32_t number) {
  const char* text = "Application-defined or object-defined error";
  switch (number) {
    case errnum::kInvalidProcedureCall:
      text = "Invalid procedure call or argument";
      break;
    case errnum::kOverflow:
      text = "Overflow";
      break;
    case errnum::kOutOfMemory:
      text = "Out of memory";
      break;
    case errnum::kSubscriptOutOfRange:
      text = "Subscript out of range";
      break;
    case errnum::kDivisionByZero:
      text = "Division by zero";
      break;
    case errnum::kTypeMismatch:
      text = "Type mismatch";
      break;
    case errnum::kObjectNotSet:
      text = "Object variable or With block variable not set";
      break;
    case errnum::kInvalidPropertyValue:
      text = "Invalid property value";
      break;
    case errnum::kObjectRequired:
      text = "Object required";
      break;
    case errnum::kMemberNotFound:
      text = "Object doesn't support this property or method";
      break;
    case errnum::kAutomationError:
      text = "Automation error";
      break;
    case errnum::kNoNamedArguments:
      text = "Object doesn't support named arguments";
      break;
    case errnum::kNamedArgumentNotFound:
      text = "Named argument not found";
      break;
    case errnum::kArgumentNotOptional:
      text = "Argument not optional";
      break;
    case errnum::kWrongArgumentCount:
      text = "Wrong number of arguments or invalid property assignment";
      break;
    default:
      break;
  }
  return Failure(number, text);
}

}  // namespace automation
