// The session world of the Windows runner: the real system, which honours only what it can.
#include <windows.h>

#include <winspool.h>

#include <optional>
#include <string>
#include <variant>

#include "runner.hpp"
#include "script.hpp"
#include "windows/app/com_world.hpp"

namespace session {
namespace {

bool printerInstalled() {
  DWORD size = 0;
  GetDefaultPrinterW(nullptr, &size);
  return size != 0;
}

// Why this process cannot run in locale `lcid`; empty when it can.
std::string foreignLocale(std::uint32_t lcid) {
  const LCID own = GetUserDefaultLCID();
  if (lcid == own) return {};
  return "this process runs in locale " + std::to_string(own) + ", not " + std::to_string(lcid) +
         ": Wine takes it from LC_ALL (LC_ALL=de_DE.UTF-8 is 1031)";
}

// Why the real system cannot honour statement `s`; empty when it can.
std::string unhonourable(const Statement& s) {
  if (std::holds_alternative<SetPrinterCaps>(s.action)) {
    return "the installed printer's device capabilities cannot be set; leave 'printer-caps' out";
  }
  if (const auto* printer = std::get_if<SetPrinter>(&s.action)) {
    if (printer->present && !printerInstalled()) {
      return "there is no printer installed: add one to the Wine prefix (copy a PPD into the "
             "printer driver folder, add the driver \"Wine PostScript Driver\" and a printer on "
             "port FILE:, and make it the default)";
    }
    if (!printer->present && printerInstalled()) {
      return "a printer is installed, so 'printer none' cannot hold: run in a prefix without one";
    }
  }
  return {};
}

}  // namespace

std::unique_ptr<SessionWorld> makeWorld(const Script& script,
                                        const std::filesystem::path& satelliteFolder) {
  WorldSettings settings = worldSettings(script, satelliteFolder);
  // The session's locale is named by its last `locale` statement, else by `start` (the default).
  std::optional<int> localeLine;
  std::optional<int> startLine;
  for (const Statement& s : script.statements) {
    if (const std::string reason = unhonourable(s); !reason.empty()) {
      throw ScriptError(script.file, s.line, reason);
    }
    if (std::holds_alternative<SetLocale>(s.action)) localeLine = s.line;
    if (std::holds_alternative<Start>(s.action)) startLine = s.line;
  }
  if (const std::string reason = foreignLocale(settings.locale); !reason.empty()) {
    throw ScriptError(script.file, localeLine.value_or(startLine.value_or(1)), reason);
  }
  return std::make_unique<windows::ComWorld>(std::move(settings),
                                             satelliteFolder / "kstQuadrift412.dll");
}

}  // namespace session
