#pragma once

#include <windows.h>

#include <oaidl.h>

#include "ui/host_control_site.hpp"
#include "windows/automation/com_unknown.hpp"
#include "windows/handles/com_ptr.hpp"

namespace windows {

// The component's sink for a host control's events, advised on the control's connection point:
// each event method is raised on the form's site with its arguments in the component's order,
// and the container's Enabled (a get of DISPID_ENABLED) is the site's. Once detached (the
// control was released), events are dropped and the container reads as disabled.
class ControlEventSink final : public Unknown<ControlEventSink, IDispatch> {
 public:
  // A new sink over `site`.
  static ComPtr<ControlEventSink> create(ui::HostControlSite& site) {
    return ComPtr<ControlEventSink>::adopt(new ControlEventSink(site));
  }

  static bool answers(REFIID iid);
  void detach() { site_ = nullptr; }

  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID lcid, ITypeInfo** info) override;
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID lcid,
                                          DISPID* ids) override;
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID lcid, WORD flags, DISPPARAMS* params,
                                   VARIANT* result, EXCEPINFO* info, UINT* argError) override;

 private:
  explicit ControlEventSink(ui::HostControlSite& site) : site_(&site) {}
  ~ControlEventSink() override = default;

  ui::HostControlSite* site_;
};

}  // namespace windows
