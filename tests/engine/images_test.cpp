// Image loading: log lines, the registry, the magenta colour key, and releases.
#include <gtest/gtest.h>

#include "engine/game_fixtures.h"
#include "scene/adventure_object.h"

namespace {

// A background loaded again is read anew from disk; the cursor keeps its
// picture through failed loads; shutdown frees every image, so the registry
// is read in the frames.
TEST(Images, LoadsLogTheirLinesAndOnlyABackgroundIsReadAgain) {
  GameHarness game;
  SaveBmp(Paint(640, 480, kBlue), game.Path("bg.bmp"));
  SDL_Surface* blue = Paint(4, 4, kBlue);
  WriteImagePack(game, "img.dat", {Paint(4, 4, kRed), Palettize(blue, {kBlue})}, {24, 8});
  SDL_FreeSurface(blue);
  game.Write("init.lua",
             "function Init()\n"
             "  LoadBackground('bg.bmp') LoadCursor('bg.bmp')\n"
             "  LoadCursor('img.dat:1') LoadCursor('img.dat:1')\n"
             "  LoadCursor('img.dat:-1') LoadCursor('missing.bmp') LoadCursor('nopack.dat:0')\n"
             "end\n"
             "function Main() Wait(10) LoadBackground('bg.bmp') Wait(10) LoadBackground('gone.bmp') Wait(10) end\n");
  game.stopAfterFrames = 1;
  game.At(1, [&](Engine& e) {
    EXPECT_EQ(e.resources.images.Count(), 2);
    EXPECT_EQ(e.view.cursor.get(), e.resources.images.Get("img.dat:1").get());
    EXPECT_EQ(PixelAt(e.core.screen, 5, 5), kBlue);
    SaveBmp(Paint(640, 480, kGreen), game.Path("bg.bmp"));
  });
  game.At(2, [&](Engine& e) { EXPECT_EQ(PixelAt(e.core.screen, 5, 5), kGreen); });
  game.At(3, [&](Engine& e) {
    EXPECT_EQ(e.view.background, nullptr);
    EXPECT_EQ(e.resources.images.Count(), 1);
  });
  game.Run();
  EXPECT_EQ(game.engine.resources.images.Count(), 0);
  EXPECT_EQ(LogFrom(game.log.Text(), "<<< CALL INIT-FUNCTION >>>\r\n"),
            "<<< CALL INIT-FUNCTION >>>\r\n"
            "lade Bild bg.bmp.....OK\r\n"
            "lade Bild Nr.1 aus img.dat."
            " ........."  // the pack reader's marks for an 8-bit entry
            "....OK\r\n"
            "Fehler beim Laden aus BMP-Pack.\r\nERR\r\n"
            "lade Bild missing.bmp.ERR\r\n"
            "lade Bild Nr.0 aus nopack.dat. .ERR\r\n"
            "<<< CALL MAIN-FUNCTION >>>\r\n"
            "lade Bild bg.bmp.....OK\r\n"
            "lade Bild gone.bmp.ERR\r\n" +
                LogFrom(game.log.Text(), "<<< CALL GAMELOOP >>>"));
}

// An 8-bit strip whose palette holds magenta twice, a 24-bit and a 16-bit one:
// each shows red where it is red and the background where it is magenta.
TEST(Images, MagentaIsTransparentForEverySourceDepth) {
  GameHarness game;
  SDL_Surface* eight = SDL_CreateRGBSurface(0, 20, 10, 8, 0, 0, 0, 0);
  SDL_Color palette[3] = {{255, 0, 255, 0}, {200, 0, 0, 0}, {255, 0, 255, 0}};
  SDL_SetColors(eight, palette, 0, 3);
  SDL_FillRect(eight, nullptr, 0);
  SDL_Rect right = {10, 0, 10, 10};
  SDL_FillRect(eight, &right, 1);
  SDL_Rect corner = {0, 0, 3, 3};
  SDL_FillRect(eight, &corner, 2);  // the second magenta entry
  SaveBmp(eight, game.Path("eight.bmp"));
  SaveBmp(Paint(20, 10, kMagenta, {{10, 0, 10, 10, kRed}}), game.Path("full.bmp"));
  WriteImagePack(game, "img.dat", {Paint(20, 10, kMagenta, {{10, 0, 10, 10, kRed}})}, {16});
  WriteSceneGame(game, "LoadBackground('grey.bmp') MakeObject('o1', '', 100, 20, 'eight.bmp') "
                       "MakeObject('o2', '', 100, 40, 'full.bmp') MakeObject('o3', '', 100, 60, 'img.dat:0')");
  game.stopAfterFrames = 1;
  bool checked = false;
  game.At(1, [&](Engine& e) {
    for (int i = 1; i <= 3; ++i) {
      int y = 20 * i;
      EXPECT_EQ(PixelAt(e.core.screen, 101, y + 1), kGrey) << "object " << i;
      EXPECT_EQ(PixelAt(e.core.screen, 105, y + 5), kGrey) << "object " << i;
      EXPECT_EQ(PixelAt(e.core.screen, 115, y + 5), kRed) << "object " << i;
    }
    checked = true;
  });
  game.Run();
  EXPECT_TRUE(checked);
}

// A released image may be shown by an animation of another object, the
// background and the cursor at once: all of them let go of it.
TEST(Images, AReleasedImageIsDroppedByEveryUser) {
  GameHarness game;
  SaveBmp(Paint(640, 480, kBlue), game.Path("shared.bmp"));
  SaveBmp(Paint(10, 10, kRed), game.Path("other.bmp"));
  game.Write("init.lua",
             "function Init()\n"
             "  LoadBackground('shared.bmp') LoadCursor('shared.bmp') ShowCursor()\n"
             "  CreateObject('a') LoadAnim('a', 'x', 'shared.bmp', 10, 10, 0, 0, 1, 1) SetAnim('a', 'x') Show('a')\n"
             "  CreateObject('b') LoadAnim('b', 'y', 'shared.bmp', 10, 10, 0, 0, 1, 1) SetAnim('b', 'y') Show('b')\n"
             "  LoadAnim('b', 'z', 'other.bmp', 10, 10, 0, 0, 1, 1)\n"
             "end\n"
             "function Main() UnloadAnim('a', 'x') Wait(30) ReloadAnim('b', 'y') Wait(30) end\n");
  game.stopAfterFrames = 1;
  SDL_Surface* reloaded = nullptr;
  game.At(2, [&](Engine& e) {
    AdventureObject* b = e.cast.objects.Get("b");
    EXPECT_EQ(e.view.background, nullptr);
    EXPECT_EQ(e.view.cursor.get(), nullptr);
    EXPECT_EQ(e.cast.objects.Get("a")->animations.Get("x")->image.get(), nullptr);
    EXPECT_EQ(b->animations.Get("y")->image.get(), nullptr);
    EXPECT_NE(b->animations.Get("z")->image.get(), nullptr);
    EXPECT_EQ(e.resources.images.Count(), 1);  // other.bmp
  });
  game.At(4, [&](Engine& e) {
    reloaded = e.cast.objects.Get("b")->animations.Get("y")->image;
    EXPECT_EQ(e.resources.images.Get("shared.bmp").get(), reloaded);
    EXPECT_EQ(e.cast.objects.Get("a")->animations.Get("x")->image.get(), nullptr);  // until it reloads itself
  });
  game.Run();
  EXPECT_NE(reloaded, nullptr);
  EXPECT_EQ(LogFrom(game.log.Text(), "<<< CALL MAIN-FUNCTION >>>\r\n").find("lade Bild shared.bmp.....OK\r\n"),
            std::string("<<< CALL MAIN-FUNCTION >>>\r\n").size());
}

}  // namespace
