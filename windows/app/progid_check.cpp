// Exits 0 when the programmatic identifier given resolves to a class, 1 when it does not.
#include <windows.h>

#include <objbase.h>

#include <string>

int wmain(int argc, wchar_t** argv) {
  if (argc != 2) return 2;
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  CLSID clsid{};
  const HRESULT status = CLSIDFromProgID(argv[1], &clsid);
  CoUninitialize();
  return SUCCEEDED(status) ? 0 : 1;
}
