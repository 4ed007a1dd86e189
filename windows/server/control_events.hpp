#pragma once

// How the host framework's two controls deliver their events to the component, over COM.
// Shared by the DLL and the host's process; nothing else may spell these values.

#include <windows.h>

#include <oaidl.h>

namespace windows {

// The events of the command control and the mouse control: a connection point for this
// dispinterface on each control's IConnectionPointContainer. The component's sink receives the
// events as methods (arguments last first, as Invoke passes them) and answers the container's
// Enabled as a property get of DISPID_ENABLED.
// {5E0C2B61-8F4D-4C1A-9B7E-2D6A1F3C8E41}
inline constexpr GUID kHostControlEventsIid = {
    0x5e0c2b61, 0x8f4d, 0x4c1a, {0x9b, 0x7e, 0x2d, 0x6a, 0x1f, 0x3c, 0x8e, 0x41}};
inline constexpr DISPID kEventInitialize = 1;  // ksCommand: no arguments
inline constexpr DISPID kEventTerminate = 2;   // ksCommand: no arguments
inline constexpr DISPID kEventMouseMove = 3;   // ksMouse: the eight arguments of a mouse event
inline constexpr DISPID kEventMouseClick = 4;  // ksMouse: the same

}  // namespace windows
