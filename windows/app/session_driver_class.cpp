#include "windows/app/session_driver_class.hpp"

#include <string>

#include "windows/automation/com_unknown.hpp"
#include "windows/session/protocol.hpp"

namespace windows {
namespace {

// The driver class's own identifier: the host's, known to nobody but the registry.
// {3B8F6D27-1C4E-4A5B-8E2F-7D9A0C6B1E53}
constexpr CLSID kDriverClsid = {
    0x3b8f6d27, 0x1c4e, 0x4a5b, {0x8e, 0x2f, 0x7d, 0x9a, 0x0c, 0x6b, 0x1e, 0x53}};
constexpr wchar_t kDriverClsidText[] = L"{3B8F6D27-1C4E-4A5B-8E2F-7D9A0C6B1E53}";

class DriverFactory final : public Unknown<DriverFactory, IClassFactory> {
 public:
  explicit DriverFactory(IDispatch* driver) : driver_(driver) { driver_->AddRef(); }
  static bool answers(REFIID iid) {
    return IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IClassFactory);
  }
  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** out) override {
    if (out == nullptr) return E_POINTER;
    *out = nullptr;
    if (outer != nullptr) return CLASS_E_NOAGGREGATION;
    return driver_->QueryInterface(iid, out);
  }
  HRESULT STDMETHODCALLTYPE LockServer(BOOL) override { return S_OK; }

 private:
  ~DriverFactory() override { driver_->Release(); }
  IDispatch* driver_;
};

const std::wstring kProgIdKey = std::wstring(session::kSessionDriverProgId) + L"\\CLSID";

}  // namespace

SessionDriverClass::SessionDriverClass(IDispatch* driver) : factory_(new DriverFactory(driver)) {
  HKEY key = nullptr;
  if (RegCreateKeyExW(HKEY_CLASSES_ROOT, kProgIdKey.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr,
                      &key, nullptr) == ERROR_SUCCESS) {
    RegSetValueExW(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(kDriverClsidText),
                   sizeof kDriverClsidText);
    RegCloseKey(key);
  }
  CoRegisterClassObject(kDriverClsid, factory_, CLSCTX_INPROC_SERVER, REGCLS_MULTIPLEUSE, &cookie_);
}

SessionDriverClass::~SessionDriverClass() {
  if (cookie_ != 0) CoRevokeClassObject(cookie_);
  factory_->Release();
  RegDeleteKeyW(HKEY_CLASSES_ROOT, kProgIdKey.c_str());
  RegDeleteKeyW(HKEY_CLASSES_ROOT, session::kSessionDriverProgId);
}

}  // namespace windows
