// Benchmarks of the command in the DLL's test variant (the product's objects and the session
// harness), driven through COM as a host drives it: a mouse move while placing (the host's view
// to the mouse control, its event into the DLL, the component's calls back to the host's
// overlay, all through IDispatch), the whole start-up, and one Apply. The heap allocations of this
// program (the host's side) are counted; the DLL has its own C++ runtime, whose allocations the
// portable benchmarks count for the same code.
#include <benchmark/benchmark.h>

#include <windows.h>

#include <objbase.h>

#include <array>
#include <chrono>
#include <cstdio>
#include <stdexcept>
#include <string>

#include "allocation_count.hpp"
#include "automation/convert.hpp"
#include "automation/variant.hpp"
#include "bench_host.hpp"
#include "reference_host.hpp"
#include "standard_sheets.hpp"
#include "ui/user_action.hpp"
#include "windows/automation/argument_list.hpp"
#include "windows/automation/com_creator.hpp"
#include "windows/automation/com_dispatch.hpp"
#include "windows/automation/dispatch_bridge.hpp"
#include "windows/handles/unique.hpp"
#include "windows/host/registered_host_classes.hpp"
#include "windows/host/session_objects.hpp"
#include "windows/session/protocol.hpp"

namespace {

using automation::Variant;
using Clock = std::chrono::steady_clock;
using Kind = portable::UserAction::Kind;
namespace protocol = windows::harness;

// A late-bound object whose every member runs one function.
template <class Body>
class Probe final : public automation::Dispatch {
 public:
  explicit Probe(Body body) : body_(std::move(body)) {}
  Variant invoke(automation::DispId, automation::InvokeKind, std::span<Variant>) override {
    body_();
    return {};
  }
  std::optional<automation::DispId> idOfName(std::string_view) override { return std::nullopt; }

 private:
  Body body_;
};

// The DLL, registered while the benchmarks run, and one reference host with its classes.
class ComRun {
 public:
  ComRun() : dll_(LoadLibraryW(L"" QUADRIFT_COMPONENT_DLL)) {
    if (!dll_ || exported("ZULRegisterServer")() != S_OK)
      throw std::runtime_error(QUADRIFT_COMPONENT_DLL " cannot be loaded and registered");
  }
  ~ComRun() {
    release();
    exported("ZULUnregisterServer")();
  }

  refhost::ReferenceHost& host() { return host_; }

  // Creates CQuadrift by its programmatic identifier; the DLL's engine attaches its session.
  void create() {
    command_ = windows::ComCreator().create("kstQuadrift412.CQuadrift");
    session_ = classes_.session();
    session_.call(protocol::kSessionSetHostView,
                  {Variant(automation::Object(
                      std::make_shared<windows::host_classes::ReferenceHostView>(host_)))});
  }
  void post(Kind kind, std::string target = {}) {
    session_.call(protocol::kSessionPost,
                  {Variant(static_cast<std::int32_t>(kind)), Variant(std::move(target)),
                   Variant(std::int32_t{0}), Variant(std::string()), Variant(0.0), Variant(0.0)});
  }
  template <class Body>
  void probe(Body body) {
    session_.call(protocol::kSessionPostProbe,
                  {Variant(automation::Object(std::make_shared<Probe<Body>>(std::move(body))))});
  }
  // Command_Initialize with the host's command object, as the host's framework calls it.
  void initialize() {
    const windows::ComPtr<IDispatch> command = windows::dispatchOf(command_);
    windows::VariantArray arg(1);
    V_VT(&arg[0]) = VT_DISPATCH;
    V_DISPATCH(&arg[0]) = windows::DispatchBridge::create(host_.commandObject());
    DISPPARAMS params{arg.data(), nullptr, 1, 0};
    EXCEPINFO info{};
    const HRESULT status =
        command->Invoke(0x60030000, IID_NULL, 0, DISPATCH_METHOD, &params, nullptr, &info, nullptr);
    if (FAILED(status)) throw std::runtime_error("Command_Initialize failed");
  }
  void runUntilIdle() { session_.call(protocol::kSessionRunUntilIdle); }
  // Releases CQuadrift and the session, and lets the DLL drop its component-wide state, so the
  // next creation starts afresh.
  void release() {
    command_.release();
    session_.release();
    classes_.releaseSession();
    exported("DllCanUnloadNow")();
  }

 private:
  using Entry = HRESULT(STDAPICALLTYPE*)();
  Entry exported(const char* name) const {
    return reinterpret_cast<Entry>(reinterpret_cast<void*>(GetProcAddress(dll_.get(), name)));
  }

