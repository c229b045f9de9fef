// One frame of the reference scene: the engine's FrameStep, the bare SDL loop, memcpy.
#include <benchmark/benchmark.h>
#include <lauxlib.h>

#include <cstring>
#include <memory>
#include <vector>

#include "bare_sdl_frame.h"
#include "bench_support.h"
#include "engine/engine.h"
#include "core/frame_loop.h"
#include "reference_scene.h"

namespace {

// autosave: the game has an autosave slot, and each frame is run as the
// frame loop runs it, after its calm moment (BetweenFrames): the last calm
// game is kept only when a click, a script call or a wait starts, so a calm
// frame costs what it costs without an autosave. scaledHero: the scene sets
// a scale by depth, and the hero is drawn, hit and moved at about 65 %.
void EngineFrame(benchmark::State& state, int depth, bool autosave, bool scaledHero) {
  uint64_t allocations = 0;
  int64_t frames = 0;
  RunQuietly(ReferenceFolder(depth), [&](Engine& engine) {
    if (!engine.core.screen || engine.core.screen->format->BitsPerPixel != depth) {
      state.SkipWithError("no video mode of that depth");
      return;
    }
    KeepReferenceSceneGoing(engine);
    if (scaledHero) luaL_dostring(engine.script.L, "SetDepthScale(300, 40, 600, 100)");
    if (autosave) engine.save.autosaveSlot = "bench";
    uint64_t before = AllocationCount();
    for (auto _ : state) {
      if (autosave) BetweenFrames(engine);
      FrameStep(engine);
      // The hero turns and the speaker talks again now and then.
      if ((++frames & 63) == 0) KeepReferenceSceneGoing(engine);
    }
    allocations = AllocationCount() - before;
  });
  state.counters["allocs/frame"] = frames ? static_cast<double>(allocations) / frames : 0;
}

void BareSdl(benchmark::State& state, int depth) {
  BareSdlFrame frame(ReferenceFolder(depth), depth);
  if (!frame.ok()) {
    state.SkipWithError("no video mode");
    return;
  }
  int t = 0;
  for (auto _ : state) frame.Draw(t++);
}

void Memcpy(benchmark::State& state, int depth) {
  size_t bytes = 640u * 480u * static_cast<size_t>(depth / 8);
  std::vector<char> from(bytes, 1), to(bytes, 0);
  for (auto _ : state) {
    std::memcpy(to.data(), from.data(), bytes);
    benchmark::DoNotOptimize(to.data());
    benchmark::ClobberMemory();
  }
}

struct Register {
  Register() {
    for (int depth : {32, 24}) {
      std::string suffix = "/" + std::to_string(depth);
      for (auto* b : {benchmark::RegisterBenchmark(("Frame/Engine" + suffix).c_str(), EngineFrame, depth, false, false),
                      benchmark::RegisterBenchmark(("Frame/EngineWithAutosave" + suffix).c_str(), EngineFrame, depth,
                                                   true, false),
                      benchmark::RegisterBenchmark(("Frame/EngineWithScaledHero" + suffix).c_str(), EngineFrame,
                                                   depth, false, true),
                      benchmark::RegisterBenchmark(("Frame/BareSDL" + suffix).c_str(), BareSdl, depth),
                      benchmark::RegisterBenchmark(("Frame/Memcpy" + suffix).c_str(), Memcpy, depth)})
        b->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true)->MinTime(0.3);
    }
  }
} registerFrames;

}  // namespace
