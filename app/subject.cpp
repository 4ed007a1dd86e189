#include "subject.hpp"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <stdexcept>

#include "script.hpp"
#include "state_json.hpp"

namespace session {
namespace {

using nlohmann::json;

std::optional<double> numberOf(const std::string& text) {
  double v = 0;
  const char* first = text.data();
  const char* last = text.data() + text.size();
  if (first != last && *first == '+') ++first;
  auto [end, ec] = std::from_chars(first, last, v);
  if (ec != std::errc() || end != last || first == last) return std::nullopt;
  return v;
}

std::string textOf(const json& value) {
  if (value.is_string()) return value.get<std::string>();
  if (value.is_null()) return "none";
  return value.dump();
}

// The member of `object` named `name` in any case; nullptr when there is none.
const json* memberOf(const json& object, std::string_view name) {
  if (!object.is_object()) return nullptr;
  for (const auto& [key, value] : object.items()) {
    if (sameName(key, name)) return &value;
  }
  return nullptr;
}

// A field's value as text, when the field is a plain value.
std::optional<std::string> fieldOf(const json& object, std::string_view field) {
  const json* value = memberOf(object, field);
  if (value == nullptr || value->is_object() || value->is_array()) return std::nullopt;
  return textOf(*value);
}

}  // namespace

std::string subjectValue(const json& state, const std::string& subject) {
  auto fail = [&]() -> std::string {
    throw std::invalid_argument("'" + subject + "' names nothing to expect");
  };
  auto found = [&](const std::optional<std::string>& value) { return value ? *value : fail(); };
  for (const char* list : {"reports", "messageBoxes", "refused", "help"}) {
    if (sameName(subject, list)) return std::to_string(state[list].size());
  }
  if (sameName(subject, "focus")) return textOf(state["dialog"]["focus"]);
  if (sameName(subject, "overlay.shown")) {
    return std::to_string(state["overlay"]["shown"].size());
  }
  const auto dot = subject.find('.');
  if (dot == std::string::npos) return fail();
  const std::string head = subject.substr(0, dot);
  const std::string field = subject.substr(dot + 1);
  for (const char* section : {"sheet", "host", "run", "dialog"}) {
    if (sameName(head, section)) return found(fieldOf(state[section], field));
  }
  static constexpr std::pair<const char*, const char*> kLastOf[] = {
      {"lastReport", "reports"},
      {"lastMessageBox", "messageBoxes"},
      {"lastRefused", "refused"},
      {"lastHelp", "help"}};
  for (const auto& [last, list] : kLastOf) {
    if (!sameName(head, last)) continue;
    const json& entries = state[list];
    return entries.empty() ? "none" : found(fieldOf(entries.back(), field));
  }
  // A control: CONTROL.Property, the property as the toolkit names it (Text, ListIndex...).
  const json controls = state["dialog"].value("controls", json::object());
  const json* control = memberOf(controls, head);
  if (control == nullptr) return fail();
  return found(fieldOf(*control, field));
}

bool matches(const std::string& actual, const std::string& expected) {
  const auto a = numberOf(actual);
  const auto e = numberOf(expected);
  if (a && e) return std::fabs(*a - *e) <= 1e-9 * std::max(std::fabs(*a), std::fabs(*e));
  return actual == expected;
}

std::optional<std::string> controlNamed(std::string_view name) {
  for (const auto& [key, value] : stateSchema()["dialog"]["controls"].items()) {
    if (sameName(key, name)) return key;
  }
  return std::nullopt;
}

}  // namespace session
