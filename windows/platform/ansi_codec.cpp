#include "windows/platform/ansi_codec.hpp"

#include <windows.h>

namespace windows {
namespace {

std::wstring toWide(UINT codePage, std::string_view bytes) {
  if (bytes.empty()) return {};
  const int size = static_cast<int>(bytes.size());
  const int count = MultiByteToWideChar(codePage, 0, bytes.data(), size, nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(count), L'\0');
  MultiByteToWideChar(codePage, 0, bytes.data(), size, wide.data(), count);
  return wide;
}

std::string fromWide(UINT codePage, std::wstring_view wide) {
  if (wide.empty()) return {};
  const int size = static_cast<int>(wide.size());
  const char* fallback = codePage == CP_UTF8 ? nullptr : "?";
  const int count =
      WideCharToMultiByte(codePage, 0, wide.data(), size, nullptr, 0, fallback, nullptr);
  std::string bytes(static_cast<std::size_t>(count), '\0');
  WideCharToMultiByte(codePage, 0, wide.data(), size, bytes.data(), count, fallback, nullptr);
  return bytes;
}

}  // namespace

std::wstring wideFromUtf8(std::string_view utf8) {
  return toWide(CP_UTF8, utf8);
}
std::string utf8FromWide(std::wstring_view wide) {
  return fromWide(CP_UTF8, wide);
}
std::string ansiFromUtf8(std::string_view utf8) {
  return fromWide(CP_ACP, wideFromUtf8(utf8));
}
std::string utf8FromAnsi(std::string_view ansi) {
  return utf8FromWide(toWide(CP_ACP, ansi));
}

}  // namespace windows
