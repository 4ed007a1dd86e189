#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "automation/guard.hpp"

namespace platform_test {

// Keeps every report the guard makes.
class RecordingSink final : public automation::FailureSink {
 public:
  struct Report {
    automation::Failure failure;
    std::string ident;
  };
  void report(const automation::Failure& failure, std::string_view ident) override {
    reports.push_back({failure, std::string(ident)});
  }
  std::vector<Report> reports;
};

}  // namespace platform_test
