#pragma once

#include <windows.h>

#include <oleauto.h>

#include <string>
#include <string_view>

namespace windows {

// A new BSTR holding `utf8` (the caller frees it), and the UTF-8 text of a BSTR (null is "").
BSTR bstrOf(std::string_view utf8);
std::string utf8Of(BSTR text);

}  // namespace windows
