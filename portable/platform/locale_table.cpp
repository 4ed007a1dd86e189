#include "platform/locale_table.hpp"

#include <array>

namespace portable {
namespace {

struct ByLocale {
  std::uint32_t lcid;
  LocaleFacts facts;
};

struct ByLanguage {
  std::uint32_t primaryLanguage;  // the low 10 bits of a language identifier
  LocaleFacts facts;
};

// Whole locale identifiers that differ from their language's usual facts.
constexpr std::array<ByLocale, 9> kLocales = {{
    {0x0404, {950, '.'}},   // Chinese, Taiwan
    {0x0804, {936, '.'}},   // Chinese, People's Republic
    {0x0C04, {950, '.'}},   // Chinese, Hong Kong
    {0x1004, {936, '.'}},   // Chinese, Singapore (simplified script)
    {0x1404, {950, '.'}},   // Chinese, Macao
    {0x0807, {1252, '.'}},  // German, Switzerland
    {0x100C, {1252, '.'}},  // French, Switzerland
    {0x0810, {1252, '.'}},  // Italian, Switzerland
    {0x080A, {1252, '.'}},  // Spanish, Mexico
}};

constexpr std::array<ByLanguage, 31> kLanguages = {{
    {0x01, {1256, '.'}},  // Arabic
    {0x04, {936, '.'}},   // Chinese
    {0x05, {1250, ','}},  // Czech
    {0x06, {1252, ','}},  // Danish
    {0x07, {1252, ','}},  // German
    {0x08, {1253, ','}},  // Greek
    {0x09, {1252, '.'}},  // English
    {0x0A, {1252, ','}},  // Spanish
    {0x0B, {1252, ','}},  // Finnish
    {0x0C, {1252, ','}},  // French
    {0x0D, {1255, '.'}},  // Hebrew
    {0x0E, {1250, ','}},  // Hungarian
    {0x0F, {1252, ','}},  // Icelandic
    {0x10, {1252, ','}},  // Italian
    {0x11, {932, '.'}},   // Japanese
    {0x12, {949, '.'}},   // Korean
    {0x13, {1252, ','}},  // Dutch
    {0x14, {1252, ','}},  // Norwegian
    {0x15, {1250, ','}},  // Polish
    {0x16, {1252, ','}},  // Portuguese
    {0x18, {1250, ','}},  // Romanian
    {0x19, {1251, ','}},  // Russian
    {0x1A, {1250, ','}},  // Croatian
    {0x1B, {1250, ','}},  // Slovak
    {0x1D, {1252, ','}},  // Swedish
    {0x1E, {874, '.'}},   // Thai
    {0x1F, {1254, ','}},  // Turkish
    {0x22, {1251, ','}},  // Ukrainian
    {0x24, {1250, ','}},  // Slovenian
    {0x25, {1257, ','}},  // Estonian
    {0x2A, {1258, ','}},  // Vietnamese
}};

}  // namespace

LocaleFacts localeFacts(std::uint32_t lcid) {
  const std::uint32_t language = lcid & 0xFFFFu;  // sort-order bits do not change the facts
  for (const auto& entry : kLocales) {
    if (entry.lcid == language) return entry.facts;
  }
  for (const auto& entry : kLanguages) {
    if (entry.primaryLanguage == (language & 0x3FFu)) return entry.facts;
  }
  return {1252, '.'};
}

const char* iconvNameOfCodePage(std::uint32_t codePage) {
  switch (codePage) {
    case 874:
      return "CP874";
    case 932:
      return "CP932";
    case 936:
      return "CP936";
    case 949:
      return "CP949";
    case 950:
      return "CP950";
    case 1250:
      return "CP1250";
    case 1251:
      return "CP1251";
    case 1252:
      return "CP1252";
    case 1253:
      return "CP1253";
    case 1254:
      return "CP1254";
    case 1255:
      return "CP1255";
    case 1256:
      return "CP1256";
    case 1257:
      return "CP1257";
    case 1258:
      return "CP1258";
    default:
      return nullptr;
  }
}

}  // namespace portable
