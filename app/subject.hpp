#pragma once

#include <optional>
#include <string>
#include <string_view>

#include <nlohmann/json.hpp>

namespace session {

// The value of an `expect` subject in a state (e.g. "txtSizeW.Text", "sheet.width", "focus",
// "reports"), as text. Names match in any case, as the dialog's own do. Throws
// std::invalid_argument for a subject that names nothing.
std::string subjectValue(const nlohmann::json& state, const std::string& subject);

// Whether `actual` matches the expected text: numbers within 1e-9 of the larger of the two in
// magnitude (so an expected 0 is matched only by zero), otherwise exactly.
bool matches(const std::string& actual, const std::string& expected);

// The dialog's control that `name` names in any case, spelt as the dialog spells it ("CMDOK":
// "cmdOK", "optsheetsize(2)": "optSheetSize(2)"); nothing when the dialog has none.
std::optional<std::string> controlNamed(std::string_view name);

}  // namespace session
