#pragma once

#include <memory>
#include <string>

#include "automation/object.hpp"

namespace dialog {
class FrmMain;
}

namespace command {

class Component;

// The component's one creatable class. Its construction creates the dialog (not yet loaded);
// Command_Initialize hands the host's command object to the dialog's command control, which
// starts the command; its destruction frees the satellite library and unloads the dialog.
// Every operation is guarded: a failure is reported and the host sees success.
class CQuadrift {
 public:
  explicit CQuadrift(Component& component);  // Class_Initialize
  ~CQuadrift();                              // Class_Terminate
  CQuadrift(const CQuadrift&) = delete;
  CQuadrift& operator=(const CQuadrift&) = delete;

  void Command_Initialize(automation::Object& BasicCmd);
  // Where the command's help file is, from the running application's registry key; empty when
  // no application is running.
  std::string HelpFileName();

  // The dialog, for the environment's inspection (null if construction failed).
  dialog::FrmMain* dialog() const { return frmMain_.get(); }

 private:
  Component& c_;
  std::unique_ptr<dialog::FrmMain> frmMain_;
};

}  // namespace command
