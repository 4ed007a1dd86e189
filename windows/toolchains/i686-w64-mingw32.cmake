# Cross-compiling for 32-bit Windows with MinGW-w64. Tests run under Wine.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(QUADRIFT_WINDOWS_TRIPLET i686-w64-mingw32)
set(QUADRIFT_WINDOWS_BITS 32)
# stdole2.tlb, which the type library imports, comes with 32-bit Wine; where that could not be
# installed, the 64-bit one declares the same types.
set(wine_windows_libraries /usr/lib/i386-linux-gnu/wine/i386-windows)
if(NOT EXISTS ${wine_windows_libraries}/stdole2.tlb)
  set(wine_windows_libraries /usr/lib/x86_64-linux-gnu/wine/x86_64-windows)
endif()
set(QUADRIFT_WIDL_FLAGS --win32 -I/usr/include/wine/wine/windows -L${wine_windows_libraries})
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
