// The player's window: scaling by whole pixels, the full-screen fall-back,
// and the keys a game lets end it.
#include <gtest/gtest.h>

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
  ClickAt(game, 3, 230 * scale, 405 * scale);
  ClickAt(game, 6, 105 * scale, 105 * scale);
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
  struct Case {
    const char* mode;  // SetScreen's, in the configuration script
    bool playerFullscreen;
    int scale;
    const char* line;
  } cases[] = {
      {"FULLSCREEN", false, 1, "Fullscreen 320x240 not possible (no modes here): opening a window of that size\r\n"},
      {"WINDOW", true, 2, "Fullscreen 640x480 not possible (no modes here): opening a window of that size\r\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.mode);
    GameHarness game;
    game.Write("conf.lua", std::string("SetScreen(320, 240, 24, '") + c.mode + "')");
    game.Write("init.lua", "function Init() end function Main() end");
    game.engine.player.fullscreen = c.playerFullscreen;
    game.engine.player.scale = c.scale;
    std::vector<Uint32> flagsAsked;
    game.engine.window.openVideoMode = [&](int w, int h, int depth, Uint32 flags) -> SDL_Surface* {
      flagsAsked.push_back(flags & SDL_FULLSCREEN);
      if (flags & SDL_FULLSCREEN) {
        SDL_SetError("no modes here");
        return nullptr;
      }
      return SDL_SetVideoMode(w, h, depth, flags);
    };
    game.stopAfterFrames = 2;
    EXPECT_EQ(game.Run(), 0);
    EXPECT_EQ(flagsAsked, (std::vector<Uint32>{SDL_FULLSCREEN, 0}));
    std::string log = game.log.Text();
    EXPECT_NE(log.find(std::string("INIT SDL...") + c.line), std::string::npos) << log;
    EXPECT_NE(log.find("Fullscreen-Mode ?                                    :0"), std::string::npos);
    EXPECT_NE(log.find("CLEANUP...OK"), std::string::npos);
  }
}

TEST(QuitKeys, AGameChoosesWhichKeysEndIt) {
  struct Case {
    const char* setUp;
    SDLKey key;
    bool quits;
    const char* errors;
  } cases[] = {
      {"", SDLK_SPACE, true, ""},  // the designed default: every key but F5
      {"", SDLK_F5, false, ""},
      {"SetQuitKeys('ESCAPE')", SDLK_SPACE, false, ""},
      {"SetQuitKeys('ESCAPE')", SDLK_ESCAPE, true, ""},
      {"SetQuitKeys('escape', 'Q')", SDLK_q, true, ""},
      {"SetQuitKeys('ESCAPE') SetQuitKeys()", SDLK_SPACE, true, ""},
      {"SetQuitKeys('F5')", SDLK_F5, false, ""},
      {"SetQuitKeys('ESCAP')", SDLK_ESCAPE, false, "SetQuitKeys: no key is called \"ESCAP\"\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.setUp) + " " + SDL_GetKeyName(c.key));
    GameHarness game;
    game.Write("init.lua", std::string("function Init() ") + c.setUp + " end function Main() end");
    SDLKey key = c.key;
    game.At(3, [key](Engine&) { PushKeyDown(key); });
    game.stopAfterFrames = 10;
    EXPECT_EQ(game.Run(), 0);
    EXPECT_EQ(game.engine.timing.frameCounter, c.quits ? 4u : 10u);
    EXPECT_EQ(game.log.Errors().substr(game.log.Errors().find_first_of('\n') + 1), c.errors);
  }
}

}  // namespace
