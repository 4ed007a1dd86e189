#include "client_host.hpp"

#include <cstdint>

#include "reference_host.hpp"
#include "windows/automation/dispatch_bridge.hpp"
#include "windows/handles/unique.hpp"
#include "windows/host/registered_host_classes.hpp"
#include "windows/platform/ansi_codec.hpp"

namespace {

using UniqueWindow = windows::Unique<HWND, &DestroyWindow>;

UniqueWindow makeMainWindow() {
  WNDCLASSW cls{};
  cls.lpfnWndProc = DefWindowProcW;
  cls.hInstance = GetModuleHandleW(nullptr);
  cls.lpszClassName = L"QuadriftPackageClientHost";
  RegisterClassW(&cls);
  return UniqueWindow(CreateWindowExW(0, cls.lpszClassName, L"Host",
                                      WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 480, 360, nullptr,
                                      nullptr, cls.hInstance, nullptr));
}

refhost::Environment hostEnvironment(HWND mainWindow) {
  refhost::Environment env;
  env.pathSeparator = '\\';
  // A window handle's significant bits fit the host's 32-bit member on either architecture.
  env.mainWindow = static_cast<std::int32_t>(reinterpret_cast<std::uintptr_t>(mainWindow));
  return env;
}

}  // namespace

struct ClientHost::Parts {
  UniqueWindow window = makeMainWindow();
  refhost::ReferenceHost host{hostEnvironment(window.get())};
  windows::host_classes::RegisteredHostClasses classes{
      host, windows::host_classes::RegisteredHostClasses::Session::None};
};

ClientHost::ClientHost() : parts_(std::make_unique<Parts>()) {}

ClientHost::~ClientHost() = default;

HWND ClientHost::mainWindow() const {
  return parts_->window.get();
}

IDispatch* ClientHost::commandObject() {
  return windows::DispatchBridge::create(parts_->host.commandObject());
}

std::wstring ClientHost::registeredName() const {
  return windows::wideFromUtf8(parts_->host.environment().registeredName);
}

bool ClientHost::commandEnded() const {
  return parts_->host.command().done;
}

std::string ClientHost::statusText() const {
  return parts_->host.statusText();
}

std::vector<std::string> ClientHost::errorReports() const {
  std::vector<std::string> reports;
  for (const auto& report : parts_->host.errorReports())
    reports.push_back(report.ident + ": " + report.description);
  return reports;
}
