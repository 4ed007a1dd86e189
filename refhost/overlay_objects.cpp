#include "overlay_objects.hpp"

#include <cmath>

#include "host/dispids.hpp"

namespace refhost {

using automation::InvokeKind;
using automation::Variant;
namespace ids = host::dispid;

OverlayObject::OverlayObject(std::shared_ptr<HostContext> context, std::shared_ptr<HostState> state)
    : HostObject(std::move(context), "HostOverlay"), state_(std::move(state)) {}

Variant OverlayObject::perform(automation::DispId id, InvokeKind kind, std::span<Variant> args) {
  OverlayState& overlay = state_->overlay;
  if (kind == InvokeKind::Call) {
    switch (id) {
      case ids::overlay::kClear:
        expectArgs(args, 0);
        overlay.added.clear();
        overlay.shown.clear();
        state_->notifyViewChanged();
        return {};
      case ids::overlay::kShow:
        expectArgs(args, 0);
        overlay.shown.clear();
        for (const OverlayState::Entry& e : overlay.added) {
          if (!e.graphic->shaped) continue;
          overlay.shown.push_back(
              {e.graphic->x, e.graphic->y, e.graphic->width, e.graphic->height, e.colour, e.flag});
        }
        state_->notifyViewChanged();
        return {};
      case ids::overlay::kAdd: {
        expectArgs(args, 4);
        // Only a graphic of this host is taken; the caller's argument holds it for the call.
        const auto* graphic =
            args[0].is<automation::Object>()
                ? automation::objectOfType<GraphicObject>(args[0].as<automation::Object>())
                : nullptr;
        if (graphic == nullptr) {
          throw automation::runtimeFailure(automation::errnum::kTypeMismatch);
        }
        overlay.added.push_back(
            {graphic->graphic(), int32Arg(args, 1), int32Arg(args, 2), int32Arg(args, 3)});
        return {};
      }
      default:
        break;
    }
  }
  throw noSuchMember(id, kind);
}

GraphicFactoryObject::GraphicFactoryObject(std::shared_ptr<HostContext> context,
                                           std::shared_ptr<HostState> state)
    : HostObject(std::move(context), "HostGraphicFactory"), state_(std::move(state)) {}

Variant GraphicFactoryObject::perform(automation::DispId id, InvokeKind kind,
                                      std::span<Variant> args) {
  if (kind == InvokeKind::Get && id == ids::graphic_factory::kNewGraphic) {
    expectArgs(args, 0);
    return Variant(hand<GraphicObject>(std::make_shared<GraphicState>()));
  }
  throw noSuchMember(id, kind);
}

GraphicObject::GraphicObject(std::shared_ptr<HostContext> context,
                             std::shared_ptr<GraphicState> graphic)
    : HostObject(std::move(context), "HostGraphic"), graphic_(std::move(graphic)) {}

Variant GraphicObject::perform(automation::DispId id, InvokeKind kind, std::span<Variant> args) {
  if (kind == InvokeKind::Call && id == ids::graphic::kRectangle) {
    expectArgs(args, 5);
    const double x = doubleArg(args, 0);
    const double y = doubleArg(args, 1);
    const double w = doubleArg(args, 2);
    const double h = doubleArg(args, 3);
    if (!std::isfinite(x) || !std::isfinite(y) || !std::isfinite(w) || !std::isfinite(h)) {
      throw refused("A rectangle needs finite coordinates");
    }
    *graphic_ = GraphicState{true, x, y, w, h};
    return {};
  }
  if (kind == InvokeKind::Call && id == ids::graphic::kMoveBy) {
    expectArgs(args, 4);
    const double dx = doubleArg(args, 2) - doubleArg(args, 0);
    const double dy = doubleArg(args, 3) - doubleArg(args, 1);
    if (!std::isfinite(dx) || !std::isfinite(dy)) throw refused("A move needs finite points");
    graphic_->x += dx;
    graphic_->y += dy;
    return {};
  }
  throw noSuchMember(id, kind);
}

}  // namespace refhost
