#pragma once

#include <stdexcept>

namespace portable {

// A run that cannot go on: thrown through the component (never a `Failure`, so no guard takes
// it) up to whoever drives the run.
class RunAborted : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace portable
