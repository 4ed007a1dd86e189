#include "windows/host/com_host_control.hpp"

#include <olectl.h>

#include <memory>
#include <string>

#include "automation/convert.hpp"
#include "automation/failure.hpp"
#include "automation/variant.hpp"
#include "windows/automation/com_dispatch.hpp"
#include "windows/automation/com_unknown.hpp"
#include "windows/automation/dispatch_bridge.hpp"
#include "windows/server/control_events.hpp"

namespace windows::host_classes {
namespace {

constexpr DWORD kCookie = 1;

// The dispatch id of an event the reference host's controls raise.
automation::DispId eventId(std::string_view event) {
  if (event == "Initialize") return kEventInitialize;
  if (event == "Terminate") return kEventTerminate;
  if (event == "MouseMove") return kEventMouseMove;
  if (event == "MouseClick") return kEventMouseClick;
  throw automation::Failure(automation::errnum::kMemberNotFound,
                            "The host controls have no event " + std::string(event));
}

// The control's connection point, made for each FindConnectionPoint; it keeps the control
// alive, the control does not keep it.
class EventPoint final : public Unknown<EventPoint, IConnectionPoint> {
 public:
  explicit EventPoint(ComHostControl& control) : control_(&control) {}
  static bool answers(REFIID iid) {
    return IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IConnectionPoint);
  }
  HRESULT STDMETHODCALLTYPE GetConnectionInterface(IID* iid) override {
    if (iid == nullptr) return E_POINTER;
    *iid = kHostControlEventsIid;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetConnectionPointContainer(IConnectionPointContainer** out) override {
    if (out == nullptr) return E_POINTER;
    return control_->QueryInterface(IID_IConnectionPointContainer, reinterpret_cast<void**>(out));
  }
  HRESULT STDMETHODCALLTYPE Advise(IUnknown* sink, DWORD* cookie) override {
    return control_->advise(sink, cookie);
  }
  HRESULT STDMETHODCALLTYPE Unadvise(DWORD cookie) override { return control_->unadvise(cookie); }
  HRESULT STDMETHODCALLTYPE EnumConnections(IEnumConnections** out) override {
    if (out != nullptr) *out = nullptr;
    return E_NOTIMPL;
  }

 private:
  ~EventPoint() override = default;
  ComPtr<ComHostControl> control_;
};

}  // namespace

class ComHostControl::SinkSite final : public ui::HostControlSite {
 public:
  explicit SinkSite(ComHostControl& control) : control_(control) {}
  bool enabled() const override {
    const automation::Object& sink = control_.events();
    if (!sink.isSet()) return false;
    try {
      return automation::toBool(sink.get(DISPID_ENABLED));
    } catch (const automation::Failure&) {
      return false;  // a sink that cannot tell is not taking input
    }
  }
  void raiseEvent(std::string_view event, std::span<automation::Variant> args) override {
    // A copy: the handler the event runs may unadvise the sink.
    const automation::Object sink = control_.events();
    if (sink.isSet()) sink.invoke(eventId(event), automation::InvokeKind::Call, args);
  }

 private:
  ComHostControl& control_;
};

ComPtr<IDispatch> ComHostControl::create(ui::HostControlFactory& controls,
                                         std::string_view progId) {
  auto control = ComPtr<ComHostControl>::adopt(new ComHostControl());
  control->members_ = ComPtr<IDispatch>::adopt(
      DispatchBridge::create(controls.create(progId, {}, *control->site_)));
  return ComPtr<IDispatch>::adopt(control.detach());
}

ComHostControl::ComHostControl() : site_(std::make_unique<SinkSite>(*this)) {}

ComHostControl::~ComHostControl() = default;

HRESULT ComHostControl::QueryInterface(REFIID iid, void** out) {
  if (out == nullptr) return E_POINTER;
  if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch)) {
    *out = static_cast<IDispatch*>(this);
  } else if (IsEqualIID(iid, IID_IConnectionPointContainer)) {
    *out = static_cast<IConnectionPointContainer*>(this);
  } else {
    *out = nullptr;
    return E_NOINTERFACE;
  }
  AddRef();
  return S_OK;
}

ULONG ComHostControl::Release() {
  const ULONG left = --references_;
  if (left == 0) delete this;
  return left;
}

HRESULT ComHostControl::GetTypeInfoCount(UINT* count) {
  return members_->GetTypeInfoCount(count);
}

HRESULT ComHostControl::GetTypeInfo(UINT index, LCID lcid, ITypeInfo** info) {
  return members_->GetTypeInfo(index, lcid, info);
}

HRESULT ComHostControl::GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID lcid,
                                      DISPID* ids) {
  return members_->GetIDsOfNames(iid, names, count, lcid, ids);
}

HRESULT ComHostControl::Invoke(DISPID id, REFIID iid, LCID lcid, WORD flags, DISPPARAMS* params,
                               VARIANT* result, EXCEPINFO* info, UINT* argError) {
  // A handler may release this control while its event is raised.
  const ComPtr<ComHostControl> alive(this);
  return members_->Invoke(id, iid, lcid, flags, params, result, info, argError);
}

HRESULT ComHostControl::EnumConnectionPoints(IEnumConnectionPoints** points) {
  if (points != nullptr) *points = nullptr;
  return E_NOTIMPL;
}

HRESULT ComHostControl::FindConnectionPoint(REFIID iid, IConnectionPoint** point) {
  if (point == nullptr) return E_POINTER;
  *point = nullptr;
  if (!IsEqualIID(iid, kHostControlEventsIid)) return CONNECT_E_NOCONNECTION;
  *point = new EventPoint(*this);
  return S_OK;
}

HRESULT ComHostControl::advise(IUnknown* sink, DWORD* cookie) {
  if (sink == nullptr || cookie == nullptr) return E_POINTER;
  *cookie = 0;
  if (sink_) return CONNECT_E_ADVISELIMIT;
  ComPtr<IDispatch> events;
  if (FAILED(sink->QueryInterface(kHostControlEventsIid, events.putVoid())) &&
      FAILED(sink->QueryInterface(IID_IDispatch, events.putVoid())))
    return CONNECT_E_CANNOTCONNECT;
  sink_ = std::move(events);
  events_ = ComDispatch::wrap(sink_.get());
  *cookie = kCookie;
  return S_OK;
}

HRESULT ComHostControl::unadvise(DWORD cookie) {
  if (cookie != kCookie || !sink_) return CONNECT_E_NOCONNECTION;
  const ComPtr<IDispatch> sink = std::move(sink_);
  events_.release();
  return S_OK;
}

}  // namespace windows::host_classes
