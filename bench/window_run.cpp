// Runs a game in a real window and reports what it costs: CPU time of the
// whole process (SDL's audio thread included) and of the main thread (the
// frames) as per cent of one core, and frames a second, over a stretch after
// one second of warming up. bench/window_cpu.sh
// runs it on a virtual display for every row of its table.
//
//   quillon-window-run reference DEPTH FPS PRESENT SECONDS [SCALE]
//   quillon-window-run demo FOLDER DEPTH FPS PRESENT SECONDS [SCALE]
//   quillon-window-run bare DEPTH 60 whole SECONDS
//
// FPS is the frame limit (0: none); PRESENT is "partial" or "whole"; SCALE
// the window's enlargement (default 1), as the player's --scale. The demo
// folder is copied, and its configuration script set to DEPTH bits and
// stripped of its own limit. "bare" is the yardstick: plain SDL presenting a
// whole frame FPS times a second. Prints "PROCESS_CPU% MAIN_THREAD_CPU% FPS".
#include <SDL/SDL.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "core/input_events.h"
#include "core/startup.h"
#include "engine/engine.h"
#include "reference_scene.h"
#include "support/temp_dir.h"
#include "util/log.h"

namespace fs = std::filesystem;

namespace {

// CPU time of the whole process (who: RUSAGE_SELF) or of the calling thread (RUSAGE_THREAD).
double CpuSeconds(int who) {
  rusage usage{};
  getrusage(who, &usage);
  return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) * 1e-6;
}

// Measures from one second after the start for the given seconds, then ends the process.
class Meter {
 public:
  explicit Meter(int seconds) : seconds_(seconds), start_(SDL_GetTicks()) {}
  void Frame(Uint32 frames) {
    Uint32 now = SDL_GetTicks();
    if (!warm_ && now - start_ >= 1000) {
      warm_ = true;
      cpu_ = CpuSeconds(RUSAGE_SELF);
      threadCpu_ = CpuSeconds(RUSAGE_THREAD);
      frames_ = frames;
      start_ = now;
    } else if (warm_ && now - start_ >= static_cast<Uint32>(seconds_) * 1000) {
      double wall = (now - start_) / 1000.0;
      std::printf("%.1f %.1f %.0f\n", 100 * (CpuSeconds(RUSAGE_SELF) - cpu_) / wall,
                  100 * (CpuSeconds(RUSAGE_THREAD) - threadCpu_) / wall, (frames - frames_) / wall);
      std::fflush(stdout);
      _exit(0);
    }
  }

 private:
  int seconds_;
  Uint32 start_;
  bool warm_ = false;
  double cpu_ = 0, threadCpu_ = 0;
  Uint32 frames_ = 0;
};

int RunGame(const std::string& folder, int fps, bool partial, int seconds, bool reference, int scale) {
  SetLogSink([](std::string_view) {});
  Engine engine;
  engine.player.fps = fps;
  engine.player.scale = scale;
  engine.core.present.partial = partial;
  Meter meter(seconds);
  engine.core.frameHook = [&](Engine& e) {
    if (reference) {
      if (e.timing.frameCounter == 1) MovePointer(kReferencePointerX * scale, kReferencePointerY * scale);
      if ((e.timing.frameCounter & 15) == 0) KeepReferenceSceneGoing(e);
    }
    meter.Frame(e.timing.frameCounter);
  };
  WorkingDirectory inGame(folder);
  return RunEngine(engine);
}

// The demo at another depth and without its own limit: the limit comes from the command line.
void CopyDemo(const std::string& from, const std::string& to, int depth) {
  fs::copy(from, to, fs::copy_options::recursive | fs::copy_options::overwrite_existing);
  std::ifstream in(fs::path(to) / "conf.lua");
  std::ostringstream conf;
  for (std::string line; std::getline(in, line);) {
    if (line.rfind("SetFrameLimit", 0) == 0) continue;
    if (line.rfind("SetScreen(640, 480, 24", 0) == 0)
      line = "SetScreen(640, 480, " + std::to_string(depth) + ", \"WINDOW\")";
    conf << line << "\n";
  }
  in.close();
  std::ofstream(fs::path(to) / "conf.lua") << conf.str();
}

int RunBare(int depth, int fps, int seconds) {
  if (SDL_Init(SDL_INIT_VIDEO) != 0) return 1;
  SDL_Surface* screen = SDL_SetVideoMode(640, 480, depth, SDL_SWSURFACE);
  if (!screen) return 1;
  for (int y = 0; y < 480; y += 8) {
    SDL_Rect band = {0, static_cast<Sint16>(y), 640, 8};
    SDL_FillRect(screen, &band, SDL_MapRGB(screen->format, y / 2, 255 - y / 2, 128));
  }
  Meter meter(seconds);
  Uint32 slot = SDL_GetTicks();
  for (Uint32 frames = 1;; ++frames) {
    for (SDL_Event event; SDL_PollEvent(&event);) {
    }
    SDL_UpdateRect(screen, 0, 0, 0, 0);
    meter.Frame(frames);
    slot += 1000 / fps;
    Sint32 early = static_cast<Sint32>(slot - SDL_GetTicks());
    if (early > 0) SDL_Delay(early);
    else slot = SDL_GetTicks();
  }
}

}  // namespace

int main(int argc, char** argv) {
  std::string kind = argc > 1 ? argv[1] : "";
  // The reference scene as a game folder of its own (for the web page's figures).
  if (kind == "write" && argc == 4) {
    WriteReferenceGame(argv[3], std::atoi(argv[2]));
    return 0;
  }
  int first = kind == "demo" ? 3 : 2;  // where DEPTH stands
  bool scaled = kind != "bare" && argc == first + 5;
  if ((kind != "reference" && kind != "demo" && kind != "bare") || (argc != first + 4 && !scaled)) {
    std::fprintf(stderr, "usage: quillon-window-run (reference | demo FOLDER | bare) DEPTH FPS PRESENT SECONDS [SCALE]\n"
                         "       quillon-window-run write DEPTH FOLDER\n");
    return 2;
  }
  int depth = std::atoi(argv[first]), fps = std::atoi(argv[first + 1]), seconds = std::atoi(argv[first + 3]);
  bool partial = std::string(argv[first + 2]) == "partial";
  if (kind == "bare") return RunBare(depth, fps, seconds);
  TempDir dir;
  if (kind == "reference") WriteReferenceGame(dir.path(), depth);
  else CopyDemo(argv[2], dir.path(), depth);
  return RunGame(dir.path(), fps, partial, seconds, kind == "reference", scaled ? std::atoi(argv[first + 4]) : 1);
}
