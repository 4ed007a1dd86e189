#include "windows/server/com_host_controls.hpp"

#include <windows.h>

#include <ocidl.h>

#include <memory>

#include "windows/automation/com_dispatch.hpp"
#include "windows/server/control_event_sink.hpp"
#include "windows/server/control_events.hpp"

namespace windows {
namespace {

// A host control with the component's event sink advised on it. Calls go to the control; the
// last reference unadvises the sink and detaches it from the site, so neither side keeps the
// other alive and no event reaches a form that has let the control go.
class AdvisedControl final : public automation::Dispatch {
 public:
  AdvisedControl(automation::Object control, IConnectionPoint* point, ControlEventSink* sink,
                 DWORD cookie)
      : control_(std::move(control)), point_(point), sink_(sink), cookie_(cookie) {}
  ~AdvisedControl() override {
    point_->Unadvise(cookie_);
    point_->Release();
    sink_->detach();
    sink_->Release();
  }
  AdvisedControl(const AdvisedControl&) = delete;
  AdvisedControl& operator=(const AdvisedControl&) = delete;

  automation::Variant invoke(automation::DispId id, automation::InvokeKind kind,
                             std::span<automation::Variant> args) override {
    return control_.invoke(id, kind, args);
  }
  std::optional<automation::DispId> idOfName(std::string_view name) override {
    return control_.get()->idOfName(name);
  }

 private:
  automation::Object control_;
  IConnectionPoint* point_;
  ControlEventSink* sink_;
  DWORD cookie_;
};

// The control's connection point for the host controls' events, with a reference; null when
// it has none.
IConnectionPoint* eventPointOf(IDispatch* control) {
  IConnectionPointContainer* container = nullptr;
  if (FAILED(control->QueryInterface(IID_IConnectionPointContainer,
                                     reinterpret_cast<void**>(&container))))
    return nullptr;
  IConnectionPoint* point = nullptr;
  if (FAILED(container->FindConnectionPoint(kHostControlEventsIid, &point))) point = nullptr;
  container->Release();
  return point;
}

}  // namespace

automation::Object ComHostControls::create(std::string_view progId, std::span<const std::uint8_t>,
                                           ui::HostControlSite& site) {
  automation::Object control = creator_.create(progId);
  IDispatch* dispatch = dispatchOf(control);
  IConnectionPoint* point = eventPointOf(dispatch);
  dispatch->Release();
  if (point == nullptr) return control;
  ControlEventSink* sink = ControlEventSink::create(site);
  DWORD cookie = 0;
  if (FAILED(point->Advise(sink, &cookie))) {
    point->Release();
    sink->Release();
    return control;
  }
  return automation::Object(
      std::make_shared<AdvisedControl>(std::move(control), point, sink, cookie));
}

}  // namespace windows
