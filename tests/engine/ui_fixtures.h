// A small interactive scene for the interaction tests: verb buttons, objects, an inventory.
#pragma once

#include <string>

#include "scene_fixtures.h"
#include "support/game_harness.h"

namespace ui_test {

using scene_test::Paint;
using scene_test::WriteBmp;

// A font with a cell for every byte: cells 3 pixels wide, two colour rows of 8.
inline void WriteFullFont(GameHarness& game, const std::string& name) {
  const int cells = 255, cellHeight = 8;
  SDL_Surface* s = Paint(1 + cells * 4, 2 * cellHeight, {0, 0, 0});
  SDL_LockSurface(s);
  Uint32 marker = SDL_MapRGB(s->format, 0, 255, 0);
  Uint32 rows[2] = {SDL_MapRGB(s->format, 255, 255, 255), SDL_MapRGB(s->format, 255, 255, 0)};
  for (int cell = 0; cell <= cells; ++cell) PutPixel(cell * 4, 0, marker, s);
  for (int band = 0; band < 2; ++band)
    for (int cell = 0; cell < cells; ++cell)
      for (int y = 1; y < cellHeight; ++y)
        for (int x = 1; x <= 3; ++x) PutPixel(cell * 4 + x, band * cellHeight + y, rows[band], s);
  SDL_UnlockSurface(s);
  WriteBmp(game, name, s);
}

// Lua helpers shared by the interaction games.
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

// Writes the pictures, the font and a walk map covering the whole screen.
inline void WriteMedia(GameHarness& game) {
  WriteFullFont(game, "font.bmp");
  WriteBmp(game, "red.bmp", Paint(20, 20, scene_test::kRed));
  WriteBmp(game, "blue.bmp", Paint(20, 20, scene_test::kBlue));
  WriteBmp(game, "button.bmp", Paint(40, 10, scene_test::kGrey, {{20, 0, 20, 10, scene_test::kWhite}}));
  WriteBmp(game, "icon.bmp", Paint(30, 30, scene_test::kGreen));
  std::string box;
  for (int v : {0, 0, 639, 0, 639, 479, 0, 479}) {
    box.push_back(static_cast<char>(v & 0xff));
    box.push_back(static_cast<char>(v >> 8));
  }
  game.Write("floor.map", box);
}

// Moves the pointer and clicks there after the given frame.
inline void ClickAt(GameHarness& game, Uint32 frame, int x, int y, Uint8 button = SDL_BUTTON_LEFT) {
  game.At(frame, [x, y, button](Engine&) {
    GameHarness::MoveMouse(x, y);
    GameHarness::Click(x, y, button);
  });
}

}  // namespace ui_test
