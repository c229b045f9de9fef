// The player's window: scaling by whole pixels, the full-screen fall-back,
// and the keys a game lets end it.
#include <gtest/gtest.h>

#include <cstring>
#include <tuple>
#include <vector>

#include "core/input_events.h"
#include "engine/game_fixtures.h"

namespace {

// The LOOK verb and the door clicked through a window scale times the screen;
// the screen's pixels at frame 20, and whether the window showed them enlarged.
struct ScaledRun {
  std::string log;
  std::vector<Uint32> screen;
  int windowWidth = 0;
  bool windowShowsScreen = true;
};

ScaledRun RunScaled(int scale) {
  GameHarness game;
  WriteSceneGame(game, "LoadSystemFont('font.bmp', 8, 10, 430)\n" + std::string(kHeroScene) +
                           "MakeObject('door', 'Door', 100, 100)");
  game.engine.player.scale = scale;
  RunSteps(game, {FormatText("click %d %d", 230 * scale, 405 * scale),  // LOOK, then the door
                  FormatText("click %d %d", 105 * scale, 105 * scale)});
  ScaledRun run;
  game.At(20, [&](Engine& e) {
    SDL_Surface* screen = e.core.screen;
    SDL_Surface* window = e.window.surface ? e.window.surface : screen;
    run.windowWidth = window->w;
    for (int y = 0; y < screen->h; ++y)
      for (int x = 0; x < screen->w; ++x) {
        Uint32 pixel = GetPixel(screen, x, y);
        run.screen.push_back(pixel);
        // The frame is still, so the window shows this frame's picture.
        for (int corner : {0, scale - 1})
          if (GetPixel(window, x * scale + corner, y * scale + corner) != pixel) run.windowShowsScreen = false;
      }
  });
  game.stopAfterFrames = 21;
  EXPECT_EQ(game.Run(), 0);
  run.log = game.log.Text();
  return run;
}

TEST(PlayerWindow, AScaledWindowShowsTheSameScreenAndMapsClicksBack) {
  ScaledRun plain = RunScaled(1);
  ASSERT_NE(plain.log.find("EVENT LOOK [door] []"), std::string::npos) << plain.log;
  for (int scale : {2, 3}) {
    SCOPED_TRACE(scale);
    ScaledRun scaled = RunScaled(scale);
    EXPECT_EQ(scaled.log, plain.log);  // the start-up report too: the game sees 640 x 480
    EXPECT_EQ(scaled.windowWidth, 640 * scale);
    EXPECT_TRUE(scaled.screen == plain.screen);
    EXPECT_TRUE(scaled.windowShowsScreen);
  }
}

TEST(PlayerWindow, ARefusedFullScreenFallsBackToAWindowOfTheSameSize) {
  // SetScreen's "FULLSCREEN" refused by the switch; the player's at scale 2
  // refused by the switch; a mode the display does not offer is never tried.
  const std::tuple<bool, bool, const char*> cases[] = {
      {false, true, "320x240 not possible (no modes here)"},
      {true, true, "640x480 not possible (no modes here)"},
      {false, false, "320x240 not possible (the display offers no such mode)"},
  };
  for (const auto& [byPlayer, offered, line] : cases) {
    GameHarness game;
    game.Write("conf.lua", byPlayer ? "SetScreen(320, 240, 24, 'WINDOW')" : "SetScreen(320, 240, 24, 'FULLSCREEN')");
    game.Write("init.lua", "function Init() end function Main() end");
    game.engine.player.fullscreen = byPlayer;
    game.engine.player.scale = byPlayer ? 2 : 1;
    std::vector<Uint32> asked;
    game.engine.window.offersVideoMode = [offered = offered](int, int, int, Uint32) { return offered; };
    game.engine.window.openVideoMode = [&](int w, int h, int depth, Uint32 flags) -> SDL_Surface* {
      asked.push_back(flags & SDL_FULLSCREEN);
      if (flags & SDL_FULLSCREEN) return SDL_SetError("no modes here"), nullptr;
      return SDL_SetVideoMode(w, h, depth, flags);
    };
    game.stopAfterFrames = 2;
    EXPECT_EQ(game.Run(), 0);
    EXPECT_EQ(asked, offered ? std::vector<Uint32>({SDL_FULLSCREEN, 0}) : std::vector<Uint32>({0}));
    std::string log = game.log.Text();
    EXPECT_NE(log.find(std::string("INIT SDL...Fullscreen ") + line + ": opening a window of that size\r\n"),
              std::string::npos) << log;
    EXPECT_NE(log.find("Fullscreen-Mode ?                                    :0"), std::string::npos);
    EXPECT_NE(log.find("CLEANUP...OK"), std::string::npos);
  }
}

TEST(QuitKeys, AGameChoosesWhichKeysEndIt) {
  const std::tuple<const char*, SDLKey, bool> cases[] = {  // set-up, key, whether it quits
      {"", SDLK_SPACE, true},  // the designed default: every key but F5, and the close event
      {"", SDLK_ESCAPE, true},
      {"", SDLK_LSHIFT, true},
      {"", SDLK_F5, false},  // which reloads the scene in debug mode only
      {"", SDLK_UNKNOWN, true},
      {"SetQuitKeys('ESCAPE')", SDLK_SPACE, false},
      {"SetQuitKeys('ESCAPE')", SDLK_ESCAPE, true},
      {"SetQuitKeys('escape', 'Q')", SDLK_q, true},
      {"SetQuitKeys('ESCAPE') SetQuitKeys()", SDLK_SPACE, true},
      {"SetQuitKeys('F5')", SDLK_F5, false},
      {"SetQuitKeys('ESCAP')", SDLK_ESCAPE, false},
  };
  for (const auto& [setUp, key, quits] : cases) {
    SCOPED_TRACE(std::string(setUp) + " " + SDL_GetKeyName(key));
    GameHarness game;
    game.Write("conf.lua", "");
    game.Write("init.lua", std::string("function Init() ") + setUp + " end function Main() end");
    game.At(3, [key = key](Engine&) { key == SDLK_UNKNOWN ? PushQuit() : PushKeyDown(key); });
    game.stopAfterFrames = 10;
    EXPECT_EQ(game.Run(), 0);
    EXPECT_EQ(game.engine.timing.frameCounter, quits ? 4u : 10u);
    EXPECT_EQ(game.log.Text().find("<<< DeInit Scene >>>"), std::string::npos);
    EXPECT_EQ(game.log.Errors(), std::strstr(setUp, "ESCAP'") ? "SetQuitKeys: no key is called \"ESCAP\"\n" : "");
  }
}

}  // namespace
