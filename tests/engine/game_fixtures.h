// Game folders for the engine tests: flat-colour pictures, a font with a cell
// for every byte, and a small interactive scene with verb buttons and a hero.
#pragma once

#include <sstream>
#include <string>
#include <vector>

#include "core/input_events.h"

#include "resources/pack_writer.h"
#include "resources/pixels.h"
#include "scene/adventure_object.h"
#include "support/game_harness.h"
#include "support/pictures.h"
#include "support/walk_map_bytes.h"
#include "util/key_names.h"

// Packs the pictures at the given depths into one image pack of the game folder and frees them.
inline void WriteImagePack(GameHarness& game, const std::string& name, const std::vector<SDL_Surface*>& pictures,
                           const std::vector<int>& depths) {
  std::vector<PackedImage> images(pictures.size());
  for (size_t i = 0; i < pictures.size(); ++i) {
    PackSurface(pictures[i], depths[i], &images[i]);
    SDL_FreeSurface(pictures[i]);
  }
  game.Write(name, BuildImagePack(images));
}

// A font with a cell for every byte: cells 3 pixels wide, a white and a yellow colour row of 8.
inline void WriteFullFont(GameHarness& game, const std::string& name) {
  const int cells = 255, cellHeight = 8;
  SDL_Surface* s = Paint(1 + cells * 4, 2 * cellHeight, kBlack);
  SDL_LockSurface(s);
  Uint32 rows[2] = {SDL_MapRGB(s->format, 255, 255, 255), SDL_MapRGB(s->format, 255, 255, 0)};
  for (int cell = 0; cell <= cells; ++cell) PutPixel(cell * 4, 0, SDL_MapRGB(s->format, 0, 255, 0), s);
  for (int band = 0; band < 2; ++band)
    for (int cell = 0; cell < cells; ++cell)
      for (int y = 1; y < cellHeight; ++y)
        for (int x = 1; x <= 3; ++x) PutPixel(cell * 4 + x, band * cellHeight + y, rows[band], s);
  SDL_UnlockSurface(s);
  SaveBmp(s, game.Path(name));
}

// Lua helpers of the interactive scene: ten verb buttons and KICK at y 400,
// 25 pixels apart (0 WALK ... 9 LOOK, 10 KICK), objects from 20 x 20 pictures,
// and an Event that prints what it gets.
const char kSceneLibrary[] = R"(
verbs = {"WALK", "TALK", "TAKE", "GIVE", "USE", "OPEN", "CLOSE", "PUSH", "PULL", "LOOK"}
function MakeButtons()
  for i, v in ipairs(verbs) do
    CreateMenuButton(v, "button.bmp", v, 20, 10, (i - 1) * 25, 400)
    ShowMenuButton(v)
  end
  CreateMenuButton("CUSTOM", "button.bmp", "KICK", 20, 10, 250, 400)
  ShowMenuButton("KICK")
end
function MakeObject(id, name, x, y, picture)
  CreateObject(id)
  LoadAnim(id, "still", picture or "red.bmp", 20, 20, 0, 0, 1, 1)
  SetAnim(id, "still")
  SetName(id, name)
  SetPos(id, x, y)
  Show(id)
end
function Event(verb, first, second)
  print("EVENT " .. verb .. " [" .. first .. "] [" .. second .. "]")
end
)";

// The buttons, a floor over the whole screen and a blue hero standing at (300, 300).
const char kHeroScene[] =
    "MakeButtons() LoadPathMap('floor.map')\n"
    "MakeObject('hero', 'Hero', 300, 300, 'blue.bmp') SetHero('hero') SetSpeed('hero', 1000)\n";

// Writes the pictures, the font, the floor and an init.lua of the scene
// library, an Init running init, an empty Main and then more.
inline void WriteSceneGame(GameHarness& game, const std::string& init, const std::string& more = "") {
  WriteFullFont(game, "font.bmp");
  SaveBmp(Paint(20, 20, kRed), game.Path("red.bmp"));
  SaveBmp(Paint(20, 20, kBlue), game.Path("blue.bmp"));
  SaveBmp(Paint(40, 10, kGrey, {{20, 0, 20, 10, kWhite}}), game.Path("button.bmp"));
  SaveBmp(Paint(30, 30, kGreen), game.Path("icon.bmp"));
  SaveBmp(Paint(640, 480, kGrey), game.Path("grey.bmp"));
  game.Write("floor.map", MapBytes({Rect(0, 0, 639, 479)}));
  game.Write("init.lua", std::string(kSceneLibrary) + "function Init()\n" + init + "\nend\nfunction Main() end\n" + more);
}

