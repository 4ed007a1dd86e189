#include "host/error_reporting.hpp"

#include <string>

#include "automation/variant.hpp"
#include "host/dispids.hpp"

namespace host {

using automation::Variant;

void ErrorReporting::report(const automation::Failure& failure, std::string_view ident) noexcept {
  const std::string_view source = failure.source.empty() ? kProjectName : failure.source;
  reportDirect(source, failure.description, failure.helpFile, failure.helpContext, failure.number,
               ident);
}

void ErrorReporting::reportDirect(std::string_view source, std::string_view description,
                                  std::string_view helpFile, std::int32_t helpContext,
                                  std::int32_t number, std::string_view ident) noexcept {
  try {
    if (!reporter_.isSet()) reporter_ = creator_.create(progid::kErrorReporter);
    reporter_.call(dispid::error_reporter::kReportError,
                   {Variant(std::string(source)), Variant(std::string(description)),
                    Variant(std::string(helpFile)), Variant(helpContext), Variant(number),
                    Variant(std::string(ident)), Variant(kExclamationStyle),
                    Variant(std::int32_t{0}), Variant(std::int16_t{0})});
  } catch (...) {
    // Nowhere left to report to; the caller must go on regardless.
  }
}

}  // namespace host
