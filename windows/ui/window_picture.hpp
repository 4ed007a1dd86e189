#pragma once

#include <windows.h>

#include <filesystem>
#include <string>

namespace windows {

// Pictures of the screen as PNG files, read back from the screen with GDI (what is shown there,
// windows above included) and encoded with the Windows Imaging Component. Both need COM
// initialised on the calling thread, apartment-threaded (CoInitializeEx with
// COINIT_APARTMENTTHREADED). Each returns an empty string on success, else why it failed; a
// file it could not finish is removed.

// Writes the part of the screen inside `screenRect` (screen coordinates) as a PNG file at `path`.
std::string writeScreenPng(const RECT& screenRect, const std::filesystem::path& path);

// Writes what `window` shows on screen (its whole window rectangle, frame included) as a PNG
// file at `path`. A window of the calling thread is painted first if any part of it waits to be.
std::string writeWindowPng(HWND window, const std::filesystem::path& path);

}  // namespace windows
