// Saving and loading the demo's state once its intro is over: the time of a
// save, of a load, and the size of the file.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>

#include "core/input_events.h"
#include "core/startup.h"
#include "engine/engine.h"
#include "save/save_game.h"
#include "support/temp_dir.h"
#include "util/log.h"

namespace {

// Plays the built demo headless: English at the language choice, then the
// intro; at the first frame where no wait runs, measure runs.
void AtTheDemosFirstFreeFrame(const std::function<void(Engine&)>& measure) {
  TempDir saves;
  setenv("QUILLON_SAVE_DIR", saves.path().c_str(), 1);
  LogSink previous = SetLogSink([](std::string_view) {});
  LogSink previousErrors = SetErrorSink([](std::string_view) {});
  {
    Engine engine;
    Uint32 now = 0;
    engine.clock.context = &now;
    engine.clock.source = [](void* ticks) { return *static_cast<Uint32*>(ticks); };
    engine.core.frameHook = [&](Engine& e) {
      now += 40;
      Uint32 frame = e.timing.frameCounter;
      if (frame == 2) MovePointer(50, 438);
      if (frame == 4) PushClick(SDL_BUTTON_LEFT, 50, 438);
      if (frame > 4 && e.timing.nestedWaits == 0 && e.script.nativeDepth == 0 && e.core.running) {
        measure(e);
        e.core.running = false;
      }
      if (frame > 5000) e.core.running = false;
    };
    WorkingDirectory inDemo(QUILLON_BINARY_DIR "/demo");
    RunEngine(engine);
  }
  SetLogSink(std::move(previous));
  SetErrorSink(std::move(previousErrors));
  unsetenv("QUILLON_SAVE_DIR");
}

void SaveDemo(benchmark::State& state) {
  AtTheDemosFirstFreeFrame([&](Engine& engine) {
    for (auto _ : state) SaveGameToSlot(engine, "bench", "");
    state.counters["file bytes"] =
        static_cast<double>(std::filesystem::file_size(std::string(getenv("QUILLON_SAVE_DIR")) + "/bench.qsave"));
  });
}
BENCHMARK(SaveDemo)->Unit(benchmark::kMillisecond);

void LoadDemo(benchmark::State& state) {
  AtTheDemosFirstFreeFrame([&](Engine& engine) {
    if (!SaveGameToSlot(engine, "bench", "")) return state.SkipWithError("the demo was not saved");
    for (auto _ : state) {
      RequestLoad(engine, "bench");
      ApplyPendingLoad(engine);
    }
  });
}
BENCHMARK(LoadDemo)->Unit(benchmark::kMillisecond);

}  // namespace
