#pragma once

#include <memory>

#include "automation/object.hpp"
#include "reference_host.hpp"

namespace windows::host_classes {

// The host's session driver: the DLL attaches its session object to it, which the host then
// drives. `session` is where the attached session is kept (the newest one attached).
class SessionDriver final : public automation::Dispatch {
 public:
  explicit SessionDriver(std::shared_ptr<automation::Object> session)
      : session_(std::move(session)) {}
  automation::Variant invoke(automation::DispId id, automation::InvokeKind kind,
                             std::span<automation::Variant> args) override;
  std::optional<automation::DispId> idOfName(std::string_view) override { return std::nullopt; }

 private:
  std::shared_ptr<automation::Object> session_;
};

// The reference host's view as the session's view: mouse input goes to the host, which hands
// it to an enabled mouse control; the answer is empty when delivered, else why it was refused.
class ReferenceHostView : public automation::Dispatch {
 public:
  explicit ReferenceHostView(refhost::ReferenceHost& host) : host_(host) {}
  automation::Variant invoke(automation::DispId id, automation::InvokeKind kind,
                             std::span<automation::Variant> args) override;
  std::optional<automation::DispId> idOfName(std::string_view) override { return std::nullopt; }

 protected:
  // The view's answer to an input the host took (`delivered`) or refused.
  automation::Variant answer(bool delivered) const;
  refhost::ReferenceHost& host_;
};

}  // namespace windows::host_classes
