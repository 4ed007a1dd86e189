// Benchmarks of the command in the reference host: a mouse move while placing the sheet, the
// whole start-up, and one Apply; each also reports the heap allocations it makes.
#include <benchmark/benchmark.h>

#include <chrono>
#include <memory>
#include <stdexcept>

#include "allocation_count.hpp"
#include "dialog/frm_main.hpp"
#include "standard_sheets.hpp"
#include "world.hpp"

namespace {

using Clock = std::chrono::steady_clock;

// The usual world: English, the default printer, an A4 portrait sheet at 1:100.
session::WorldSettings benchWorld() {
  session::WorldSettings s;
  s.satelliteFolder = QUADRIFT_BINARY_DIR;
  s.printer = session::PrinterDescription{};
  s.host.echoReportsToStderr = false;
  s.host.sheet.paperUnit = 1;
  s.host.sheet.sizeIndex = 28;  // A4 portrait
  s.host.sheet.width = refhost::standardSizeWidth(28);
  s.host.sheet.height = refhost::standardSizeHeight(28);
  for (std::size_t i = 0; i < refhost::kStandardScales.size(); ++i) {
    if (refhost::kStandardScales[i].caption == "1:100 mm") {
      s.host.sheet.scaleMode = static_cast<std::int32_t>(i + 1);
      s.host.sheet.scalePaper = refhost::kStandardScales[i].paper;
      s.host.sheet.scaleModel = refhost::kStandardScales[i].model;
    }
  }
  return s;
}

void requireClean(benchmark::State& state, session::World& world) {
  if (!world.host().errorReports().empty()) state.SkipWithError("the command reported a failure");
}

// Heap allocations made while `host` runs and while the component runs, told apart by the
// host's side changes; counted between `begin` and `end` only.
class AllocationsBySide {
 public:
  explicit AllocationsBySide(refhost::ReferenceHost& host) : host_(host) {
    host_.onSideChanged([this](refhost::Side now) {
      settle();
      running_ = now;
    });
  }
  ~AllocationsBySide() { host_.onSideChanged({}); }
  AllocationsBySide(const AllocationsBySide&) = delete;
  AllocationsBySide& operator=(const AllocationsBySide&) = delete;

  void begin() {
    counting_ = true;
    mark_ = bench::allocations();
  }
  void end() {
    settle();
    counting_ = false;
  }
  std::uint64_t host() const { return hostAllocations_; }
  std::uint64_t component() const { return componentAllocations_; }

 private:
  void settle() {
    const std::uint64_t now = bench::allocations();
    if (counting_)
      (running_ == refhost::Side::Host ? hostAllocations_ : componentAllocations_) += now - mark_;
    mark_ = now;
  }

