#include "windows/app/function_dispatch.hpp"

#include <memory>
#include <string>

#include "automation/failure.hpp"
#include "session_world.hpp"
#include "ui/headless_engine.hpp"
#include "windows/automation/argument_list.hpp"
#include "windows/automation/bstr.hpp"
#include "windows/automation/com_dispatch.hpp"
#include "windows/automation/com_unknown.hpp"
#include "windows/automation/com_variant.hpp"
#include "windows/automation/dispatch_bridge.hpp"
#include "windows/automation/failure_info.hpp"
#include "windows/handles/com_ptr.hpp"

namespace windows {
namespace {

class CallbackDispatch final : public Unknown<CallbackDispatch, IDispatch> {
 public:
  explicit CallbackDispatch(CallbackBody body) : body_(std::move(body)) {}
  static bool answers(REFIID iid) {
    return IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch);
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    if (count == nullptr) return E_POINTER;
    *count = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) override {
    if (info != nullptr) *info = nullptr;
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
    return DISP_E_UNKNOWNNAME;
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params,
                                   VARIANT* result, EXCEPINFO* info, UINT*) override {
    try {
      const DISPPARAMS none{nullptr, nullptr, 0, 0};
      ArgumentList args(params != nullptr ? *params : none);
      const automation::Variant value = body_(id, args.values());
      if (result != nullptr) toVariant(value, *result);
      return S_OK;
    } catch (const automation::Failure& failure) {
      return reportFailure(failure, info);
    } catch (const std::exception& aborted) {
      if (info != nullptr) {
        *info = EXCEPINFO{};
        info->scode = kRunAborted;
        info->bstrDescription = bstrOf(aborted.what());
      }
      return DISP_E_EXCEPTION;
    }
  }

 private:
  ~CallbackDispatch() override = default;
  CallbackBody body_;
};

}  // namespace

automation::Object callbackObject(CallbackBody body) {
  const auto dispatch = ComPtr<IDispatch>::adopt(new CallbackDispatch(std::move(body)));
  return ComDispatch::wrap(dispatch.get());
}

automation::Variant invokeMember(const automation::Object& target, automation::DispId id,
                                 automation::InvokeKind kind,
                                 std::vector<automation::Variant> args) {
  try {
    return target.invoke(id, kind, args);
  } catch (const automation::Failure& failure) {
    if (failure.number == static_cast<std::int32_t>(kRunAborted)) {
      throw portable::RunAborted(failure.description);
    }
    throw ::session::WorldUnavailable("a call into the component failed: " + failure.description +
                                      " (" + std::to_string(failure.number) + ")");
  }
}

}  // namespace windows
