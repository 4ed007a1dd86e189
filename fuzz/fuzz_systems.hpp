#pragma once

#include <cstddef>
#include <cstdint>
#include <iterator>
#include <memory>

#include "platform/portable_system.hpp"

namespace fuzz {

// The locales the platform targets run in: single-byte (1252) and double-byte (932, 936).
inline constexpr std::uint32_t kLocales[] = {1033, 1031, 1041, 2052};

// The portable platform for the locale picked by `selector`, shared by input after input:
// making one (and its code-page converters) per input cost more than most inputs' own work. The
// caller leaves it as it found it, with every key closed and every module freed, and replaces
// what it reads. Made anew every `kUses` inputs so that its handle counters never wrap.
inline portable::PortableSystem& systemFor(std::uint8_t selector) {
  constexpr std::size_t kUses = 10000;
  struct Slot {
    std::unique_ptr<portable::PortableSystem> system;
    std::size_t uses = 0;
  };
  static Slot slots[std::size(kLocales)];
  const std::size_t index = selector % std::size(kLocales);
  Slot& slot = slots[index];
  if (!slot.system || slot.uses == kUses) {
    portable::PortableSettings settings;
    settings.userLocale = kLocales[index];
    slot.system = std::make_unique<portable::PortableSystem>(settings);
    slot.uses = 0;
  }
  ++slot.uses;
  return *slot.system;
}

}  // namespace fuzz
