// hhctrl.ocx for a test system: the help library that records each call instead of showing
// help. Installed into a test prefix (with the system's own library overridden), it appends one
// line per call to the file QUADRIFT_HELP_RECORD names: the owner window, the command, its data
// and the help file as the caller passed it (the ANSI call's bytes; the wide call's text in the
// ANSI code page), separated by tabs. No window opens.
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

void record(HWND owner, const std::string& file, UINT command, DWORD_PTR data) {
  wchar_t path[MAX_PATH] = {};
  if (GetEnvironmentVariableW(L"QUADRIFT_HELP_RECORD", path, MAX_PATH) == 0) return;
  FILE* out = _wfopen(path, L"ab");
  if (out == nullptr) return;
  std::fprintf(out, "%lld\t%u\t%llu\t%s\n",
               static_cast<long long>(reinterpret_cast<std::intptr_t>(owner)), command,
               static_cast<unsigned long long>(data), file.c_str());
  std::fclose(out);
}

std::string ansiOf(LPCWSTR wide) {
  if (wide == nullptr) return {};
  const int size = WideCharToMultiByte(CP_ACP, 0, wide, -1, nullptr, 0, nullptr, nullptr);
  std::string ansi(static_cast<std::size_t>(size > 0 ? size : 1), '\0');
  WideCharToMultiByte(CP_ACP, 0, wide, -1, ansi.data(), size, nullptr, nullptr);
  ansi.resize(ansi.find('\0'));
  return ansi;
}

}  // namespace

extern "C" HWND WINAPI HtmlHelpA(HWND owner, LPCSTR file, UINT command, DWORD_PTR data) {
  record(owner, file != nullptr ? file : "", command, data);
  return nullptr;
}

extern "C" HWND WINAPI HtmlHelpW(HWND owner, LPCWSTR file, UINT command, DWORD_PTR data) {
  record(owner, ansiOf(file), command, data);
  return nullptr;
}
