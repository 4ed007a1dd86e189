#pragma once

#include "automation/object.hpp"
#include "host/application_views.hpp"
#include "host/host_view.hpp"

namespace host {

// The host's command control as the component drives it. Its Enabled property and its
// start-up and shut-down events reach the component through the form's host-control slot.
class CommandControl : public HostView {
 public:
  using HostView::HostView;

  // Hands the control the host's command object ("Command", put by name); the control then
  // raises its start-up event.
  void bind(const automation::Object& command) const;
  // The application: named member "zulapplication" of the object that member 1 returns.
  HostApplication application() const;
  // Sets the done flag; true ends the command and the control raises its shut-down event.
  void setDone(bool done = true) const;
};

// The host's mouse control as the component drives it; its Enabled property and its MouseMove
// and MouseClick events reach the component through the form's host-control slot.
class MouseControl : public HostView {
 public:
  using HostView::HostView;

  // The one call the component makes before start-up: member 63 with false.
  void prepare() const;
};

}  // namespace host
