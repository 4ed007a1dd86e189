#pragma once

#include <optional>
#include <string_view>
#include <utility>

#include "automation/failure.hpp"

namespace automation {

// Where the guard sends a failure. The component's implementation (host/error_reporting.hpp)
// passes it on to the host's error reporter.
class FailureSink {
 public:
  virtual ~FailureSink() = default;
  virtual void report(const Failure& failure, std::string_view ident) = 0;
};

// Runs a guarded procedure: on a `Failure`, and only on one, the rest of `body` is skipped, the
// failure goes to `sink` once with the procedure's identification string, and the procedure
// returns normally.
template <class Body>
void guarded(FailureSink& sink, std::string_view ident, Body&& body) {
  try {
    std::forward<Body>(body)();
  } catch (const Failure& failure) {
    sink.report(failure, ident);
  }
}

// A guarded function: `body` receives the result variable, starting at `initial`; the function
// returns what the result held when the body ended, normally or by a failure.
template <class Result, class Body>
Result guardedFunction(FailureSink& sink, std::string_view ident, Result initial, Body&& body) {
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
