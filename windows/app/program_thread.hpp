#pragma once

#include <windows.h>

#include <exception>
#include <filesystem>
#include <functional>
#include <future>
#include <thread>

#include "events/event_log.hpp"
#include "reference_host.hpp"
#include "windows/desktop/main_window.hpp"
#include "windows/host/com_host.hpp"

namespace windows {

// The desktop program (its host with the component's DLL, its main window and view) on a thread
// of its own, running its message loop as the program does, for a runner that drives it from
// another thread as a person does. What the host shows is logged to `events`.
class ProgramThread {
 public:
  // Starts the program and returns once its main window is on screen. Throws
  // session::WorldUnavailable when the program cannot start.
  ProgramThread(refhost::Environment environment, std::filesystem::path dll,
                portable::EventLog& events);
  // Tells the program to quit, which ends any loop it is in (the dialog's too), and waits for
  // its thread: the window goes, the host releases the command and unregisters the DLL.
  ~ProgramThread();
  ProgramThread(const ProgramThread&) = delete;
  ProgramThread& operator=(const ProgramThread&) = delete;

  DWORD threadId() const { return threadId_; }
  HWND mainWindow() const { return mainWindow_; }
  // The host's objects. Read them from another thread only while the program waits for input.
  refhost::ReferenceHost& host() { return desktop_->host(); }

  // Runs `call` on the program's thread, between its messages in whichever loop it is in, and
  // returns when it has; what `call` throws is thrown here.
  void call(const std::function<void(host_classes::ComHost&, desktop::MainWindow&)>& call);

 private:
  static LRESULT CALLBACK callProcedure(HWND window, UINT message, WPARAM w, LPARAM l);
  void run(refhost::Environment environment, std::filesystem::path dll, portable::EventLog& events,
           std::promise<void>& started);

  host_classes::ComHost* desktop_ = nullptr;  // set while the program runs
  desktop::MainWindow* window_ = nullptr;
  HWND mainWindow_ = nullptr;
  HWND callWindow_ = nullptr;  // a message-only window of the program's thread
  DWORD threadId_ = 0;
  std::thread thread_;
};

}  // namespace windows
