#include "windows/ui/win32_engine.hpp"

#include <algorithm>

#include "ui/scope_exit.hpp"
#include "windows/handles/window.hpp"
#include "windows/platform/ansi_codec.hpp"
#include "windows/ui/geometry.hpp"
#include "windows/ui/model_sync.hpp"
#include "windows/ui/notifications.hpp"
#include "windows/ui/window_builder.hpp"

namespace windows {

namespace {

constexpr const wchar_t* kFormClass = L"kstQuadriftForm";

// Quiets a form's notifications while the engine itself changes its windows.
class Quiet {
 public:
  explicit Quiet(FormWindows& w) : w_(w) { ++w_.quiet; }
  ~Quiet() { --w_.quiet; }
  Quiet(const Quiet&) = delete;
  Quiet& operator=(const Quiet&) = delete;

 private:
  FormWindows& w_;
};

// The form's window belongs to the window its model names: an owned window stays above its
// owner, comes back with it when the user returns to the host from another program, and has no
// button of its own in the task bar. A handle that is no window leaves it on its own.
void ownByHostWindow(const FormWindows& w) {
  HWND owner = windowOf(w.form->ownerWindow());
  owner = owner != nullptr && IsWindow(owner) ? GetAncestor(owner, GA_ROOT) : nullptr;
  if (owner == w.window.get() || GetWindow(w.window.get(), GW_OWNER) == owner) return;
  SetWindowLongPtrW(w.window.get(), GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(owner));
}

void placeAtStartUp(const FormWindows& w) {
  const ui::StartUpPosition at = w.form->style().startUpPosition;
  // Start-up shows the form without an owner form (the window it belongs to only keeps it above
  // the host), so centred on its owner means centred on the screen.
  if (at != ui::StartUpPosition::CenterOwner && at != ui::StartUpPosition::CenterScreen) return;
  RECT r{};
  GetWindowRect(w.window.get(), &r);
  const int x = (GetSystemMetrics(SM_CXSCREEN) - (r.right - r.left)) / 2;
  const int y = (GetSystemMetrics(SM_CYSCREEN) - (r.bottom - r.top)) / 2;
  SetWindowPos(w.window.get(), nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

bool topLevelWindowsAvailable() {
  const UniqueWindow probe(
      CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr));
  return static_cast<bool>(probe);
}

Win32Engine::Win32Engine(HINSTANCE instance) : instance_(instance) {
  WNDCLASSEXW cls{};
  cls.cbSize = sizeof cls;
  cls.lpfnWndProc = windowProc;
  cls.hInstance = instance_;
  cls.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  cls.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
  cls.lpszClassName = kFormClass;
  registered_ = RegisterClassExW(&cls) != 0;
}

Win32Engine::~Win32Engine() {
  // Each window goes while every form is still listed, as its procedure looks them up.
  for (const auto& w : forms_) w->window.reset();
  forms_.clear();
  if (registered_) UnregisterClassW(kFormClass, instance_);
}

FormWindows* Win32Engine::find(const ui::Form& form) const {
  for (const auto& w : forms_) {
    if (w->form == &form) return w.get();
  }
  return nullptr;
}

FormWindows* Win32Engine::findByWindow(HWND window) const {
  for (const auto& w : forms_) {
    if (w->window.get() == window && window != nullptr) return w.get();
  }
  return nullptr;
}

Win32Engine::Loop* Win32Engine::innermostLoopOf(const ui::Form& form) const {
  for (auto it = loops_.rbegin(); it != loops_.rend(); ++it) {
    if ((*it)->form == &form) return it->get();
  }
  return nullptr;
}

void Win32Engine::enterModal(ui::Form& form) {
  const FormWindows* w = find(form);
  loops_.push_back(std::make_unique<Loop>(&form, w != nullptr ? w->window.get() : nullptr));
  if (!form.visible()) loops_.back()->hostWindows.giveBack();
}

void Win32Engine::leaveModal(ui::Form& form) {
  for (auto it = loops_.rbegin(); it != loops_.rend(); ++it) {
    if ((*it)->form == &form) {
      loops_.erase(std::next(it).base());
      return;
    }
  }
}

void Win32Engine::sync(HWND formWindow) {
  // Looked up again: the input may have unloaded the form and destroyed its windows.
  FormWindows* w = findByWindow(formWindow);
  if (w == nullptr) return;
  Quiet quiet(*w);
  syncWindows(*w, fonts_);
}

void Win32Engine::rethrowPending() {
  if (!pending_) return;
  std::exception_ptr failure = std::exchange(pending_, nullptr);
  std::rethrow_exception(failure);
}

ui::WindowHandle Win32Engine::createWindows(ui::Form& form) {
  auto w = std::make_unique<FormWindows>();
  w->form = &form;
  w->dpi = screenDpi();
  try {
    buildFormWindows(*w, instance_, kFormClass, this);
  } catch (...) {
    w->window.reset();
    for (ui::Control* c : form.controls()) ui::Form::assignHandle(*c, 0);
    throw;
  }
  HWND window = w->window.get();
  forms_.push_back(std::move(w));
  sync(window);
  return handleOf(window);
}

void Win32Engine::destroyWindows(ui::Form& form) {
  const auto it =
      std::find_if(forms_.begin(), forms_.end(), [&](const auto& w) { return w->form == &form; });
  if (it == forms_.end()) return;
  const std::unique_ptr<FormWindows> w = std::move(*it);
  forms_.erase(it);
  w->window.reset();  // no longer listed: the messages of its destruction find no form
}

void Win32Engine::showWindow(ui::Form& form) {
  FormWindows* w = find(form);
  if (w == nullptr) return;
  sync(w->window.get());
  {
    Quiet quiet(*w);
    ownByHostWindow(*w);
    if (!w->placed) placeAtStartUp(*w);
    w->placed = true;
    if (Loop* loop = innermostLoopOf(form)) loop->hostWindows.take();  // shown again in its loop
    ShowWindow(w->window.get(), SW_SHOW);
    SetForegroundWindow(w->window.get());
  }
}

void Win32Engine::hideWindow(ui::Form& form) {
  FormWindows* w = find(form);
  if (w == nullptr) return;
  // The host's windows first, so that the system activates one of them, not another program.
  if (Loop* loop = innermostLoopOf(form)) loop->hostWindows.giveBack();
  Quiet quiet(*w);
  ShowWindow(w->window.get(), SW_HIDE);
  PostMessageW(w->window.get(), WM_NULL, 0, 0);  // wakes the loop that waits for the form
}

void Win32Engine::runModalLoop(ui::Form& form) {
  FormWindows* w = find(form);
  if (w == nullptr) return;
  enterModal(form);
  ui::ScopeExit leave([this, &form] { leaveModal(form); });
  sync(w->window.get());
  while (form.isLoaded() && form.visible()) {
    MSG message{};
    const BOOL got = GetMessageW(&message, nullptr, 0, 0);
    if (got == 0) {
      PostQuitMessage(static_cast<int>(message.wParam));  // for the loop outside
      break;
    }
    if (got < 0) break;
    dispatch(message);
  }
}

void Win32Engine::dispatch(MSG& message) {
  FormWindows* w = findByWindow(GetAncestor(message.hwnd, GA_ROOT));
  if (w != nullptr && w->form->visible() && deliverFormKey(*w, message, *outcome_)) {
    sync(w->window.get());
    rethrowPending();
    return;
  }
  if (w == nullptr || !IsDialogMessageW(w->window.get(), &message)) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  rethrowPending();
}

std::int32_t Win32Engine::messageBox(std::string_view text, std::string_view title,
                                     std::int32_t style) {
  HWND owner = nullptr;
  for (const auto& w : forms_) {
    HWND window = w->window.get();
    sync(window);
    if (IsWindowVisible(window)) owner = window;
  }
  // Without a shown form to own it, the box disables every window of the thread itself.
  const UINT flags = static_cast<UINT>(style) | (owner == nullptr ? MB_TASKMODAL : 0u);
  return MessageBoxA(owner, ansiFromUtf8(text).c_str(), ansiFromUtf8(title).c_str(), flags);
}

LRESULT CALLBACK Win32Engine::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* engine = reinterpret_cast<Win32Engine*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (engine == nullptr) return DefWindowProcW(window, message, wParam, lParam);
  try {
    return engine->handle(window, message, wParam, lParam);
  } catch (...) {
    // Nothing may unwind through the system's frames; the loop rethrows it.
    if (!engine->pending_) engine->pending_ = std::current_exception();
    return 0;
  }
}

LRESULT Win32Engine::handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  FormWindows* w = findByWindow(window);
  if (w == nullptr) return DefWindowProcW(window, message, wParam, lParam);
  switch (message) {
    case WM_COMMAND:
      if (w->quiet == 0 && deliverCommand(*w, wParam, lParam, *outcome_)) sync(window);
      return 0;
    case WM_CLOSE:
      // The close control: the form decides, through its close request, whether it goes.
      w->form->requestClose();
      sync(window);
      return 0;
    case kComeForward: {
      // The user went back to the host's window, which this form's loop holds disabled.
      HWND popup = GetLastActivePopup(window);
      if (!w->form->visible() || !IsWindowEnabled(popup) || !IsWindowVisible(popup)) return 0;
      // The host's window comes up with the windows it owns above it, then the popup is active.
      HWND owner = GetWindow(window, GW_OWNER);
      SetWindowPos(owner != nullptr ? owner : window, HWND_TOP, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
      SetForegroundWindow(popup);
      return 0;
    }
    case WM_ACTIVATE:
      // Reactivated (after a message box, say): the focus goes back where the model has it.
      if (LOWORD(wParam) != WA_INACTIVE) {
        Quiet quiet(*w);
        syncFocus(*w);
      }
      return 0;
    default:
      return DefWindowProcW(window, message, wParam, lParam);
  }
}

}  // namespace windows
