// Benchmarks of the product DLL on real windows, as a user meets it: the host registers its
// classes, creates the command by its programmatic identifier and calls Command_Initialize; the
// user's keys and clicks come through the system's input queue from a thread of their own while
// the host's thread runs the dialog. What is timed is what the user waits for: the dialog drawn
// and taking input, and the effect of a click on Apply drawn. The soak runs the command a
// thousand times in one process and compares what the process holds after the first run and
// after the last.
#include <benchmark/benchmark.h>

#include <windows.h>

#include <objbase.h>
#include <psapi.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <functional>
#include <stdexcept>
#include <thread>
#include <vector>

#include "bench_host.hpp"
#include "windows/automation/argument_list.hpp"
#include "windows/automation/com_creator.hpp"
#include "windows/automation/com_dispatch.hpp"
#include "windows/automation/dispatch_bridge.hpp"
#include "windows/handles/com_ptr.hpp"
#include "windows/handles/unique.hpp"
#include "windows/host/registered_host_classes.hpp"
#include "windows/ui/real_input.hpp"

namespace {

using Clock = std::chrono::steady_clock;
using Seconds = std::chrono::duration<double>;

constexpr wchar_t kDialogCaption[] = L"Move Sheet Border";
constexpr auto kPatience = std::chrono::seconds(20);

// Looks every millisecond until `ready` holds (a tighter loop would take the processor the
// dialog's thread needs); throws after the patience.
void waitUntil(const std::function<bool()>& ready, const char* what) {
  const Clock::time_point limit = Clock::now() + kPatience;
  while (!ready()) {
    if (Clock::now() > limit) throw std::runtime_error(std::string("waited in vain for ") + what);
    Sleep(1);
  }
}

// The window of this process with `caption`, shown; nullptr while there is none.
HWND shownWindow(const wchar_t* caption) {
  for (HWND w = FindWindowW(nullptr, caption); w != nullptr;
       w = FindWindowExW(nullptr, w, nullptr, caption)) {
    DWORD process = 0;
    GetWindowThreadProcessId(w, &process);
    if (process == GetCurrentProcessId() && IsWindowVisible(w)) return w;
  }
  return nullptr;
}

HWND shownDialog() {
  return shownWindow(kDialogCaption);
}

HWND waitForReadyDialog() {
  HWND dialog = nullptr;
  waitUntil(
      [&] {
        dialog = shownDialog();
        return windows::readyForInput(dialog);
      },
      "the dialog");
  return dialog;
}

// Presses `key`, with `held` held down, as the keyboard does.
void press(WORD key, WORD held = 0) {
  windows::real_input::send(windows::real_input::keyPress(key, held));
}

// A left click at the centre of `window`, as the mouse gives it.
void clickOn(HWND window) {
  windows::real_input::send(windows::real_input::click(windows::centreOf(window)));
}

HWND button(HWND dialog, const wchar_t* caption) {
  HWND found = FindWindowExW(dialog, nullptr, L"Button", caption);
  if (found == nullptr) throw std::runtime_error("the dialog has no such button");
  return found;
}

// What the process holds that a leak would grow: GDI and USER objects as the system counts them,
// the windows of this thread, and the committed memory.
struct Holdings {
  DWORD gdi = 0;
  DWORD user = 0;
  int windows = 0;
  std::size_t committed = 0;
};

BOOL CALLBACK countWindow(HWND window, LPARAM count) {
  ++*reinterpret_cast<int*>(count);
  EnumChildWindows(window, countWindow, count);
  return TRUE;
}

Holdings holdings() {
  Holdings h;
  h.gdi = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
  h.user = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS);
  EnumThreadWindows(GetCurrentThreadId(), countWindow, reinterpret_cast<LPARAM>(&h.windows));
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof counters;
  if (GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters)) {
    h.committed = counters.PagefileUsage;
  }
  return h;
}

// The machine's load over the last minute, as its kernel reports it; 0 where none is readable.
double machineLoad() {
  double load = 0;
  if (FILE* f = std::fopen("Z:\\proc\\loadavg", "r")) {
    if (std::fscanf(f, "%lf", &load) != 1) load = 0;
    std::fclose(f);
  }
  return load;
}

// The product DLL, registered while the benchmarks run, and a host with its classes registered
// in this process, as the desktop program has them.
class ScreenRun {
 public:
  ScreenRun() : dll_(LoadLibraryW(L"" QUADRIFT_PRODUCT_DLL)) {
    if (!dll_ || exported("ZULRegisterServer")() != S_OK)
      throw std::runtime_error("the product DLL cannot be loaded and registered");
    // As in the desktop program: no log of the host's calls, which would grow run by run.
    host_.callLog().setRecording(false);
  }
  ~ScreenRun() { exported("ZULUnregisterServer")(); }
  ScreenRun(const ScreenRun&) = delete;
  ScreenRun& operator=(const ScreenRun&) = delete;

