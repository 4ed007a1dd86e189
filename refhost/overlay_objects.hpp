#pragma once

#include <memory>

#include "host_object.hpp"
#include "host_state.hpp"

namespace refhost {

// The view's overlay of temporary graphics, the factory that makes them, and a graphic.

class OverlayObject final : public HostObject {
 public:
  OverlayObject(std::shared_ptr<HostContext> context, std::shared_ptr<HostState> state);

 protected:
  automation::Variant perform(automation::DispId id, automation::InvokeKind kind,
                              std::span<automation::Variant> args) override;

 private:
  std::shared_ptr<HostState> state_;
};

class GraphicFactoryObject final : public HostObject {
 public:
  GraphicFactoryObject(std::shared_ptr<HostContext> context, std::shared_ptr<HostState> state);

 protected:
  automation::Variant perform(automation::DispId id, automation::InvokeKind kind,
                              std::span<automation::Variant> args) override;

 private:
  std::shared_ptr<HostState> state_;
};

class GraphicObject final : public HostObject {
 public:
  GraphicObject(std::shared_ptr<HostContext> context, std::shared_ptr<GraphicState> graphic);

  const std::shared_ptr<GraphicState>& graphic() const { return graphic_; }

 protected:
  automation::Variant perform(automation::DispId id, automation::InvokeKind kind,
                              std::span<automation::Variant> args) override;

 private:
  std::shared_ptr<GraphicState> graphic_;
};

}  // namespace refhost
