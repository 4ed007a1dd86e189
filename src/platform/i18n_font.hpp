#pragma once

#include <cstdint>
#include <optional>

#include "automation/guard.hpp"
#include "platform/system.hpp"
#include "ui/form.hpp"

namespace platform {

// The character set and size a user locale needs for its script, or nothing for locales that
// take the default character set and keep their sizes. The full 32-bit locale id is compared.
struct LocaleFont {
  std::int16_t charset;
  double size;
};
std::optional<LocaleFont> localeFontFor(std::uint32_t lcid);

inline constexpr std::int16_t kDefaultCharset = 1;
inline constexpr double kFormFontSize = 8;

// MI18NUtilities:SetInternationalizeFont. Gives the form the system's default GUI face at 8
// points and every control that has a font that face, with the character set (and, for
// Chinese, Japanese and Korean locales, the size) of the user's locale. Controls without a font
// are skipped silently; any other failure is reported and the routine goes to its clean-up,
// which always selects the old font back and releases the device context.
void SetInternationalizeFont(ui::Form& form, System& system, automation::FailureSink& sink);

}  // namespace platform
