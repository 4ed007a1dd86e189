#include "windows/automation/com_dispatch.hpp"

#include <algorithm>

#include "automation/variant.hpp"
#include "windows/automation/argument_list.hpp"
#include "windows/automation/com_variant.hpp"
#include "windows/automation/dispatch_bridge.hpp"
#include "windows/automation/failure_info.hpp"
#include "windows/platform/ansi_codec.hpp"

namespace windows {
namespace {

WORD flagsOf(automation::InvokeKind kind, std::span<automation::Variant> args) {
  switch (kind) {
    case automation::InvokeKind::Get:
      return DISPATCH_PROPERTYGET;
    case automation::InvokeKind::Put:
      return !args.empty() && args.back().is<automation::Object>() ? DISPATCH_PROPERTYPUTREF
                                                                   : DISPATCH_PROPERTYPUT;
    case automation::InvokeKind::Call:
      break;
  }
  return DISPATCH_METHOD;
}

}  // namespace

automation::Object ComDispatch::wrap(IDispatch* dispatch) {
  if (dispatch == nullptr) return automation::Object();
  // One of the component's own objects come back: its own Object, not a wrapper of a wrapper.
  if (automation::Object own = DispatchBridge::objectOf(dispatch); own.isSet()) return own;
  return automation::Object(std::make_shared<ComDispatch>(dispatch));
}

automation::Variant ComDispatch::invoke(automation::DispId id, automation::InvokeKind kind,
                                        std::span<automation::Variant> args) {
  const std::size_t count = args.size();
  VariantArray values(count);
  for (std::size_t i = 0; i < count; ++i) toVariant(args[i], values[count - 1 - i]);
  DISPID named = DISPID_PROPERTYPUT;
  DISPPARAMS params{values.data(), nullptr, static_cast<UINT>(count), 0};
  const WORD flags = flagsOf(kind, args);
  if (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) {
    params.rgdispidNamedArgs = &named;
    params.cNamedArgs = 1;
  }
  VariantArray result(1);  // cleared on every path out, as the arguments are
  EXCEPINFO info{};
  UINT argError = 0;
  const HRESULT status = dispatch_->Invoke(
      id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params,
      flags == DISPATCH_PROPERTYGET || flags == DISPATCH_METHOD ? &result[0] : nullptr, &info,
      &argError);
  if (FAILED(status)) {
    throwIfRunAborted(status, &info);
    throw failureOf(status, &info);
  }
  return fromVariant(result[0]);
}

std::optional<automation::DispId> ComDispatch::idOfName(std::string_view name) {
  if (const auto it = ids_.find(name); it != ids_.end()) return it->second;
  std::wstring wide = wideFromUtf8(name);
  LPOLESTR names[] = {wide.data()};
  DISPID id = DISPID_UNKNOWN;
  const HRESULT status = dispatch_->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
  if (status == DISP_E_UNKNOWNNAME || status == DISP_E_MEMBERNOTFOUND) return std::nullopt;
  if (FAILED(status)) throw failureOf(status, nullptr);
  ids_.emplace(std::string(name), id);
  return id;
}

ComPtr<IDispatch> dispatchOf(const automation::Object& object) {
  if (!object.isSet()) return {};
  if (auto* com = automation::objectOfType<ComDispatch>(object))
    return ComPtr<IDispatch>(com->dispatch());
  return ComPtr<IDispatch>::adopt(DispatchBridge::create(object));
}

}  // namespace windows
