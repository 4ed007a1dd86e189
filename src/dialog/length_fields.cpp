// The six length fields of frmMain: the text is selected on entry and checked on exit by the
// host's length parser; valid text is rewritten in the document's format, invalid text is
// rejected with a warning and the old text and the focus come back.
#include "automation/guard.hpp"
#include "command/component.hpp"
#include "dialog/frm_main.hpp"
#include "platform/resource_strings.hpp"
#include "ui/engine.hpp"

namespace dialog {

namespace {

constexpr std::int32_t kWarningTextId = 212;
constexpr std::int32_t kWarningTitleId = 193;

// Length of `text` in characters.
std::int32_t characterCount(const std::string& text) {
  std::int32_t count = 0;
  for (const char ch : text) {
    if ((static_cast<unsigned char>(ch) & 0xC0) != 0x80) ++count;
  }
  return count;
}

void selectAll(ui::TextBox& field) {
  field.setSelStart(0);
  field.setSelLength(characterCount(field.text()));
}

}  // namespace

void FrmMain::lengthField_GotFocus(ui::TextBox& field, const std::string& ident) {
  automation::guarded(c_.reporting, ident, [&] {
    TextBeforeEdit = field.text();
    selectAll(field);
  });
}

void FrmMain::lengthField_LostFocus(ui::TextBox& field, const std::string& ident) {
  const automation::ProcedureScope running(c_.reporting, ident);
  automation::Suppressed stretch;
  double length = 0;
  stretch.step([&] { length = c_.HostDocument.parseDistance(field.text()); });
  if (stretch.failed()) {
    // Invalid entry: warn, put the old text back, select it and return the focus. Failures of
    // these steps are ignored, and nothing is reported.
    stretch.step([&] {
      auto text = [this](std::int32_t id) {
        return platform::GetResourceString(c_.system(), c_.reporting, c_.ResourceLibrary, id);
      };
      form_->engine().messageBox(text(kWarningTextId), text(kWarningTitleId), ui::mb::kExclamation);
    });
    stretch.step([&] { field.setText(TextBeforeEdit); });
    stretch.step([&] { selectAll(field); });
    stretch.step([&] { field.setFocus(); });
    stretch.clear();
    return;
  }
  automation::guarded(c_.reporting, ident, [&] { showLength(field, length); });
}

}  // namespace dialog
