// The benchmark program: every benchmark, then the frame ratios and the peak memory of a playthrough.
#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <new>
#include <string>

#include "bench_support.h"
#include "engine/engine.h"
#include "core/frame_loop.h"
#include "core/startup.h"
#include "support/game_harness.h"
#include "reference_scene.h"
#include "support/temp_dir.h"

namespace {

std::atomic<uint64_t> allocations{0};

// CPU time of every benchmark's median (or single result), in nanoseconds: the
// measuring thread's own time, which other work on the shared cores disturbs least.
std::map<std::string, double> results;

class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      if (run.run_type == Run::RT_Aggregate && run.aggregate_name != "median") continue;
      double ns = run.GetAdjustedCPUTime() * 1e9 / benchmark::GetTimeUnitMultiplier(run.time_unit);
      results[run.run_name.function_name] = ns;
    }
    ConsoleReporter::ReportRuns(runs);
  }
};

void PrintRatio(const char* label, const std::string& a, const std::string& b, double goal) {
  if (!results.count(a) || !results.count(b) || results[b] <= 0) return;
  double ratio = results[a] / results[b];
  if (goal <= 0) std::printf("  %-34s %6.2f\n", label, ratio);
  else std::printf("  %-34s %6.2f   (goal at most %.1f: %s)\n", label, ratio, goal, ratio <= goal ? "met" : "NOT met");
}

// The playthrough of the peak-memory figure, run in a child process of its own.
int Playthrough(int frames) {
  return RunQuietly(ReferenceFolder(32), [frames](Engine& engine) {
    for (int i = 1; i < frames; ++i) {
      FrameStep(engine);
      if ((i & 63) == 0) KeepReferenceSceneGoing(engine);
    }
  });
}

long PeakResidentKilobytes(const char* self, int frames) {
  pid_t child = fork();
  if (child == 0) {
    std::string arg = "--playthrough=" + std::to_string(frames);
    execl(self, self, arg.c_str(), static_cast<char*>(nullptr));
    _exit(127);
  }
  int status = 0;
  struct rusage usage = {};
  if (child < 0 || wait4(child, &status, 0, &usage) < 0 || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
    return -1;
  return usage.ru_maxrss;
}

}  // namespace

void* operator new(std::size_t size) {
  allocations.fetch_add(1, std::memory_order_relaxed);
  if (void* p = std::malloc(size ? size : 1)) return p;
  throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

uint64_t AllocationCount() { return allocations.load(std::memory_order_relaxed); }

const std::string& ReferenceFolder(int depth) {
  static std::map<int, std::unique_ptr<TempDir>> folders;
  std::unique_ptr<TempDir>& dir = folders[depth];
  if (!dir) {
    dir = std::make_unique<TempDir>();
    WriteReferenceGame(dir->path(), depth);
  }
  return dir->path();
}

int RunQuietly(const std::string& folder, const std::function<void(Engine&)>& atFirstFrame) {
  LogSink previous = SetLogSink([](std::string_view) {});
  LogSink previousErrors = SetErrorSink([](std::string_view) {});
  int status = 0;
  {
    Engine engine;
    ManualClock clock;
    clock.Attach(engine);
    bool started = false;
    engine.core.frameHook = [&](Engine& e) {
      clock.now += 10;
      if (started) return;
      started = true;
      atFirstFrame(e);
      e.core.running = false;
    };
    WorkingDirectory inGame(folder);
    status = RunEngine(engine);
  }
  SetLogSink(std::move(previous));
  SetErrorSink(std::move(previousErrors));
  return status;
}

int main(int argc, char** argv) {
  setenv("SDL_VIDEODRIVER", "dummy", 0);
  setenv("SDL_AUDIODRIVER", "dummy", 0);
  if (argc == 2 && std::strncmp(argv[1], "--playthrough=", 14) == 0) return Playthrough(std::atoi(argv[1] + 14));

  benchmark::Initialize(&argc, argv);
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);

  std::printf("\nRatios of median CPU times within this run (a = engine FrameStep, b = bare SDL loop, c = memcpy):\n");
  PrintRatio("32 bits: a / c", "Frame/Engine/32", "Frame/Memcpy/32", 6.0);
  PrintRatio("32 bits: a / b", "Frame/Engine/32", "Frame/BareSDL/32", 0.4);
  PrintRatio("24 bits: a / c", "Frame/Engine/24", "Frame/Memcpy/24", 0);
  PrintRatio("24 bits: a / b", "Frame/Engine/24", "Frame/BareSDL/24", 0.5);
  // The calm game an autosave keeps costs a calm frame nothing measurable.
  PrintRatio("32 bits: with autosave / without", "Frame/EngineWithAutosave/32", "Frame/Engine/32", 1.1);
  const int frames = 3000;
  long peak = PeakResidentKilobytes("/proc/self/exe", frames);
  std::printf("Peak resident memory of a %d-frame headless playthrough of the reference game: ", frames);
  if (peak < 0) std::printf("not measured (the playthrough failed)\n");
  else std::printf("%.1f MB (goal under 64 MB: %s)\n", peak / 1024.0, peak < 64 * 1024 ? "met" : "NOT met");
  benchmark::Shutdown();
  return 0;
}