  refhost::ReferenceHost& host() { return host_; }
  // Set once Move has handed control back and the host's view is about to place the sheet.
  bool placing() const { return placing_; }
  // When the host's call of the last run came back.
  Clock::time_point returned() const { return returned_; }

  // One run of the command as the host makes it, with `user` giving the input from a thread
  // of its own. `placeAfterMove` is the host's view's left click once Move handed control back.
  void run(const std::function<void()>& user, bool placeAfterMove = false) {
    std::exception_ptr failed;
    placing_ = false;
    std::thread input([&] {
      try {
        user();
      } catch (...) {
        failed = std::current_exception();
        // Let the dialog end, so that the host's thread comes back, wherever the focus is.
        if (HWND dialog = shownDialog()) PostMessageW(dialog, WM_CLOSE, 0, 0);
      }
    });
    {
      const windows::ComPtr<IDispatch> command =
          windows::dispatchOf(windows::ComCreator().create("kstQuadrift412.CQuadrift"));
      windows::VariantArray arg(1);
      V_VT(&arg[0]) = VT_DISPATCH;
      V_DISPATCH(&arg[0]) = windows::DispatchBridge::create(host_.commandObject());
      DISPPARAMS params{arg.data(), nullptr, 1, 0};
      const HRESULT status = command->Invoke(0x60030000, IID_NULL, 0, DISPATCH_METHOD, &params,
                                             nullptr, nullptr, nullptr);
      returned_ = Clock::now();
      if (SUCCEEDED(status) && placeAfterMove && !host_.command().done) {
        placing_ = true;
        for (int i = 0; i < 8; ++i) host_.mouseMove(10.0 * i, 5.0 * i);
        host_.mouseClick(1, 70, 35);  // the dialog comes back in the click's handler
      }
      if (FAILED(status)) failed = std::make_exception_ptr(std::runtime_error("no command"));
    }
    input.join();
    exported("DllCanUnloadNow")();
    if (failed) std::rethrow_exception(failed);
    if (!host_.command().done) throw std::runtime_error("the command did not end");
    if (!host_.errorReports().empty()) throw std::runtime_error("the command reported a failure");
  }

 private:
  using Entry = HRESULT(STDAPICALLTYPE*)();
  Entry exported(const char* name) const {
    return reinterpret_cast<Entry>(reinterpret_cast<void*>(GetProcAddress(dll_.get(), name)));
  }

  windows::UniqueModule dll_;
  std::atomic<bool> placing_{false};
  Clock::time_point returned_{};
  refhost::ReferenceHost host_{bench::benchHost()};
  windows::host_classes::RegisteredHostClasses classes_{
      host_, windows::host_classes::RegisteredHostClasses::Session::None};
};

void reportLoad(benchmark::State& state) {
  state.counters["machine_load"] = machineLoad();
}

// Runs a benchmark's loop; a run that fails ends the benchmark with its reason rather than the
// process, so that the host's registration of the DLL is undone as the objects go.
template <class Loop>
void reportingFailure(benchmark::State& state, const Loop& loop) {
  try {
    loop();
  } catch (const std::exception& failure) {
    state.SkipWithError(failure.what());
  }
}

// From the host's call to the dialog drawn and waiting for input; Esc then ends the run. The
// time until its window is first shown is reported beside it, and the time from Esc until the
// host's call comes back (`closed_ms`).
void OpenToReady(benchmark::State& state) {
  ScreenRun screen;
  double shownSeconds = 0;
  double closedSeconds = 0;
  reportingFailure(state, [&] {
    for (auto _ : state) {
      Clock::time_point shown{};
      Clock::time_point ready{};
      const Clock::time_point start = Clock::now();
      screen.run([&] {
        waitUntil([] { return shownDialog() != nullptr; }, "the dialog's window");
        shown = Clock::now();
        waitForReadyDialog();
        ready = Clock::now();
        press(VK_ESCAPE);
      });
      state.SetIterationTime(Seconds(ready - start).count());
      shownSeconds += Seconds(shown - start).count();
      closedSeconds += Seconds(screen.returned() - ready).count();  // Esc pressed at ready
    }
  });
  const auto perRun = [&](double seconds) {
    return benchmark::Counter(1000 * seconds / static_cast<double>(state.iterations()));
  };
  state.counters["shown_ms"] = perRun(shownSeconds);
  state.counters["closed_ms"] = perRun(closedSeconds);
  reportLoad(state);
}
BENCHMARK(OpenToReady)->UseManualTime()->Iterations(20)->Unit(benchmark::kMillisecond);

