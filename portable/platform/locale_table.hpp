#pragma once

#include <cstdint>

namespace portable {

// What the portable platform needs to know about a Windows locale identifier (LCID).
struct LocaleFacts {
  std::uint32_t ansiCodePage;  // the locale's default ANSI code page
  char decimalSeparator;       // of number formatting
};

// Facts for `lcid`, as Windows reports them for the locales this program meets; locales not
// listed fall back by their primary language, then to the Western default (1252, '.').
LocaleFacts localeFacts(std::uint32_t lcid);

// The iconv name of a Windows ANSI code page, or nullptr for one iconv is not asked about.
const char* iconvNameOfCodePage(std::uint32_t codePage);

}  // namespace portable
