#include "windows/automation/com_dispatch.hpp"

#include <algorithm>
#include <vector>

#include "automation/variant.hpp"
#include "windows/automation/com_variant.hpp"
#include "windows/automation/dispatch_bridge.hpp"
#include "windows/automation/failure_info.hpp"
#include "windows/platform/ansi_codec.hpp"

namespace windows {
namespace {

// Clears the VARIANTs it holds on every path out.
class VariantArray {
 public:
  explicit VariantArray(std::size_t size) : values_(size) {
    for (VARIANT& v : values_) VariantInit(&v);
  }
  ~VariantArray() {
    for (VARIANT& v : values_) VariantClear(&v);
  }
  VariantArray(const VariantArray&) = delete;
  VariantArray& operator=(const VariantArray&) = delete;
  VARIANT* data() { return values_.data(); }
  VARIANT& operator[](std::size_t i) { return values_[i]; }

 private:
  std::vector<VARIANT> values_;
};

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

ComDispatch::ComDispatch(IDispatch* dispatch) : dispatch_(dispatch) {
  dispatch_->AddRef();
}

ComDispatch::~ComDispatch() {
  dispatch_->Release();
}

automation::Variant ComDispatch::invoke(automation::DispId id, automation::InvokeKind kind,
                                        std::span<automation::Variant> args) {
  const std::size_t count = args.size();
  VariantArray values(count);
  for (std::size_t i = 0; i < count; ++i) values[count - 1 - i] = toVariant(args[i]);
  DISPID named = DISPID_PROPERTYPUT;
  DISPPARAMS params{values.data(), nullptr, static_cast<UINT>(count), 0};
  const WORD flags = flagsOf(kind, args);
  if (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) {
    params.rgdispidNamedArgs = &named;
    params.cNamedArgs = 1;
  }
  VARIANT result;
  VariantInit(&result);
  EXCEPINFO info{};
  UINT argError = 0;
  const HRESULT status = dispatch_->Invoke(
      id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params,
      flags == DISPATCH_PROPERTYGET || flags == DISPATCH_METHOD ? &result : nullptr, &info,
      &argError);
  if (FAILED(status)) {
    VariantClear(&result);
    throwIfRunAborted(status, &info);
    throw failureOf(status, &info);
  }
  automation::Variant value;
  try {
    value = fromVariant(result);
  } catch (...) {
    VariantClear(&result);
    throw;
  }
  VariantClear(&result);
  return value;
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

IDispatch* dispatchOf(const automation::Object& object) {
  if (!object.isSet()) return nullptr;
  if (auto* com = dynamic_cast<ComDispatch*>(object.get())) {
    com->dispatch()->AddRef();
    return com->dispatch();
  }
  return DispatchBridge::create(object);
}

}  // namespace windows
