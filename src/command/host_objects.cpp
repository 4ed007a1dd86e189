#include "command/host_objects.hpp"

#include "automation/guard.hpp"
#include "command/component.hpp"
#include "host/host_controls.hpp"

namespace command {

bool InitHostObjects(Component& c, const host::CommandControl& commandControl) {
  return automation::guardedFunction(c.reporting, "kstQuadrift.frmMain:InitHostObjects()", false,
                                     [&](bool& result) {
                                       result = false;
                                       c.HostApplication = commandControl.application();
                                       c.HostDocument = c.HostApplication.activeDocument();
                                       c.HostSheet = c.HostDocument.activeSheet();
                                       c.HostSheetSetup = c.HostSheet.setup();
                                       c.HostOverlay = c.HostApplication.overlay();
                                       c.HostGraphicFactory = c.HostApplication.graphicFactory();
                                       result = true;
                                     });
}

void ReleaseHostObjects(Component& c) {
  c.HostGraphicFactory.release();
  c.HostOverlay.release();
  c.HostSheetSetup.release();
  c.HostSheet.release();
  c.HostDocument.release();
  c.HostApplication.release();
  c.PlacementPrompt.clear();
  c.EndPrompt.clear();
}

}  // namespace command
