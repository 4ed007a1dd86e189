#include "length_unit.hpp"

#include <array>
#include <string>

namespace refhost {
namespace {

std::string lowered(std::string_view word) {
  std::string out(word);
  for (char& c : out) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return out;
}

}  // namespace

std::string_view unitSymbol(LengthUnit unit) {
  switch (unit) {
    case LengthUnit::Inch:
      return "in";
    case LengthUnit::Foot:
      return "ft";
    case LengthUnit::Millimetre:
      return "mm";
    case LengthUnit::Centimetre:
      return "cm";
    case LengthUnit::Metre:
      return "m";
  }
  return "";
}

std::optional<LengthUnit> unitNamed(std::string_view word) {
  struct Name {
    std::string_view word;
    LengthUnit unit;
  };
  static constexpr std::array<Name, 11> kNames = {{
      {"in", LengthUnit::Inch},
      {"inch", LengthUnit::Inch},
      {"inches", LengthUnit::Inch},
      {"\"", LengthUnit::Inch},
      {"ft", LengthUnit::Foot},
      {"foot", LengthUnit::Foot},
      {"feet", LengthUnit::Foot},
      {"'", LengthUnit::Foot},
      {"mm", LengthUnit::Millimetre},
      {"cm", LengthUnit::Centimetre},
      {"m", LengthUnit::Metre},
  }};
  const std::string w = lowered(word);
  for (const Name& n : kNames) {
    if (n.word == w) return n.unit;
  }
  return std::nullopt;
}

double toMetres(double amount, LengthUnit unit) {
  switch (unit) {
    case LengthUnit::Inch:
      return amount * kMetresPerInch;
    case LengthUnit::Foot:
      return amount * 12 * kMetresPerInch;
    case LengthUnit::Millimetre:
      return amount / 1000;
    case LengthUnit::Centimetre:
      return amount / 100;
    case LengthUnit::Metre:
      return amount;
  }
  return amount;
}

double fromMetres(double metres, LengthUnit unit) {
  switch (unit) {
    case LengthUnit::Inch:
      return metres / kMetresPerInch;
    case LengthUnit::Foot:
      return metres / kMetresPerInch / 12;
    case LengthUnit::Millimetre:
      return metres * 1000;
    case LengthUnit::Centimetre:
      return metres * 100;
    case LengthUnit::Metre:
      return metres;
  }
  return metres;
}

}  // namespace refhost
