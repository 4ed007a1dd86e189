#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "automation/guard.hpp"
#include "automation/object.hpp"
#include "automation/variant.hpp"
#include "ui/form.hpp"

namespace command {
class Component;
}

namespace dialog {

struct CaptionLengths;
struct SetupRecord;

// The dialog frmMain: its form, built from the layout, and every handler of the command. The
// handlers are grouped by concern in the files of dialog/, placement/ and command/.
class FrmMain {
 public:
  // Creates the dialog object; the form loads the first time it is touched.
  explicit FrmMain(command::Component& component);
  ~FrmMain();
  FrmMain(const FrmMain&) = delete;
  FrmMain& operator=(const FrmMain&) = delete;

  ui::Form& form() { return *form_; }
  // The dialog as a late-bound object: its members by name are its host controls ("ksCommand1").
  automation::Object object();

  // Fills every control from history record `number`.
  void PopulateForm(std::int16_t number);

 private:
  struct Controls;
  class LateBound;

  void wireEvents();
  void onCommandEvent(std::string_view event);
  void onMouseEvent(std::string_view event, std::span<automation::Variant> args);

  // Start-up and shut-down (command/startup.cpp).
  void Form_Load();
  void ksCommand1_Initialize();
  void loadResourceLibrary();
  void setCaptions();
  void Form_QueryUnload(std::int16_t& cancel, std::int16_t unloadMode);
  void ksCommand1_Terminate();

  // Sheet size (dialog/sheet_size.cpp) and drawing scale (dialog/sheet_scale.cpp).
  void optSheetSize_Click(std::int16_t index);
  void cboSize_Click();
  void optScaleMode_Click(std::int16_t index);
  void cboScale_Click();

  // The six length fields (dialog/length_fields.cpp).
  void lengthField_GotFocus(ui::TextBox& field, const std::string& ident);
  void lengthField_LostFocus(ui::TextBox& field, const std::string& ident);

  // Applying, undo and closing (dialog/apply.cpp), help (dialog/help.cpp).
  void PerformSheetSetup();
  // Writes a recorded setup to the sheet as it was read, not through the fields' texts, which
  // hold it only to the precision of the document's length format: the restore at shut-down.
  void PerformSheetSetup(const SetupRecord& exact);
  void applyAndRecord();
  void cmdApply_Click();
  void cmdPrevious_Click();
  void cmdOK_Click();
  void cmdCancel_Click();
  // After OK or Cancel hid the dialog and the done flag could not be set.
  // Part of the OK or Cancel click that calls it, and reported as that click.
  void showAgainAfterFailedEnd(std::string_view ident,
                               automation::CallSite click = automation::CallSite::here());
  void ClearUndoBuffer();
  void cmdHelp_Click();

  // Mouse placement (placement/mouse_placement.cpp).
  void cmdMove_Click();
  void ksMouse1_MouseMove(std::span<automation::Variant> args);
  void ksMouse1_MouseClick(std::span<automation::Variant> args);

  // Writes `length` (metres) into `field` as the document formats it.
  void showLength(ui::TextBox& field, double length);
  // Parses each of a caption's two lengths and shows it in its field. A length the host does not
  // parse leaves its field as it was and is not reported; the other is still handled.
  void showCaptionLengths(const CaptionLengths& texts, ui::TextBox& first, ui::TextBox& second);

  command::Component& c_;
  std::unique_ptr<ui::Form> form_;
  std::unique_ptr<Controls> ctl_;

  std::string TextBeforeEdit;  // the text the last entered length field had
  bool PlacementDone = false;  // a left click has placed the display sheet
};

}  // namespace dialog
