#pragma once

#include <optional>
#include <string_view>
#include <utility>

#include "automation/failure.hpp"

namespace automation {

// The function a call is written in, by its plain name as the compiler gives it. Taken as a
// default argument, it names the caller.
class CallSite {
 public:
  static constexpr CallSite here(const char* function = __builtin_FUNCTION()) noexcept {
    return CallSite(function);
  }
  constexpr const char* function() const noexcept { return function_; }

 private:
  constexpr explicit CallSite(const char* function) noexcept : function_(function) {}
  const char* function_;
};

// Follows the guarded procedures as they start and end (nested ones inside), so that a
// diagnostic can tell which procedure was running.
class ProcedureObserver {
 public:
  virtual ~ProcedureObserver() = default;
  // `function`: the plain name of the function that runs it.
  virtual void entering(std::string_view ident, std::string_view function) noexcept = 0;
  virtual void leaving(std::string_view ident) noexcept = 0;
};

// Where the guard sends a failure. The component's implementation (host/error_reporting.hpp)
// passes it on to the host's error reporter.
class FailureSink {
 public:
  virtual ~FailureSink() = default;
  virtual void report(const Failure& failure, std::string_view ident) = 0;
  // A guarded procedure starts and ends; by default the sink does not follow them.
  virtual void entering(std::string_view /*ident*/, std::string_view /*function*/) noexcept {}
  virtual void leaving(std::string_view /*ident*/) noexcept {}
};

// Tells the sink that a procedure runs for as long as this object lives. The guard opens one, so
// that a failure is reported while its procedure is still the running one; a procedure with
// steps outside its guard opens one at its start as well.
class ProcedureScope {
 public:
  ProcedureScope(FailureSink& sink, std::string_view ident,
                 CallSite where = CallSite::here()) noexcept
      : sink_(sink), ident_(ident) {
    sink_.entering(ident_, where.function());
  }
  ~ProcedureScope() { sink_.leaving(ident_); }
  ProcedureScope(const ProcedureScope&) = delete;
  ProcedureScope& operator=(const ProcedureScope&) = delete;

 private:
  FailureSink& sink_;
  std::string_view ident_;
};

// Runs a guarded procedure: on a `Failure`, and only on one, the rest of `body` is skipped, the
// failure goes to `sink` once with the procedure's identification string, and the procedure
// returns normally.
template <class Body>
void guarded(FailureSink& sink, std::string_view ident, Body&& body,
             CallSite where = CallSite::here()) {
  const ProcedureScope running(sink, ident, where);
  try {
    std::forward<Body>(body)();
  } catch (const Failure& failure) {
    sink.report(failure, ident);
  }
}

// A guarded function: `body` receives the result variable, starting at `initial`; the function
// returns what the result held when the body ended, normally or by a failure.
template <class Result, class Body>
Result guardedFunction(FailureSink& sink, std::string_view ident, Result initial, Body&& body,
                       CallSite where = CallSite::here()) {
  const ProcedureScope running(sink, ident, where);
  Result result = std::move(initial);
  try {
    std::forward<Body>(body)(result);
  } catch (const Failure& failure) {
    sink.report(failure, ident);
  }
  return result;
}

// A stretch of steps whose failures are suppressed: a failing step leaves a pending failure and
// the next step runs; the code then tests the pending failure and discards it.
class Suppressed {
 public:
  // Written out: for the implicit constructor GCC zero-fills the whole pending failure, a
  // measurable cost where a mouse move opens two stretches.
  Suppressed() noexcept {}
  template <class Step>
  void step(Step&& s) {
    try {
      std::forward<Step>(s)();
    } catch (const Failure& failure) {
      pending_ = failure;
    }
  }
  bool failed() const { return pending_.has_value(); }
  const std::optional<Failure>& pending() const { return pending_; }
  void clear() { pending_.reset(); }

 private:
  std::optional<Failure> pending_;
};

}  // namespace automation
