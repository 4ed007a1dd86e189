#pragma once

#include <string>
#include <string_view>

namespace windows {

// Conversions between the component's UTF-8 strings, the system's UTF-16 strings and the ANSI
// code page. Characters the ANSI code page lacks become "?".
std::wstring wideFromUtf8(std::string_view utf8);
std::string utf8FromWide(std::wstring_view wide);
std::string ansiFromUtf8(std::string_view utf8);
std::string utf8FromAnsi(std::string_view ansi);

}  // namespace windows
