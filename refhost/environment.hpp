#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "length_format.hpp"
#include "length_unit.hpp"

namespace refhost {

// The default printer as the host sees it: its paper and orientation. The portable platform
// serves the same printer, with its device capabilities, to the component; a test sets both
// from one description.
struct PrinterSettings {
  std::int16_t paperCode = 9;    // a DMPAPER_ code; 9 is A4
  std::int16_t orientation = 1;  // 1 portrait, 2 landscape
};

// The sheet setup the active sheet starts with, as the setup holds it.
struct SheetSetupState {
  std::int32_t paperUnit = 0;   // 0 inches, 1 millimetres, 2 centimetres
  std::int32_t sizeIndex = 12;  // Letter, portrait, as the host's own table gives it
  double width = 8.5 * kMetresPerInch;
  double height = 11 * kMetresPerInch;
  std::int32_t scaleMode = -1;  // full size
  double scalePaper = kMetresPerInch;
  double scaleModel = kMetresPerInch;
  double originX = 0;
  double originY = 0;
  friend bool operator==(const SheetSetupState&, const SheetSetupState&) = default;
};

// Per-test settings of the reference host.
struct Environment {
  std::optional<PrinterSettings> printer;  // none: no default printer
  std::uint32_t userLocale = 1033;
  // The document's length unit and decimals. Its decimal separator is `decimalSeparator` when
  // set, else the user's locale's (the separator written in `documentFormat` is not used).
  LengthFormat documentFormat{LengthUnit::Millimetre, 2, '.'};
  std::optional<char> decimalSeparator;
  SheetSetupState sheet;
  std::int16_t undoDepth = 20;
  std::string registeredName = "Planorix";
  std::int32_t mainWindow = 0x000A0F2C;
  bool applicationRunning = true;  // whether HostGlobal finds the running application
  // The resource locator's test for a satellite file; by default the file system is asked.
  std::function<bool(const std::string& path)> fileExists;
  char pathSeparator = '/';
  bool echoReportsToStderr = true;  // the error reporter's one line per report
  // Classes the object creator cannot create (to test a missing error reporter, say).
  std::vector<std::string> unavailableClasses;
};

}  // namespace refhost
