#pragma once

#include <windows.h>

#include "windows/handles/unique.hpp"

namespace windows {

// A window, destroyed with its children when its owner goes.
using UniqueWindow = Unique<HWND, &DestroyWindow>;

// Destroys a window whose procedure reaches its owning object through GWLP_USERDATA: the object
// is let go first, so that the messages of the destruction reach none that is going.
inline BOOL destroyOwnedWindow(HWND window) {
  SetWindowLongPtrW(window, GWLP_USERDATA, 0);
  return DestroyWindow(window);
}
using UniqueOwnedWindow = Unique<HWND, &destroyOwnedWindow>;

using UniqueAccelerators = Unique<HACCEL, &DestroyAcceleratorTable>;
using UniqueHook = Unique<HHOOK, &UnhookWindowsHookEx>;

}  // namespace windows