  windows::UniqueModule dll_;
  refhost::ReferenceHost host_{bench::benchHost()};
  windows::host_classes::RegisteredHostClasses classes_{host_};
  automation::Object command_;
  automation::Object session_;
};

void requireClean(benchmark::State& state, ComRun& run) {
  if (!run.host().errorReports().empty()) state.SkipWithError("the command reported a failure");
}

// ksMouse1_MouseMove to the last overlay call, through IDispatch both ways.
void MouseMove(benchmark::State& state) {
  ComRun run;
  run.create();
  run.post(Kind::Click, "cmdMove");
  run.initialize();  // returns once Move has hidden the dialog: placement is running
  refhost::ReferenceHost& host = run.host();
  host.callLog().setRecording(false);
  if (host.shownGraphics().size() != 2) state.SkipWithError("placement did not start");
  for (int i = 0; i < 64; ++i) host.mouseMove(i, -i);
  std::uint64_t moves = 0;
  std::uint64_t allocations = 0;
  double x = 0;
  for (auto _ : state) {
    const std::uint64_t before = bench::allocations();
    host.mouseMove(x, 0.5 * x);
    allocations += bench::allocations() - before;
    x = x > 100 ? 0 : x + 0.25;
    ++moves;
  }
  requireClean(state, run);
  state.counters["host_allocs_per_move"] =
      benchmark::Counter(static_cast<double>(allocations) / static_cast<double>(moves));
  // A right click abandons the placement and shows the dialog again; Cancel ends the run.
  run.post(Kind::Click, "cmdCancel");
  host.mouseClick(2, x, x);
  run.runUntilIdle();
}
BENCHMARK(MouseMove);

// One crossing alone, the floor under each of a move's seven: a call with four doubles (a
// graphic's move) through IDispatch to an object that does nothing, converted both ways as the
// DLL and the host convert theirs.
void Crossing(benchmark::State& state) {
  auto nothing = [] {};
  const auto bridge = windows::ComPtr<IDispatch>::adopt(windows::DispatchBridge::create(
      automation::Object(std::make_shared<Probe<decltype(nothing)>>(nothing))));
  // Made directly, not by wrap, which would hand this module's own object back uncrossed.
  const automation::Object callee(std::make_shared<windows::ComDispatch>(bridge.get()));
  std::array<Variant, 4> args{Variant(1.0), Variant(2.0), Variant(3.0), Variant(4.0)};
  std::uint64_t calls = 0;
  const std::uint64_t before = bench::allocations();
  for (auto _ : state) {
    callee.invoke(18, automation::InvokeKind::Call, args);
    ++calls;
  }
  // The same conversions and bridges run in the DLL: what they allocate here, they allocate there.
  state.counters["allocs_per_crossing"] = benchmark::Counter(
      static_cast<double>(bench::allocations() - before) / static_cast<double>(calls));
}
BENCHMARK(Crossing);

// CoCreateInstance and Command_Initialize until the dialog's modal loop waits for input; a
// Cancel then ends the run outside the measurement.
void StartUp(benchmark::State& state) {
  ComRun run;
  for (auto _ : state) {
    Clock::time_point waiting{};
    const Clock::time_point start = Clock::now();
    run.create();
    run.probe([&waiting] { waiting = Clock::now(); });
    run.post(Kind::Click, "cmdCancel");
    run.initialize();
    state.SetIterationTime(std::chrono::duration<double>(waiting - start).count());
    requireClean(state, run);
    run.release();
  }
}
BENCHMARK(StartUp)->UseManualTime()->Unit(benchmark::kMillisecond);

// One Apply, clicked again and again inside the dialog's modal loop; each iteration times a
// batch and reports the time of one.
void Apply(benchmark::State& state) {
  constexpr int kApplies = 2000;
  ComRun run;
  for (auto _ : state) {
    Clock::time_point first{};
    Clock::time_point last{};
    run.create();
    run.probe([&first] { first = Clock::now(); });
    for (int i = 0; i < kApplies; ++i) run.post(Kind::Click, "cmdApply");
    run.probe([&last] { last = Clock::now(); });
    run.post(Kind::Click, "cmdOK");
    run.initialize();
    state.SetIterationTime(std::chrono::duration<double>(last - first).count() / kApplies);
    requireClean(state, run);
    run.release();
  }
}
BENCHMARK(Apply)->UseManualTime()->Iterations(3)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) return 1;
  benchmark::Initialize(&argc, argv);
  int status = 0;
  try {
    benchmark::RunSpecifiedBenchmarks();
  } catch (const std::exception& e) {
    std::fprintf(stderr, "%s\n", e.what());
    status = 1;
  }
  benchmark::Shutdown();
  CoUninitialize();
  return status;
}
