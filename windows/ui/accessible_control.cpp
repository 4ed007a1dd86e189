#include "windows/ui/accessible_control.hpp"

#include <oleacc.h>

#include <string>
#include <utility>

#include "ui/accessible_name.hpp"
#include "windows/automation/com_unknown.hpp"
#include "windows/handles/com_ptr.hpp"
#include "windows/platform/ansi_codec.hpp"

namespace windows {

namespace {

long roleOf(ui::ControlKind kind) {
  switch (kind) {
    case ui::ControlKind::CommandButton:
      return ROLE_SYSTEM_PUSHBUTTON;
    case ui::ControlKind::OptionButton:
      return ROLE_SYSTEM_RADIOBUTTON;
    case ui::ControlKind::ComboBox:
      return ROLE_SYSTEM_COMBOBOX;
    case ui::ControlKind::TextBox:
      return ROLE_SYSTEM_TEXT;
    case ui::ControlKind::Label:
      return ROLE_SYSTEM_STATICTEXT;
    case ui::ControlKind::Frame:
      return ROLE_SYSTEM_GROUPING;
    case ui::ControlKind::HostControl:
      break;
  }
  return ROLE_SYSTEM_CLIENT;
}

bool isSelf(const VARIANT& child) {
  return V_VT(&child) == VT_I4 && V_I4(&child) == CHILDID_SELF;
}

// The client object of one control's window: the model's name and role, the option's checked
// state, and the standard object's answers for the rest, its children included.
class AccessibleControl final : public Unknown<AccessibleControl, IAccessible> {
 public:
  AccessibleControl(ComPtr<IAccessible> standard, HWND window, std::wstring name, long role)
      : standard_(std::move(standard)), window_(window), name_(std::move(name)), role_(role) {}
  static bool answers(REFIID iid) {
    return IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch) ||
           IsEqualIID(iid, __uuidof(IAccessible));
  }

  HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
    if (!isSelf(child) || name_.empty()) return standard_->get_accName(child, name);
    if (name == nullptr) return E_POINTER;
    *name = SysAllocString(name_.c_str());
    return *name != nullptr ? S_OK : E_OUTOFMEMORY;
  }
  HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
    if (!isSelf(child)) return standard_->get_accRole(child, role);
    if (role == nullptr) return E_POINTER;
    VariantInit(role);
    V_VT(role) = VT_I4;
    V_I4(role) = role_;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
    const HRESULT status = standard_->get_accState(child, state);
    if (FAILED(status) || !isSelf(child) || V_VT(state) != VT_I4) return status;
    if (role_ == ROLE_SYSTEM_RADIOBUTTON &&
        SendMessageW(window_, BM_GETCHECK, 0, 0) == BST_CHECKED) {
      V_I4(state) |= STATE_SYSTEM_CHECKED;
    }
    return status;
  }

  // The rest as the standard object answers it.
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    return standard_->GetTypeInfoCount(count);
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID lcid, ITypeInfo** info) override {
    return standard_->GetTypeInfo(index, lcid, info);
  }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID lcid,
                                          DISPID* ids) override {
    return standard_->GetIDsOfNames(iid, names, count, lcid, ids);
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID lcid, WORD flags, DISPPARAMS* params,
                                   VARIANT* result, EXCEPINFO* info, UINT* argError) override {
    return standard_->Invoke(id, iid, lcid, flags, params, result, info, argError);
  }
  HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
    return standard_->get_accParent(parent);
  }
  HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override {
    return standard_->get_accChildCount(count);
  }
  HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override {
    return standard_->get_accChild(child, object);
  }
  HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
    return standard_->get_accValue(child, value);
  }
  HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* text) override {
    return standard_->get_accDescription(child, text);
  }
  HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* text) override {
    return standard_->get_accHelp(child, text);
  }
  HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, long* topic) override {
    return standard_->get_accHelpTopic(file, child, topic);
  }
  HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* keys) override {
    return standard_->get_accKeyboardShortcut(child, keys);
  }
  HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* child) override {
    return standard_->get_accFocus(child);
  }
  HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* children) override {
    return standard_->get_accSelection(children);
  }
  HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
    return standard_->get_accDefaultAction(child, action);
  }
  HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override {
    return standard_->accSelect(flags, child);
  }
  HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height,
                                        VARIANT child) override {
    return standard_->accLocation(left, top, width, height, child);
  }
  HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) override {
    return standard_->accNavigate(direction, start, end);
  }
  HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* child) override {
    return standard_->accHitTest(x, y, child);
  }
  HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
    return standard_->accDoDefaultAction(child);
  }
  HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override {
    return standard_->put_accName(child, name);
  }
  HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override {
    return standard_->put_accValue(child, value);
  }

 private:
  ComPtr<IAccessible> standard_;
  HWND window_;
  std::wstring name_;
  long role_;
};

// The window's procedure in front of its own. Not the common controls' subclassing, which looks
// its data up in a window property at every message, a call into the system (on Wine a request
// to its server) for each of the many messages a control gets while the dialog is drawn and kept
// in step with its model. The application's word of the window holds the answer instead: the
// system's controls leave it to the application.
LRESULT CALLBACK answering(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const auto& answer =
      *reinterpret_cast<const AccessibleAnswer*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (message == WM_GETOBJECT && static_cast<LONG>(static_cast<DWORD>(lParam)) == OBJID_CLIENT) {
    ComPtr<IAccessible> standard;
    if (SUCCEEDED(CreateStdAccessibleObject(window, OBJID_CLIENT, __uuidof(IAccessible),
                                            standard.putVoid()))) {
      // Asked afresh each time, so the name follows the captions.
      const ComPtr<AccessibleControl> object =
          ComPtr<AccessibleControl>::adopt(new AccessibleControl(
              std::move(standard), window, wideFromUtf8(ui::accessibleNameOf(*answer.control)),
              roleOf(answer.control->kind())));
      return LresultFromObject(__uuidof(IAccessible), wParam, object.get());
    }
  }
  const WNDPROC original = answer.original;
  if (message == WM_NCDESTROY) {
    // The window's last message: its own procedure again, and nothing left pointing at the answer.
    SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
    SetWindowLongPtrW(window, GWLP_USERDATA, 0);
  }
  return CallWindowProcW(original, window, message, wParam, lParam);
}

}  // namespace

void answerAccessibility(HWND window, const ui::Control& control, AccessibleAnswer& answer) {
  if (control.kind() == ui::ControlKind::HostControl) return;
  answer.control = &control;
  answer.original = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(window, GWLP_WNDPROC));
  SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&answer));
  SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&answering));
}

}  // namespace windows