// Input written as rows of steps, one every two frames from frame 3 on (the
// pointer rests a frame before the hover shows):
//   "click X Y", "right X Y", "middle X Y": move there and click with that button
//   "move X Y": move only; "release X Y": move there and release a button never pressed
//   "verb N": click verb button N (0 WALK ... 9 LOOK, 10 KICK)
//   "wait N": let N more frames pass; "lua CODE": run script code
//   "scroll X": scroll the scene to X
//   "sentence", "hero", "path", "pixel X Y": log the action sentence, where the
//   hero stands, the hero's path, or the screen's colour there
//   "key NAME", "keyup NAME": a key goes down or up (NAME as replays write it, SHIFT+ before it)
//   "joy axis|hat|button|buttonup N V": a gamepad event; "pointer": log where the pointer is
inline void RunSteps(GameHarness& game, const std::vector<std::string>& steps) {
  Uint32 frame = 3;
  for (const std::string& step : steps) {
    std::istringstream words(step);
    std::string kind;
    int x = 0, y = 0;
    words >> kind >> x >> y;
    if (kind == "wait") {
      frame += x;
      continue;
    }
    game.At(frame, [step, kind, x, y](Engine& e) {
      std::istringstream rest(step.substr(kind.size()));
      std::string name, part;
      int number = 0, value = 0;
      rest >> name >> number >> value;
      const Uint8 button = kind == "right" ? SDL_BUTTON_RIGHT : kind == "middle" ? SDL_BUTTON_MIDDLE : SDL_BUTTON_LEFT;
      if (kind == "click" || kind == "right" || kind == "middle" || kind == "verb") {
        int px = kind == "verb" ? x * 25 + 5 : x, py = kind == "verb" ? 405 : y;
        GameHarness::MoveMouse(px, py);
        GameHarness::Click(px, py, button);
      } else if (kind == "move" || kind == "release") {
        GameHarness::MoveMouse(x, y);
        if (kind == "release") PushButton(SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT, x, y);
      } else if (kind == "key" || kind == "keyup") {
        SDLKey key = SDLK_UNKNOWN;
        bool shift = name.rfind("SHIFT+", 0) == 0;
        EXPECT_TRUE(KeyFromName(shift ? name.substr(6) : name, &key)) << step;
        PushKey(kind == "key" ? SDL_KEYDOWN : SDL_KEYUP, key, shift ? KMOD_LSHIFT : KMOD_NONE);
      } else if (kind == "joy") {
        SDL_Event event = {};
        if (name == "axis") event.type = SDL_JOYAXISMOTION, event.jaxis.axis = number, event.jaxis.value = value;
        if (name == "hat") event.type = SDL_JOYHATMOTION, event.jhat.hat = 0, event.jhat.value = number;
        if (name == "button" || name == "buttonup") {
          event.type = name == "button" ? SDL_JOYBUTTONDOWN : SDL_JOYBUTTONUP;
          event.jbutton.button = number;
        }
        SDL_PushEvent(&event);
      } else if (kind == "pointer") {
        LogText(FormatText("POINTER %d,%d\n", e.input.mouseX, e.input.mouseY));
      } else if (kind == "lua") {
        Lua(e, step.substr(4));
      } else if (kind == "scroll") {
        e.view.scrollX = x;
      } else if (kind == "path") {
        std::string path = "PATH ";
        for (const WalkPoint& p : e.cast.hero->path) path += FormatText("(%d,%d)", p.x, p.y);
        LogText(path + "\n");
      } else if (kind == "sentence") {
        LogText("SENTENCE [" + e.ui.sentence + "]\n");
      } else if (kind == "hero") {
        LogText(FormatText("HERO %g,%g\n", e.cast.hero->x, e.cast.hero->y));
      } else if (kind == "pixel") {
        std::ostringstream colour;
        colour << PixelAt(e.core.screen, x, y);
        LogText("PIXEL " + colour.str() + "\n");
      } else {
        ADD_FAILURE() << "unknown step: " << step;
      }
    });
    frame += 2;
  }
  game.stopAfterFrames = frame + 1;  // the steps decide how long the game runs
}

// The log of the frames: from the start of the loop to its closing report.
inline std::string FrameLog(const GameHarness& game) {
  std::string text = LogFrom(game.log.Text(), "<<< CALL GAMELOOP >>>\r\n");
  return text.substr(0, text.find("Average FPS")).substr(std::string("<<< CALL GAMELOOP >>>\r\n").size());
}

// One case of the interactive scene: the hero scene with the system font (or
// without), objects made by setUp, the steps, and the frames' log expected.
struct SceneRow {
  std::string setUp;
  std::vector<std::string> steps;
  std::string log;
  bool withFont = true;
};

// floor: walk-map bytes in place of the floor over the whole screen.
inline std::string PlayRow(const SceneRow& row, const std::string& floor = "") {
  GameHarness game;
  WriteSceneGame(game, (row.withFont ? "LoadSystemFont('font.bmp', 8, 10, 430)\n" : "") + std::string(kHeroScene) +
                           row.setUp);
  if (!floor.empty()) game.Write("floor.map", floor);
  RunSteps(game, row.steps);
  game.Run();
  return FrameLog(game);
}

// Plays each row, its set-up after prefix (and on floor, when given), and
// compares the frames' log byte for byte.
inline void ExpectRows(const std::vector<SceneRow>& rows, const std::string& prefix = "",
                       const std::string& floor = "") {
  for (SceneRow row : rows) {
    row.setUp = prefix + row.setUp;
    std::string steps;
    for (const std::string& step : row.steps) steps += step + "; ";
    EXPECT_EQ(PlayRow(row, floor), row.log) << row.setUp << "\n" << steps;
  }
}
