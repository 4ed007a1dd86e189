#pragma once

#include <windows.h>

#include <oaidl.h>

#include "automation/variant.hpp"

namespace windows {

// Writes the component's Variant into `out` as a VARIANT the caller owns (clearVariant frees
// it); whatever `out` held is overwritten, not freed. Strings go as BSTR, objects as IDispatch
// (the component's own objects through a dispatch bridge), by-reference doubles as
// VT_BYREF|VT_R8 pointing at the component's slot.
void toVariant(const automation::Variant& value, VARIANT& out);

// VariantClear, done in place for a value that owns nothing (numbers, Booleans, references to
// the caller's slots): most arguments of a call are such, and need no call into the system.
void clearVariant(VARIANT& value);

// A VARIANT as the component's Variant: by-reference values are read through, small integer
// and floating types widened, IUnknown asked for IDispatch, a missing optional argument is
// empty. Any other type is a type mismatch.
automation::Variant fromVariant(const VARIANT& value);

}  // namespace windows
