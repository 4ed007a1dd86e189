#include "platform/resource_strings.hpp"

#include <algorithm>
#include <array>

namespace platform {

std::string GetResourceString(System& system, automation::FailureSink& sink, Handle module,
                              std::int32_t id) {
  return automation::guardedFunction(
      sink, "MRegistry::GetResourceString()", std::string(), [&](std::string& result) {
        constexpr std::int32_t kBufferSize = 500;
        std::array<char, kBufferSize> buffer{};
        const std::int32_t count =
            system.LoadStringA(module, static_cast<std::uint32_t>(id), buffer.data(), kBufferSize);
        if (count <= 0) {
          result.clear();
          return;
        }
        // Only the bytes the call copied are text; the rest of the buffer is not. Never more than
        // the buffer holds before its NUL, whatever the call claims.
        const auto length = static_cast<std::size_t>(std::min(count, kBufferSize - 1));
        result = system.FromAnsi(std::string(buffer.data(), length));
      });
}

}  // namespace platform
