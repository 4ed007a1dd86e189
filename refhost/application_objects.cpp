#include "application_objects.hpp"

#include "automation/convert.hpp"
#include "host/dispids.hpp"
#include "length_parser.hpp"
#include "overlay_objects.hpp"

namespace refhost {

using automation::InvokeKind;
using automation::Variant;
namespace ids = host::dispid;

ApplicationObject::ApplicationObject(std::shared_ptr<HostContext> context,
                                     std::shared_ptr<HostState> state)
    : HostObject(std::move(context), "HostApplication"), state_(std::move(state)) {}

Variant ApplicationObject::perform(automation::DispId id, InvokeKind kind,
                                   std::span<Variant> args) {
  namespace app = ids::application;
  if (kind == InvokeKind::Get) {
    expectArgs(args, 0);
    switch (id) {
      case app::kUndoDepth:
        return Variant(state_->undo.depth());
      case app::kStatusText:
        return Variant(state_->statusText);
      case app::kMainWindow:
        return Variant(state_->env.mainWindow);
      case app::kRegisteredName:
        return Variant(state_->env.registeredName);
      case app::kActiveDocument:
        return Variant(hand<DocumentObject>(state_));
      case app::kGraphicFactory:
        return Variant(hand<GraphicFactoryObject>(state_));
      case app::kOverlay:
        return Variant(hand<OverlayObject>(state_));
      default:
        break;
    }
  } else if (kind == InvokeKind::Put) {
    expectArgs(args, 1);
    if (id == app::kUndoDepth) {
      const std::int16_t depth = automation::toInt16(args[0]);
      if (!state_->undo.setDepth(depth)) {
        throw refused("The undo depth must not be negative");
      }
      return {};
    }
    if (id == app::kStatusText) {
      state_->statusText = stringArg(args, 0);
      state_->statusHistory.push_back(state_->statusText);
      if (state_->events != nullptr) state_->events->add("status", state_->statusText);
      state_->notifyViewChanged();
      return {};
    }
  }
  throw noSuchMember(id, kind);
}

DocumentObject::DocumentObject(std::shared_ptr<HostContext> context,
                               std::shared_ptr<HostState> state)
    : HostObject(std::move(context), "HostDocument"), state_(std::move(state)) {}

Variant DocumentObject::perform(automation::DispId id, InvokeKind kind, std::span<Variant> args) {
  namespace doc = ids::document;
  if (kind == InvokeKind::Get && id == doc::kActiveSheet) {
    expectArgs(args, 0);
    return Variant(hand<SheetObject>(state_));
  }
  if (kind == InvokeKind::Call && (id == doc::kFormatDistance || id == doc::kParseDistance)) {
    expectArgs(args, 2);
    const std::int32_t unitType = int32Arg(args, 0);
    if (unitType != doc::kLengthUnitType) {
      throw refused("Unit type " + std::to_string(unitType) + " is not supported");
    }
    if (id == doc::kFormatDistance) {
      const double metres = doubleArg(args, 1);
      const std::optional<std::string> text = formatLength(metres, state_->documentFormat());
      if (!text) throw refused("The distance cannot be written");
      return Variant(*text);
    }
    const std::string text = stringArg(args, 1);
    const LengthFormat format = state_->documentFormat();
    const LengthParse parsed = parseLength(text, format.unit, format.decimalSeparator);
    if (!parsed.metres) {
      throw refused("\"" + text + "\" is not a length: " + parsed.error);
    }
    return Variant(*parsed.metres);
  }
  throw noSuchMember(id, kind);
}

SheetObject::SheetObject(std::shared_ptr<HostContext> context, std::shared_ptr<HostState> state)
    : HostObject(std::move(context), "HostSheet"), state_(std::move(state)) {}

Variant SheetObject::perform(automation::DispId id, InvokeKind kind, std::span<Variant> args) {
  if (kind == InvokeKind::Get && id == ids::sheet::kSetup) {
    expectArgs(args, 0);
    return Variant(hand<SheetSetupObject>(state_));
  }
  throw noSuchMember(id, kind);
}

SheetSetupObject::SheetSetupObject(std::shared_ptr<HostContext> context,
                                   std::shared_ptr<HostState> state)
    : HostObject(std::move(context), "HostSheetSetup"), state_(std::move(state)) {}

Variant SheetSetupObject::perform(automation::DispId id, InvokeKind kind, std::span<Variant> args) {
  namespace setup = ids::sheet_setup;
  SheetSetupModel& model = state_->sheet;
  const SheetSetupState& s = model.state();
  if (kind == InvokeKind::Get) {
    expectArgs(args, 0);
    switch (id) {
      case setup::kPaperUnit:
        return Variant(s.paperUnit);
      case setup::kScaleMode:
        return Variant(s.scaleMode);
      case setup::kHeight:
        return Variant(s.height);
      case setup::kSizeIndex:
        return Variant(s.sizeIndex);
      case setup::kWidth:
        return Variant(s.width);
      case setup::kScaleFactor:
        return Variant(model.scaleFactor());
      default:
        break;
    }
  } else if (kind == InvokeKind::Put) {
    expectArgs(args, 1);
    switch (id) {
      case setup::kScaleMode:
        model.setScaleMode(int32Arg(args, 0));
        return {};
      case setup::kHeight:
        model.setHeight(doubleArg(args, 0));
        return {};
      case setup::kSizeIndex:
        model.setSizeIndex(int32Arg(args, 0));
        return {};
      case setup::kWidth:
        model.setWidth(doubleArg(args, 0));
        return {};
      default:
        break;
    }
  } else {
    switch (id) {
      case setup::kSetCustomScale:
        expectArgs(args, 2);
        model.setCustomScale(doubleArg(args, 0), doubleArg(args, 1));
        return {};
      case setup::kGetScaleDistances:
        expectOutArgs(args, 2);
        setOutArg(args, 0, s.scalePaper);
        setOutArg(args, 1, s.scaleModel);
        return {};
      case setup::kGetOrigin:
        expectOutArgs(args, 2);
        setOutArg(args, 0, s.originX);
        setOutArg(args, 1, s.originY);
        return {};
      case setup::kSetOrigin:
        expectArgs(args, 2);
        model.setOrigin(doubleArg(args, 0), doubleArg(args, 1));
        return {};
      default:
        break;
    }
  }
  throw noSuchMember(id, kind);
}

}  // namespace refhost
