// The session world of the Windows runner: the real system, which honours only what it can.
#include <windows.h>

#include <optional>
#include <string>
#include <variant>

#include "runner.hpp"
#include "script.hpp"
#include "windows/app/com_world.hpp"
#include "windows/app/desktop_world.hpp"
#include "windows/app/session_printer.hpp"

namespace session {
namespace {

// Why this process cannot run in locale `lcid`; empty when it can.
std::string foreignLocale(std::uint32_t lcid) {
  const LCID own = GetUserDefaultLCID();
  if (lcid == own) return {};
  return "this process runs in locale " + std::to_string(own) + ", not " + std::to_string(lcid) +
         ": Wine takes it from LC_ALL (LC_ALL=de_DE.UTF-8 is 1031)";
}

// The line of the last statement holding an `Action`, if any.
template <class Action>
std::optional<int> lastLineOf(const Script& script) {
  std::optional<int> line;
  for (const Statement& s : script.statements) {
    if (std::holds_alternative<Action>(s.action)) line = s.line;
  }
  return line;
}

}  // namespace

std::unique_ptr<SessionWorld> makeWorld(const Script& script,
                                        const std::filesystem::path& satelliteFolder,
                                        DialogEngine engine) {
  WorldSettings settings = worldSettings(script, satelliteFolder);
  // A setting is named by its last statement, else by `start` (where the default holds).
  const int startLine = lastLineOf<Start>(script).value_or(1);
  if (const std::string reason = foreignLocale(settings.locale); !reason.empty()) {
    throw ScriptError(script.file, lastLineOf<SetLocale>(script).value_or(startLine), reason);
  }
  std::unique_ptr<windows::SessionPrinter> printer;
  try {
    printer = std::make_unique<windows::SessionPrinter>(settings.printer);
  } catch (const windows::PrinterRefusal& refused) {
    const std::optional<int> line =
        refused.aboutCaps ? lastLineOf<SetPrinterCaps>(script) : lastLineOf<SetPrinter>(script);
    throw ScriptError(script.file, line.value_or(startLine), refused.what());
  }
  // On real windows the session is played on the desktop program with the product DLL; without
  // windows it runs on the headless engine inside the DLL's test variant.
  if (engine == DialogEngine::Win32) {
    return std::make_unique<windows::DesktopWorld>(
        std::move(settings), satelliteFolder / QUADRIFT_PRODUCT_DLL, std::move(printer));
  }
  return std::make_unique<windows::ComWorld>(
      std::move(settings), satelliteFolder / QUADRIFT_COMPONENT_DLL, std::move(printer));
}

}  // namespace session
