#include "windows/automation/com_creator.hpp"

#include <windows.h>

#include <oaidl.h>
#include <objbase.h>

#include "automation/failure.hpp"
#include "windows/automation/com_dispatch.hpp"
#include "windows/handles/com_ptr.hpp"
#include "windows/platform/ansi_codec.hpp"

namespace windows {

automation::Object ComCreator::create(std::string_view progId) {
  const std::wstring name = wideFromUtf8(progId);
  CLSID clsid;
  ComPtr<IDispatch> dispatch;
  if (FAILED(CLSIDFromProgID(name.c_str(), &clsid)) ||
      FAILED(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER,
                              IID_IDispatch, dispatch.putVoid())))
    throw automation::runtimeFailure(automation::kCannotCreateObject);
  return ComDispatch::wrap(dispatch.get());
}

}  // namespace windows
