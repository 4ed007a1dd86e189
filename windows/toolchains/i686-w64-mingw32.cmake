# Cross-compiling for 32-bit Windows with MinGW-w64. Tests run under Wine.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(QUADRIFT_WINDOWS_TRIPLET i686-w64-mingw32)
set(QUADRIFT_WINDOWS_BITS 32)
set(QUADRIFT_WIDL_FLAGS --win32 -I/usr/include/wine/wine/windows
    -L/usr/lib/i386-linux-gnu/wine/i386-windows)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
