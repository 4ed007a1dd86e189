#include "ui/errors.hpp"

namespace ui {

namespace rt = automation::errnum;

automation::Failure invalidPropertyValue() {
  return automation::runtimeFailure(rt::kInvalidPropertyValue);
}
automation::Failure invalidProcedureCall() {
  return automation::runtimeFailure(rt::kInvalidProcedureCall);
}
automation::Failure memberNotFound() {
  return automation::runtimeFailure(rt::kMemberNotFound);
}
automation::Failure typeMismatch() {
  return automation::runtimeFailure(rt::kTypeMismatch);
}
automation::Failure arrayElementMissing() {
  return automation::Failure(errnum::kArrayElementMissing, "Control array element doesn't exist");
}
automation::Failure invalidPropertyArrayIndex() {
  return automation::Failure(errnum::kInvalidPropertyArrayIndex, "Invalid property array index");
}
automation::Failure formAlreadyShown() {
  return automation::Failure(errnum::kFormAlreadyShown,
                             "Form already displayed; can't show modally");
}
automation::Failure controlNotFound() {
  return automation::Failure(errnum::kControlNotFound, "Control not found");
}

}  // namespace ui
