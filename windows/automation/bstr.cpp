#include "windows/automation/bstr.hpp"

#include <new>

#include "windows/platform/ansi_codec.hpp"

namespace windows {

BSTR bstrOf(std::string_view utf8) {
  const std::wstring wide = wideFromUtf8(utf8);
  BSTR text = SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
  if (text == nullptr) throw std::bad_alloc();
  return text;
}

std::string utf8Of(BSTR text) {
  if (text == nullptr) return {};
  return utf8FromWide(std::wstring_view(text, SysStringLen(text)));
}

}  // namespace windows
