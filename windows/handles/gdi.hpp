#pragma once

#include <windows.h>

#include "windows/handles/unique.hpp"

namespace windows {

// A GDI object made by the program, deleted when its owner goes. Select it into a DC only
// through a Selection declared after the owner, so that it is selected out before deletion.
template <class Object>
using UniqueGdiObject = Unique<Object, &DeleteObject>;
using UniquePen = UniqueGdiObject<HPEN>;
using UniqueBrush = UniqueGdiObject<HBRUSH>;
using UniqueFont = UniqueGdiObject<HFONT>;
using UniqueBitmap = UniqueGdiObject<HBITMAP>;

// A device context made by CreateCompatibleDC or CreateDC.
using UniqueDC = Unique<HDC, &DeleteDC>;

// The device context GetDC gives for a window (the screen's for none), released to that window.
class WindowDC {
 public:
  explicit WindowDC(HWND window) : window_(window), dc_(GetDC(window)) {}
  ~WindowDC() {
    if (dc_ != nullptr) ReleaseDC(window_, dc_);
  }
  WindowDC(const WindowDC&) = delete;
  WindowDC& operator=(const WindowDC&) = delete;

  HDC get() const { return dc_; }
  explicit operator bool() const { return dc_ != nullptr; }

 private:
  HWND window_;
  HDC dc_;
};

// An object selected into a DC for the selection's life; the object it replaced is selected
// back when it goes.
class Selection {
 public:
  Selection(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
  ~Selection() { SelectObject(dc_, previous_); }
  Selection(const Selection&) = delete;
  Selection& operator=(const Selection&) = delete;

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

}  // namespace windows
