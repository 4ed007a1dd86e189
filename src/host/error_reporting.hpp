#pragma once

#include <cstdint>
#include <string_view>

#include "automation/creator.hpp"
#include "automation/guard.hpp"

namespace host {

// The component's way to the error reporter: the guard's sink. The reporter object is created
// at the first report and kept as long as this object lives. Reporting never throws: when the
// reporter cannot be created, or its call fails, the report is dropped (creation is tried again
// at the next report), since a failure to report has nowhere else to go.
class ErrorReporting final : public automation::FailureSink {
 public:
  // The source reported for a failure whose own source is empty, as the language runtime does.
  static constexpr std::string_view kProjectName = "kstQuadrift";
  // The message-box style passed along with every report: the exclamation icon.
  static constexpr std::int32_t kExclamationStyle = 48;

  explicit ErrorReporting(automation::ObjectCreator& creator) : creator_(creator) {}
  ErrorReporting(const ErrorReporting&) = delete;
  ErrorReporting& operator=(const ErrorReporting&) = delete;

  void report(const automation::Failure& failure, std::string_view ident) noexcept override;
  void entering(std::string_view ident, std::string_view function) noexcept override {
    if (observer_ != nullptr) observer_->entering(ident, function);
  }
  void leaving(std::string_view ident) noexcept override {
    if (observer_ != nullptr) observer_->leaving(ident);
  }

  // Who follows the guarded procedures as they run: a diagnostic tool, none by default.
  void followProcedures(automation::ProcedureObserver* observer) { observer_ = observer; }

  // A report the component makes itself rather than from a failure; the fields go as given.
  void reportDirect(std::string_view source, std::string_view description,
                    std::string_view helpFile, std::int32_t helpContext, std::int32_t number,
                    std::string_view ident) noexcept;

  // Whether the reporter object has been created (and is kept).
  bool hasReporter() const { return reporter_.isSet(); }

 private:
  automation::ObjectCreator& creator_;
  automation::Object reporter_;
  automation::ProcedureObserver* observer_ = nullptr;
};

}  // namespace host
