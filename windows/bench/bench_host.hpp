#pragma once

#include "reference_host.hpp"
#include "standard_sheets.hpp"

namespace bench {

// The usual world: English, an A4 portrait sheet at 1:100, the host's paths with backslashes.
inline refhost::Environment benchHost() {
  refhost::Environment env;
  env.pathSeparator = '\\';
  env.echoReportsToStderr = false;
  env.sheet.paperUnit = 1;
  env.sheet.sizeIndex = 28;
  env.sheet.width = refhost::standardSizeWidth(28);
  env.sheet.height = refhost::standardSizeHeight(28);
  for (std::size_t i = 0; i < refhost::kStandardScales.size(); ++i) {
    if (refhost::kStandardScales[i].caption == "1:100 mm") {
      env.sheet.scaleMode = static_cast<std::int32_t>(i + 1);
      env.sheet.scalePaper = refhost::kStandardScales[i].paper;
      env.sheet.scaleModel = refhost::kStandardScales[i].model;
    }
  }
  return env;
}

}  // namespace bench