// The same measure for the system's own message box (three windows against the dialog's 34): what
// the window system and the machine take for any dialog, for comparison.
void MessageBoxToReady(benchmark::State& state) {
  constexpr wchar_t kCaption[] = L"Reference message box";
  reportingFailure(state, [&] {
    for (auto _ : state) {
      Clock::time_point ready{};
      std::exception_ptr failed;
      std::thread input([&] {
        try {
          HWND box = nullptr;
          waitUntil(
              [&] {
                box = shownWindow(kCaption);
                return windows::readyForInput(box);
              },
              "the message box");
          ready = Clock::now();
          press(VK_ESCAPE);
        } catch (...) {
          failed = std::current_exception();
          if (HWND box = shownWindow(kCaption)) PostMessageW(box, WM_CLOSE, 0, 0);
        }
      });
      const Clock::time_point start = Clock::now();
      MessageBoxW(nullptr, L"Move Sheet Border", kCaption, MB_OK);
      input.join();
      if (failed) std::rethrow_exception(failed);
      state.SetIterationTime(Seconds(ready - start).count());
    }
  });
  reportLoad(state);
}
BENCHMARK(MessageBoxToReady)->UseManualTime()->Iterations(20)->Unit(benchmark::kMillisecond);

// From a click on Apply to its effect drawn: Previous enabled, nothing left to paint.
void ApplyToPainted(benchmark::State& state) {
  ScreenRun screen;
  reportingFailure(state, [&] {
    for (auto _ : state) {
      Clock::time_point clicked{};
      Clock::time_point painted{};
      screen.run([&] {
        const HWND dialog = waitForReadyDialog();
        const HWND previous = button(dialog, L"&Previous");
        clicked = Clock::now();
        clickOn(button(dialog, L"&Apply"));
        waitUntil([&] { return IsWindowEnabled(previous) && windows::readyForInput(dialog); },
                  "Apply");
        painted = Clock::now();
        press(VK_ESCAPE);
      });
      state.SetIterationTime(Seconds(painted - clicked).count());
    }
  });
  reportLoad(state);
}
BENCHMARK(ApplyToPainted)->UseManualTime()->Iterations(20)->Unit(benchmark::kMillisecond);

// The user's whole visit: another standard size, Apply, Move and a left click in the view, which
// brings the dialog back, and Cancel.
void visit(const ScreenRun& screen) {
  HWND dialog = waitForReadyDialog();
  press('T', VK_MENU);  // the standard sizes
  press(VK_TAB);        // to their list
  press(VK_DOWN);       // the next size
  press('A', VK_MENU);  // Apply
  const HWND previous = button(dialog, L"&Previous");
  waitUntil([&] { return IsWindowEnabled(previous) && windows::readyForInput(dialog); }, "Apply");
  press('M', VK_MENU);  // Move: the host places the sheet and the dialog comes back
  waitUntil([&] { return screen.placing(); }, "Move");
  waitForReadyDialog();
  press(VK_ESCAPE);  // Cancel
}

// The command run again and again in one host process; what the process holds after the last
// run must be what it held after the first, within a small slack.
void Soak(benchmark::State& state) {
  const auto runs = static_cast<int>(state.range(0));
  ScreenRun screen;
  reportingFailure(state, [&] {
    for (auto _ : state) {
      const auto user = [&screen] { visit(screen); };
      screen.run(user, true);
      const Holdings first = holdings();
      for (int i = 1; i < runs; ++i) {
        screen.run(user, true);
        // Progress on the error stream, so that a run that never ends can be told by its number.
        if ((i + 1) % 50 == 0) std::fprintf(stderr, "soak: %d of %d runs\n", i + 1, runs);
      }
      const Holdings last = holdings();
      state.counters["gdi_first"] = first.gdi;
      state.counters["gdi_last"] = last.gdi;
      state.counters["user_first"] = first.user;
      state.counters["user_last"] = last.user;
      state.counters["windows_first"] = first.windows;
      state.counters["windows_last"] = last.windows;
      state.counters["committed_first_kib"] = static_cast<double>(first.committed) / 1024;
      state.counters["committed_last_kib"] = static_cast<double>(last.committed) / 1024;
      constexpr DWORD kObjectSlack = 4;
      constexpr std::size_t kCommittedSlack = 2u << 20;
      if (last.gdi > first.gdi + kObjectSlack || last.user > first.user + kObjectSlack ||
          last.windows != first.windows || last.committed > first.committed + kCommittedSlack) {
        state.SkipWithError("the process holds more after the last run than after the first");
      }
    }
  });
  reportLoad(state);
}
BENCHMARK(Soak)->Arg(100)->Arg(1000)->Iterations(1)->Unit(benchmark::kSecond);

}  // namespace

int main(int argc, char** argv) {
  if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) return 1;
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  CoUninitialize();
  return 0;
}
