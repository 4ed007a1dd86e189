#pragma once

#include <memory>

#include "host_object.hpp"
#include "host_state.hpp"

namespace refhost {

// The host's application, document, sheet and sheet setup, as late-bound objects. Each get of
// an object returns a new reference to the same state.

class ApplicationObject final : public HostObject {
 public:
  ApplicationObject(std::shared_ptr<HostContext> context, std::shared_ptr<HostState> state);

 protected:
  automation::Variant perform(automation::DispId id, automation::InvokeKind kind,
                              std::span<automation::Variant> args) override;

 private:
  std::shared_ptr<HostState> state_;
};

class DocumentObject final : public HostObject {
 public:
  DocumentObject(std::shared_ptr<HostContext> context, std::shared_ptr<HostState> state);

 protected:
  automation::Variant perform(automation::DispId id, automation::InvokeKind kind,
                              std::span<automation::Variant> args) override;

 private:
  std::shared_ptr<HostState> state_;
};

class SheetObject final : public HostObject {
 public:
  SheetObject(std::shared_ptr<HostContext> context, std::shared_ptr<HostState> state);

 protected:
  automation::Variant perform(automation::DispId id, automation::InvokeKind kind,
                              std::span<automation::Variant> args) override;

 private:
  std::shared_ptr<HostState> state_;
};

class SheetSetupObject final : public HostObject {
 public:
  SheetSetupObject(std::shared_ptr<HostContext> context, std::shared_ptr<HostState> state);

 protected:
  automation::Variant perform(automation::DispId id, automation::InvokeKind kind,
                              std::span<automation::Variant> args) override;

 private:
  std::shared_ptr<HostState> state_;
};

}  // namespace refhost
