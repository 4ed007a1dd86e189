#pragma once

#include <windows.h>

namespace windows::desktop {

// The window procedure of a window that an object of `Owner` owns: the owner, passed as the
// creation parameter, learns the window's handle (its `window_`) at WM_NCCREATE and handles
// every message from then on (`handle`); messages before it, or after the owner let go by
// clearing GWLP_USERDATA, get the default handling.
template <class Owner>
LRESULT CALLBACK ownedWindowProcedure(HWND window, UINT message, WPARAM w, LPARAM l) {
  if (message == WM_NCCREATE) {
    auto* created = static_cast<Owner*>(reinterpret_cast<CREATESTRUCTW*>(l)->lpCreateParams);
    created->window_ = window;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(created));
  }
  auto* owner = reinterpret_cast<Owner*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (owner == nullptr) return DefWindowProcW(window, message, w, l);
  return owner->handle(message, w, l);
}

}  // namespace windows::desktop
