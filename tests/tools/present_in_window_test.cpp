// The partial present in a real window on a virtual X display: over the demo's
// opening (the language choice, walking and scrolling in the street, speech,
// the fade into the bakery, a decision), run by the engine's own frame loop,
// the window shows after every frame's present exactly what was composed
// before it, enlarged by whole pixels in a scaled window.
#include <gtest/gtest.h>

#include <filesystem>

#include <SDL/SDL.h>
#include <SDL/SDL_syswm.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

#include "core/startup.h"
#include "engine/engine.h"
#include "play/replay_file.h"
#include "play/replay_player.h"
#include "support/child_process.h"
#include "support/log_capture.h"
#include "support/temp_dir.h"

namespace {

// The opening ends when the first decision has been taken.
const char kLastStepText[] = "DEMO: decision 1";
// Game time runs this many times faster than in the replay: fewer frames, the same story.
const int kTimeScale = 2;

struct WindowReport {
  int frames = 0;          // frames run
  int compared = 0;        // frames after whose present the window was compared
  int differing = 0;       // of those, frames whose window differed
  int partial = 0;         // of those, frames presented as less than half of the screen
  bool replayPassed = false;
  char first[160] = "";    // the first difference
};

// The window's pixels as 0xRRGGBB, when its image holds them so (Xvfb at depth 24 does).
const Uint32* WindowRow(XImage* image, int y) {
  bool rgb = image->bits_per_pixel == 32 && image->red_mask == 0xFF0000 && image->green_mask == 0xFF00 &&
             image->blue_mask == 0xFF && image->byte_order == LSBFirst;
  return rgb ? reinterpret_cast<const Uint32*>(image->data + y * image->bytes_per_line) : nullptr;
}

// Sends the report to the parent and ends the child without the leak check
// (SDL's and X's own allocations are not ours to check).
[[noreturn]] void Report(int channel, WindowReport report) {
  ssize_t written = write(channel, &report, sizeof report);
  _exit(written == sizeof report ? 0 : 1);
}

// Plays the opening in a window of display, compares the window after the
// engine's own presents, and reports once the opening's last step is done:
// the game itself goes on in a conversation, which no running flag ends.
[[noreturn]] void PlayOpening(const std::string& display, const std::string& shots, int scale, int channel) {
  setenv("DISPLAY", display.c_str(), 1);
  setenv("SDL_VIDEODRIVER", "x11", 1);
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  WindowReport report;
  Replay replay;
  std::string error;
  std::string text = ReadFile(QUILLON_SOURCE_DIR "/games/demo/playthrough.replay");
  if (!ParseReplay(text, "playthrough.replay", &replay, &error)) Report(channel, report);
  size_t last = 0;
  while (last < replay.steps.size() && replay.steps[last].text != kLastStepText) ++last;
  replay.steps.resize(std::min(last + 1, replay.steps.size()));
  for (Step& step : replay.steps) step.x *= scale, step.y *= scale;  // the pointer moves in window pixels

  Engine engine;
  engine.player.scale = scale;
  Uint32 now = 0;  // game time moves at the end of every frame
  engine.clock.context = &now;
  engine.clock.source = [](void* self) { return *static_cast<Uint32*>(self); };
  LogCapture log;
  ReplayPlayer player(replay.steps, log.Text(), shots, 5000);
  Display* x = XOpenDisplay(display.c_str());
  SDL_Surface* rgb = nullptr;  // the screen as the last frame composed it, as 0xRRGGBB
  int depthBefore = -1;  // the nested waits around the frame before; none before the first frame
  engine.core.frameHook = [&](Engine& e) {
    now += static_cast<Uint32>(replay.msPerFrame * kTimeScale);
    ++report.frames;
    // Every frame begins by presenting what was composed before it. Between
    // the ends of two frames of the same depth lies exactly that one present;
    // a nested wait's first frame ends after two (its outer frame's and its
    // own), and an outer frame ends after its nested ones without one. Only
    // the window of a frame of the depth before is compared.
    SDL_Surface* screen = e.core.screen;
    bool presentedOnce = e.timing.nestedWaits == depthBefore;
    depthBefore = e.timing.nestedWaits;
    if (presentedOnce && rgb) {
      ++report.compared;
      int area = 0;
      for (const SDL_Rect& r : e.core.present.rects) area += r.w * r.h;
      report.partial += !e.core.present.rects.empty() && area * 2 <= screen->w * screen->h;
      SDL_SysWMinfo info;
      SDL_VERSION(&info.version);
      const int width = screen->w * scale, height = screen->h * scale;
      XImage* image = SDL_GetWMInfo(&info) == 1
                          ? XGetImage(x, info.info.x11.window, 0, 0, width, height, AllPlanes, ZPixmap)
                          : nullptr;
      bool differs = !image || !WindowRow(image, 0);
      if (differs && !report.first[0])
        snprintf(report.first, sizeof report.first, "frame %d: no window image", report.frames);
      for (int y = 0; !differs && y < height; ++y) {
        const Uint32* shown = WindowRow(image, y);
        const Uint32* composed = static_cast<const Uint32*>(rgb->pixels) + y / scale * rgb->pitch / 4;
        for (int px = 0; !differs && px < width; ++px) {
          if ((shown[px] & 0xFFFFFF) == (composed[px / scale] & 0xFFFFFF)) continue;
          differs = true;
          if (!report.first[0])
            snprintf(report.first, sizeof report.first, "frame %d, window pixel %d,%d: %06X, composed %06X",
                     report.frames, px, y, shown[px] & 0xFFFFFF, composed[px / scale] & 0xFFFFFF);
        }
      }
      report.differing += differs;
      if (image) XDestroyImage(image);
    }
    // What the next frame's present must show.
    if (!rgb) rgb = SDL_CreateRGBSurface(SDL_SWSURFACE, screen->w, screen->h, 32, 0xFF0000, 0xFF00, 0xFF, 0);
    SDL_BlitSurface(screen, nullptr, rgb, nullptr);
    player.AfterFrame(e);
    // With its last step done, the player finds the replay over while the game goes on.
    report.replayPassed = player.StepsDone() == replay.steps.size();
    if (player.Failed() && !report.replayPassed)
      snprintf(report.first, sizeof report.first, "%s", player.Failure().reason.c_str());
    if (player.Failed() || report.replayPassed) Report(channel, report);
  };
  // The demo goes on from its newest save: each run starts from none, in a folder of its own.
  setenv("QUILLON_SAVE_DIR", (shots + "-saves").c_str(), 1);
  if (x && chdir(QUILLON_BINARY_DIR "/demo") == 0) RunEngine(engine);
  Report(channel, report);
}

// Runs PlayOpening in a child process; a hung run is killed.
WindowReport PlayOpeningInChild(const std::string& display, const std::string& shots, int scale) {
  int channel[2];
  if (pipe(channel) != 0) return {};
  pid_t child = fork();
  if (child == 0) {
    close(channel[0]);
    PlayOpening(display, shots, scale, channel[1]);
  }
  close(channel[1]);
  WindowReport report;
  Finish(child, 60 * scale);  // a larger window takes longer to read back
  if (read(channel[0], &report, sizeof report) != sizeof report) report = WindowReport{};
  close(channel[0]);
  return report;
}

TEST(PresentInWindow, TheWindowShowsWhatAWholePresentWouldThroughTheDemosOpening) {
  TempDir dir;
  VirtualDisplay display(dir.Path("xvfb"), "1920x1440x24");
  ASSERT_FALSE(display.name.empty()) << "Xvfb did not start (installed by scripts/setup.sh)";
  for (int scale : {1, 2, 3}) {
    WindowReport report = PlayOpeningInChild(display.name, dir.Path("shots-" + std::to_string(scale)), scale);
    EXPECT_TRUE(report.replayPassed) << scale << ": " << report.first;
    EXPECT_GT(report.frames, 300) << scale;
    EXPECT_GT(report.compared, report.frames * 3 / 4) << scale;
    EXPECT_EQ(report.differing, 0) << "scale " << scale << ": " << report.first;
    EXPECT_GT(report.partial, report.compared / 10) << scale;
  }
  // A scaled window may have another depth than the game's; the game's screen
  // draws as it does unscaled, byte for byte. (Until the first click the
  // pointer rests where the display put it: another game pixel at each scale.)
  int shots = 0;
  for (const auto& shot : std::filesystem::directory_iterator(dir.Path("shots-1"))) {
    std::string name = shot.path().filename().string();
    if (name == "01-language.bmp") continue;
    for (const char* scaled : {"shots-2/", "shots-3/"})
      EXPECT_TRUE(ReadFile(shot.path().string()) == ReadFile(dir.Path(scaled + name))) << scaled << name;
    ++shots;
  }
  EXPECT_GT(shots, 0);
}

}  // namespace