  refhost::ReferenceHost& host_;
  refhost::Side running_ = refhost::Side::Host;
  bool counting_ = false;
  std::uint64_t mark_ = 0;
  std::uint64_t hostAllocations_ = 0;
  std::uint64_t componentAllocations_ = 0;
};

// ksMouse1_MouseMove to the last overlay call: the host's view delivers a move to the mouse
// control, the handler moves the display sheet and the overlay shows it again. `recording`
// says whether the host logs each call (its own cost, not the component's).
void MouseMove(benchmark::State& state, bool recording) {
  session::World world(benchWorld());
  world.engine().post(portable::UserAction::click("cmdMove"));
  world.start();  // returns once Move has hidden the dialog: placement is running
  refhost::ReferenceHost& host = world.host();
  host.callLog().setRecording(recording);
  if (host.shownGraphics().size() != 2) state.SkipWithError("placement did not start");

  // Warm up, so that the host's vectors have their steady size.
  for (int i = 0; i < 64; ++i) host.mouseMove(i, -i);
  std::uint64_t moves = 0;
  std::uint64_t allocations = 0;
  double x = 0;
  for (auto _ : state) {
    const std::uint64_t before = bench::allocations();
    host.mouseMove(x, 0.5 * x);
    allocations += bench::allocations() - before;
    x = x > 100 ? 0 : x + 0.25;
    if (++moves % 4096 == 0 && recording) {
      state.PauseTiming();
      host.callLog().clear();  // keeps the log's memory bounded; its capacity stays
      state.ResumeTiming();
    }
  }
  state.counters["allocs_per_move"] =
      benchmark::Counter(static_cast<double>(allocations) / static_cast<double>(moves));

  // The same moves again, untimed, with each allocation charged to the side that made it.
  constexpr int kAttributedMoves = 1024;
  {
    AllocationsBySide sides(host);
    for (int i = 0; i < kAttributedMoves; ++i) {
      sides.begin();
      host.mouseMove(0.25 * i, 0.125 * i);
      sides.end();
    }
    state.counters["host_allocs_per_move"] = benchmark::Counter(
        static_cast<double>(sides.host()) / static_cast<double>(kAttributedMoves));
    state.counters["component_allocs_per_move"] = benchmark::Counter(
        static_cast<double>(sides.component()) / static_cast<double>(kAttributedMoves));
    if (sides.component() > 0) {
      state.SkipWithError("the component allocates on the heap while a mouse move is placing");
    } else if (!recording && sides.host() > 0) {
      state.SkipWithError("the host allocates on the heap for a mouse move with its log off");
    }
  }
  requireClean(state, world);
  world.end();
}
BENCHMARK_CAPTURE(MouseMove, host_logging_calls, true);
BENCHMARK_CAPTURE(MouseMove, host_not_logging, false);

// Command_Initialize until the dialog's modal loop waits for input: the first action it pulls
// from the queue marks the time; a Cancel then ends the run outside the measurement.
void StartUp(benchmark::State& state) {
  std::uint64_t allocations = 0;
  std::uint64_t runs = 0;
  for (auto _ : state) {
    session::World world(benchWorld());
    Clock::time_point waiting{};
    std::uint64_t allocationsAtWait = 0;
    world.engine().post(portable::UserAction::probeStep([&] {
      waiting = Clock::now();
      allocationsAtWait = bench::allocations();
    }));
    world.engine().post(portable::UserAction::click("cmdCancel"));
    const std::uint64_t before = bench::allocations();
    const Clock::time_point start = Clock::now();
    world.start();
    state.SetIterationTime(std::chrono::duration<double>(waiting - start).count());
    allocations += allocationsAtWait - before;
    ++runs;
    requireClean(state, world);
    world.end();
  }
  state.counters["allocs_per_start"] =
      benchmark::Counter(static_cast<double>(allocations) / static_cast<double>(runs));
}
BENCHMARK(StartUp)->UseManualTime()->Unit(benchmark::kMicrosecond);

// One Apply (cmdApply_Click: a new history record, the setup written to the host and read
// back), pressed again and again from inside the dialog's modal loop.
void Apply(benchmark::State& state) {
  session::World world(benchWorld());
  std::uint64_t applies = 0;
  std::uint64_t allocations = 0;
  world.engine().post(portable::UserAction::probeStep([&] {
    ui::CommandButton& apply = world.dialog()->form().button("cmdApply");
    for (auto _ : state) {
      const std::uint64_t before = bench::allocations();
      apply.raiseClick();
      allocations += bench::allocations() - before;
      if (++applies % 1024 == 0) {
        state.PauseTiming();
        world.host().callLog().clear();
        state.ResumeTiming();
      }
    }
  }));
  world.engine().post(portable::UserAction::click("cmdOK"));
  world.start();
  requireClean(state, world);
  if (world.component().HistoryCount != static_cast<std::int64_t>(applies) + 1) {
    state.SkipWithError("not every Apply added a record");
  }
  state.counters["allocs_per_apply"] =
      benchmark::Counter(static_cast<double>(allocations) / static_cast<double>(applies));
  world.end();
}
// The history's count is 16-bit: stay well below 32767 records in one run.
BENCHMARK(Apply)->Iterations(20000)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
