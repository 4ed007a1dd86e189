#include "windows/automation/com_variant.hpp"

#include "automation/failure.hpp"
#include "windows/automation/bstr.hpp"
#include "windows/automation/com_dispatch.hpp"
#include "windows/automation/dispatch_bridge.hpp"
#include "windows/handles/com_ptr.hpp"

namespace windows {
namespace {

automation::Failure typeMismatch() {
  return automation::runtimeFailure(automation::errnum::kTypeMismatch);
}

// A VT_DISPATCH value is an IDispatch already; a VT_UNKNOWN one is asked for it.
automation::Variant objectOf(IDispatch* dispatch) {
  return automation::Variant(ComDispatch::wrap(dispatch));
}

automation::Variant objectOfUnknown(IUnknown* unknown) {
  if (unknown == nullptr) return automation::Variant(automation::Object());
  ComPtr<IDispatch> dispatch;
  if (FAILED(unknown->QueryInterface(IID_IDispatch, dispatch.putVoid()))) throw typeMismatch();
  return automation::Variant(ComDispatch::wrap(dispatch.get()));
}

}  // namespace

void toVariant(const automation::Variant& value, VARIANT& v) {
  V_VT(&v) = VT_EMPTY;
  const auto& s = value.storage();
  if (const auto* i2 = std::get_if<std::int16_t>(&s)) {
    V_VT(&v) = VT_I2;
    V_I2(&v) = *i2;
  } else if (const auto* i4 = std::get_if<std::int32_t>(&s)) {
    V_VT(&v) = VT_I4;
    V_I4(&v) = *i4;
  } else if (const auto* r8 = std::get_if<double>(&s)) {
    V_VT(&v) = VT_R8;
    V_R8(&v) = *r8;
  } else if (const auto* b = std::get_if<automation::Bool16>(&s)) {
    V_VT(&v) = VT_BOOL;
    V_BOOL(&v) = b->value;
  } else if (const auto* text = std::get_if<std::string>(&s)) {
    V_BSTR(&v) = bstrOf(*text);
    V_VT(&v) = VT_BSTR;
  } else if (const auto* object = std::get_if<automation::Object>(&s)) {
    V_VT(&v) = VT_DISPATCH;
    V_DISPATCH(&v) = dispatchOf(*object).detach();  // the VARIANT's reference, or null
  } else if (const auto* ref = std::get_if<automation::DoubleRef>(&s)) {
    V_VT(&v) = VT_BYREF | VT_R8;
    V_R8REF(&v) = ref->target;
  }
}

void clearVariant(VARIANT& value) {
  const VARTYPE type = V_VT(&value);
  const bool owns =
      (type & VT_BYREF) == 0 && (type == VT_BSTR || type == VT_DISPATCH || type == VT_UNKNOWN ||
                                 type == VT_RECORD || (type & VT_ARRAY) != 0);
  if (owns) {
    VariantClear(&value);
  } else {
    V_VT(&value) = VT_EMPTY;
  }
}

automation::Variant fromVariant(const VARIANT& value) {
  const VARTYPE type = V_VT(&value);
  if (type == (VT_BYREF | VT_VARIANT)) {
    if (V_VARIANTREF(&value) == nullptr) throw typeMismatch();
    return fromVariant(*V_VARIANTREF(&value));
  }
  switch (type) {
    case VT_EMPTY:
    case VT_NULL:
      return {};
    case VT_ERROR:
      if (V_ERROR(&value) == DISP_E_PARAMNOTFOUND) return {};
      throw typeMismatch();
    case VT_I2:
      return automation::Variant(static_cast<std::int16_t>(V_I2(&value)));
    case VT_I4:
      return automation::Variant(static_cast<std::int32_t>(V_I4(&value)));
    case VT_R8:
      return automation::Variant(V_R8(&value));
    case VT_BOOL:
      return automation::Variant(automation::Bool16{V_BOOL(&value)});
    case VT_BSTR:
      return automation::Variant(utf8Of(V_BSTR(&value)));
    case VT_DISPATCH:
      return objectOf(V_DISPATCH(&value));
    case VT_UNKNOWN:
      return objectOfUnknown(V_UNKNOWN(&value));
    case VT_BYREF | VT_I2:
      return automation::Variant(static_cast<std::int16_t>(*V_I2REF(&value)));
    case VT_BYREF | VT_I4:
      return automation::Variant(static_cast<std::int32_t>(*V_I4REF(&value)));
    case VT_BYREF | VT_R8:
      // An out argument: the callee writes through it into the caller's double.
      if (V_R8REF(&value) == nullptr) throw typeMismatch();
      return automation::Variant(automation::DoubleRef{V_R8REF(&value)});
    case VT_BYREF | VT_BOOL:
      return automation::Variant(automation::Bool16{*V_BOOLREF(&value)});
    case VT_BYREF | VT_BSTR:
      return automation::Variant(utf8Of(*V_BSTRREF(&value)));
    case VT_BYREF | VT_DISPATCH:
      return objectOf(*V_DISPATCHREF(&value));
    default:
      break;
  }
  // Other numbers (bytes, unsigned, single, currency, dates) widen to a double or a long.
  VARIANT widened;
  VariantInit(&widened);
  const VARTYPE target = (type & ~VT_BYREF) == VT_R4 || (type & ~VT_BYREF) == VT_CY ||
                                 (type & ~VT_BYREF) == VT_DATE || (type & ~VT_BYREF) == VT_DECIMAL
                             ? VT_R8
                             : VT_I4;
  const HRESULT changed = VariantChangeType(&widened, const_cast<VARIANT*>(&value), 0, target);
  if (changed == DISP_E_OVERFLOW) throw automation::runtimeFailure(automation::errnum::kOverflow);
  if (FAILED(changed)) throw typeMismatch();
  // A double or a long owns nothing to free.
  return target == VT_R8 ? automation::Variant(V_R8(&widened))
                         : automation::Variant(static_cast<std::int32_t>(V_I4(&widened)));
}

}  // namespace windows
