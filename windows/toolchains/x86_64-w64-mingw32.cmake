# Cross-compiling for 64-bit Windows with MinGW-w64. Tests run under Wine.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(QUADRIFT_WINDOWS_TRIPLET x86_64-w64-mingw32)
set(QUADRIFT_WINDOWS_BITS 64)
set(QUADRIFT_WIDL_FLAGS --win64 -I/usr/include/wine/wine/windows
    -L/usr/lib/x86_64-linux-gnu/wine/x86_64-windows)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
