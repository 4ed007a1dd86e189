#include "windows/app/program_thread.hpp"

#include <objbase.h>

#include "session_world.hpp"
#include "windows/handles/apartment.hpp"
#include "windows/handles/window.hpp"

namespace windows {
namespace {

constexpr wchar_t kCallClass[] = L"QuadriftProgramCall";
constexpr UINT kRunCall = WM_APP + 40;  // lParam: the std::function<void()> to run
constexpr UINT kQuit = WM_APP + 41;

}  // namespace

LRESULT CALLBACK ProgramThread::callProcedure(HWND window, UINT message, WPARAM w, LPARAM l) {
  if (message == kRunCall) {
    (*reinterpret_cast<const std::function<void()>*>(l))();
    return 0;
  }
  if (message == kQuit) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcW(window, message, w, l);
}

ProgramThread::ProgramThread(refhost::Environment environment, std::filesystem::path dll,
                             portable::EventLog& events) {
  std::promise<void> started;
  std::future<void> ready = started.get_future();
  thread_ = std::thread([&, environment = std::move(environment), dll = std::move(dll)]() mutable {
    run(std::move(environment), std::move(dll), events, started);
  });
  try {
    ready.get();
  } catch (...) {
    thread_.join();
    throw;
  }
}

ProgramThread::~ProgramThread() {
  PostMessageW(callWindow_, kQuit, 0, 0);
  thread_.join();
}

void ProgramThread::run(refhost::Environment environment, std::filesystem::path dll,
                        portable::EventLog& events, std::promise<void>& started) {
  const ComApartment apartment;  // from before the program's objects until after them
  bool running = false;
  try {
    host_classes::ComHost desktop(std::move(environment), std::move(dll),
                                  host_classes::ComHost::Registration::Always);
    desktop.host().setEventLog(&events);
    desktop::MainWindow window(desktop);
    WNDCLASSEXW c{};
    c.cbSize = sizeof c;
    c.lpfnWndProc = &callProcedure;
    c.hInstance = GetModuleHandleW(nullptr);
    c.lpszClassName = kCallClass;
    RegisterClassExW(&c);  // fails harmlessly when registered before
    const UniqueWindow callWindow(CreateWindowExW(0, kCallClass, nullptr, 0, 0, 0, 0, 0,
                                                  HWND_MESSAGE, nullptr, c.hInstance, nullptr));
    if (!callWindow) throw ::session::WorldUnavailable("the program's call window cannot be made");
    ShowWindow(window.handle(), SW_SHOWNORMAL);
    UpdateWindow(window.handle());
    desktop_ = &desktop;
    window_ = &window;
    mainWindow_ = window.handle();
    callWindow_ = callWindow.get();
    threadId_ = GetCurrentThreadId();
    running = true;
    started.set_value();
    window.runMessageLoop();
    desktop_ = nullptr;
    window_ = nullptr;
  } catch (const std::exception& failure) {
    if (running) throw;  // a fault of the program itself: nothing may hide it
    started.set_exception(std::make_exception_ptr(::session::WorldUnavailable(
        std::string("the desktop program cannot start: ") + failure.what())));
  }
}

void ProgramThread::call(
    const std::function<void(host_classes::ComHost&, desktop::MainWindow&)>& call) {
  std::exception_ptr failure;
  const std::function<void()> run = [&] {
    try {
      call(*desktop_, *window_);
    } catch (...) {
      failure = std::current_exception();
    }
  };
  SendMessageW(callWindow_, kRunCall, 0, reinterpret_cast<LPARAM>(&run));
  if (failure) std::rethrow_exception(failure);
}

}  // namespace windows
