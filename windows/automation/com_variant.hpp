#pragma once

#include <windows.h>

#include <oaidl.h>

#include "automation/variant.hpp"

namespace windows {

// The component's Variant as a VARIANT the caller owns (VariantClear frees it): strings as
// BSTR, objects as IDispatch (the component's own objects through a dispatch bridge),
// by-reference doubles as VT_BYREF|VT_R8 pointing at the component's slot.
VARIANT toVariant(const automation::Variant& value);

// A VARIANT as the component's Variant: by-reference values are read through, small integer
// and floating types widened, IUnknown asked for IDispatch, a missing optional argument is
// empty. Any other type is a type mismatch.
automation::Variant fromVariant(const VARIANT& value);

}  // namespace windows
