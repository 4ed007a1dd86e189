#pragma once

#include <windows.h>

#include <ocidl.h>

#include <atomic>
#include <memory>
#include <string_view>

#include "automation/object.hpp"
#include "ui/host_control_site.hpp"
#include "windows/handles/com_ptr.hpp"

namespace windows::host_classes {

// One of the host framework's controls (the command control, the mouse control) as a COM
// object: its members through IDispatch, its events through one connection point for the host
// controls' event interface. The control's site is a proxy over the advised sink: the
// container's Enabled is the sink's DISPID_ENABLED, each event a call of the sink's member for
// it; with no sink advised the container is disabled and events are dropped.
class ComHostControl final : public IDispatch, public IConnectionPointContainer {
 public:
  // A new control of class `progId` from `controls`.
  static ComPtr<IDispatch> create(ui::HostControlFactory& controls, std::string_view progId);

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
  ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
  ULONG STDMETHODCALLTYPE Release() override;

  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID lcid, ITypeInfo** info) override;
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID lcid,
                                          DISPID* ids) override;
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID lcid, WORD flags, DISPPARAMS* params,
                                   VARIANT* result, EXCEPINFO* info, UINT* argError) override;

  HRESULT STDMETHODCALLTYPE EnumConnectionPoints(IEnumConnectionPoints** points) override;
  HRESULT STDMETHODCALLTYPE FindConnectionPoint(REFIID iid, IConnectionPoint** point) override;

  // The connection point's side: one sink at a time.
  HRESULT advise(IUnknown* sink, DWORD* cookie);
  HRESULT unadvise(DWORD cookie);
  IDispatch* sink() const { return sink_.get(); }
  // The advised sink as a late-bound object, wrapped once so an event makes no allocation.
  const automation::Object& events() const { return events_; }

 private:
  class SinkSite;
  ComHostControl();
  ~ComHostControl();

  // Released in the reverse order: the reference host's control before the site it refers to.
  std::atomic<ULONG> references_{1};
  std::unique_ptr<SinkSite> site_;
  ComPtr<IDispatch> sink_;
  automation::Object events_;
  ComPtr<IDispatch> members_;  // a bridge over the reference host's control
};

}  // namespace windows::host_classes
