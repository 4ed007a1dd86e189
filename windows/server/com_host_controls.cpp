#include "windows/server/com_host_controls.hpp"

#include <windows.h>

#include <ocidl.h>

#include <memory>

#include "windows/automation/com_dispatch.hpp"
#include "windows/handles/com_ptr.hpp"
#include "windows/server/control_event_sink.hpp"
#include "windows/server/control_events.hpp"

namespace windows {
namespace {

// A host control with the component's event sink advised on it. Calls go to the control; the
// last reference unadvises the sink and detaches it from the site, so neither side keeps the
// other alive and no event reaches a form that has let the control go.
class AdvisedControl final : public automation::Dispatch {
 public:
  AdvisedControl(automation::Object control, ComPtr<IConnectionPoint> point,
                 ComPtr<ControlEventSink> sink, DWORD cookie)
      : control_(std::move(control)),
        sink_(std::move(sink)),
        point_(std::move(point)),
        cookie_(cookie) {}
  ~AdvisedControl() override {
    point_->Unadvise(cookie_);
    sink_->detach();
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
  ComPtr<ControlEventSink> sink_;
  ComPtr<IConnectionPoint> point_;
  DWORD cookie_;
};

// The control's connection point for the host controls' events; empty when it has none.
ComPtr<IConnectionPoint> eventPointOf(const ComPtr<IDispatch>& control) {
  const auto container = control.query<IConnectionPointContainer>();
  ComPtr<IConnectionPoint> point;
  if (container) container->FindConnectionPoint(kHostControlEventsIid, point.put());
  return point;
}

}  // namespace

automation::Object ComHostControls::create(std::string_view progId, std::span<const std::uint8_t>,
                                           ui::HostControlSite& site) {
  automation::Object control = creator_.create(progId);
  ComPtr<IConnectionPoint> point = eventPointOf(dispatchOf(control));
  if (!point) return control;
  ComPtr<ControlEventSink> sink = ControlEventSink::create(site);
  DWORD cookie = 0;
  if (FAILED(point->Advise(sink.get(), &cookie))) return control;
  return automation::Object(std::make_shared<AdvisedControl>(std::move(control), std::move(point),
                                                             std::move(sink), cookie));
}

}  // namespace windows
