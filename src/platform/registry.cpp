#include "platform/registry.hpp"

#include <cstdint>
#include <new>
#include <vector>

#include "automation/convert.hpp"
#include "automation/failure.hpp"

namespace platform {

std::string GetRegistryValueString(System& system, automation::FailureSink& sink, Handle hive,
                                   const std::string& subKey,
                                   const automation::Variant& valueName) {
  Handle key = 0;
  std::string value = automation::guardedFunction(
      sink, "MRegistry::GetRegistryValueString()", std::string(), [&](std::string& result) {
        const std::string nameAnsi =
            system.ToAnsi(automation::toString(valueName, system.DecimalSeparator()));
        // Not tested: on failure the handle stays 0 and the queries below fail.
        system.RegOpenKeyExA(hive, system.ToAnsi(subKey), 0, kKeyRead, key);
        std::uint32_t size = 0;
        const std::int32_t status = system.RegQueryValueExA(key, nameAnsi, nullptr, nullptr, size);
        if (status != kErrorSuccess && status != kErrorMoreData) return;
        // The text is the value's first size - 1 bytes: a value of size 0 has no such text.
        if (size == 0) throw automation::runtimeFailure(automation::errnum::kInvalidProcedureCall);
        std::vector<std::uint8_t> buffer;
        try {
          buffer.assign(size, 0);
        } catch (const std::bad_alloc&) {
          throw automation::runtimeFailure(automation::errnum::kOutOfMemory);
        }
        std::uint32_t count = size;
        system.RegQueryValueExA(key, nameAnsi, nullptr, buffer.data(), count);  // not tested
        result =
            system.FromAnsi(std::string(reinterpret_cast<const char*>(buffer.data()), size - 1));
      });
  // Closed whether or not the body ran to its end, so a failure leaks no handle.
  if (key != 0) system.RegCloseKey(key);
  return value;
}

std::string helpFileKey(const std::string& appName) {
  if (appName.empty()) return kDefaultHelpFileKey;
  return "Software\\Kestrova\\Applications\\" + appName + "\\Help\\HelpFile";
}

std::string GetHelpFileNameFromRegistry(System& system, automation::FailureSink& sink,
                                        const std::string& appName) {
  return automation::guardedFunction(
      sink, "MRegistry::GetHelpFileNameFromRegistry()", std::string(), [&](std::string& result) {
        result = GetRegistryValueString(system, sink, kHKeyLocalMachine, helpFileKey(appName),
                                        automation::Variant(std::string()));
        if (result.find('.') == std::string::npos) result += ".chm";
      });
}

}  // namespace platform
