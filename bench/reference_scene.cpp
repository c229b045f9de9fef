// The reference scene: pictures drawn pixel by pixel, scripts that build the scene.
#include "reference_scene.h"

#include <SDL/SDL.h>

extern "C" {
#include <lauxlib.h>
}

#include <cstdio>
#include <fstream>
#include <functional>
#include <stdexcept>

#include "engine/engine.h"
#include "resources/pixels.h"
#include "scene/adventure_object.h"

namespace {

struct Colour {
  Uint8 r, g, b;
};
const Colour kMagenta = {255, 0, 255};

using Painter = std::function<Colour(int x, int y)>;

void SavePicture(const std::string& path, int w, int h, const Painter& paint) {
  SDL_Surface* s = SDL_CreateRGBSurface(SDL_SWSURFACE, w, h, 24, 0xFF0000, 0x00FF00, 0x0000FF, 0);
  if (!s) throw std::runtime_error("no surface for " + path);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      Colour c = paint(x, y);
      PutPixel(x, y, SDL_MapRGB(s->format, c.r, c.g, c.b), s);
    }
  int saved = SDL_SaveBMP(s, path.c_str());
  SDL_FreeSurface(s);
  if (saved != 0) throw std::runtime_error("cannot save " + path);
}

// A figure in a 64 x 128 frame: head, body and two legs that swing with the
// frame; the rest (about 43 %) is magenta.
Colour Figure(int x, int y, int frame, int variant) {
  int c = 32;
  bool inside = false;
  if (y < 31) {
    inside = x >= c - 10 && x < c + 10;
  } else if (y < 86) {
    inside = x >= c - 24 && x < c + 24;
  } else {
    int swing = (frame % 4 - 1) * 3;
    inside = (x >= c - 20 + swing && x < c - 4 + swing) || (x >= c + 4 - swing && x < c + 20 - swing);
  }
  if (!inside) return kMagenta;
  return {static_cast<Uint8>(40 + variant * 20 + (x & 15)), static_cast<Uint8>(90 + y / 2),
          static_cast<Uint8>(60 + ((x * 3 + y + frame * 17) & 127))};
}

void SaveStrip(const std::string& path, int variant) {
  SavePicture(path, 4 * 64, 128, [variant](int x, int y) { return Figure(x % 64, y, x / 64, variant); });
}

// Font layout: a marker before every cell, cells 7 pixels wide for codes 1 to
// 127, two bands of 14 rows (13 drawn); glyph pixels are scattered over each
// cell so that every glyph is a handful of short runs.
const int kCellWidth = 7;
const int kCellHeight = 14;
const int kCells = 127;

Colour FontPixel(int x, int y) {
  const Colour marker = {255, 0, 0}, background = {0, 128, 128};
  int band = y / kCellHeight, row = y % kCellHeight;
  if (y == 0) return x % (kCellWidth + 1) == 0 ? marker : background;
  if (row == 0 || x % (kCellWidth + 1) == 0) return background;
  int code = x / (kCellWidth + 1) + 1, column = x % (kCellWidth + 1) - 1;
  unsigned hash = static_cast<unsigned>(code * 131 + column * 31 + row * 17) * 2654435761u;
  if (code == ' ' || (hash >> 28) < 7 || row > 11) return background;
  return band == 0 ? Colour{255, 255, 255} : Colour{255, 230, 90};
}

void WriteText(const std::string& path, const std::string& text) {
  std::ofstream out(path, std::ios::binary);
  out << text;
  if (!out) throw std::runtime_error("cannot write " + path);
}

const char* kSpeech =
    "Dies ist ein langer Satz, der in drei Zeilen umbrochen wird, damit der Kasten gross genug ist "
    "und viele Buchstaben hat.";

const char* kVerbs[10] = {"WALK", "TALK", "TAKE", "GIVE", "USE", "OPEN", "CLOSE", "PUSH", "PULL", "LOOK"};

}  // namespace

void WriteReferenceGame(const std::string& folder, int depth) {
  std::string at = folder + "/";
  SavePicture(at + "bg.bmp", 1280, 480, [](int x, int y) {
    return Colour{static_cast<Uint8>((x * 7) ^ (y * 3)), static_cast<Uint8>(40 + (x + y) % 200),
                  static_cast<Uint8>(x / 5)};
  });
  for (int v = 0; v < 10; ++v) SaveStrip(at + "strip" + std::to_string(v) + ".bmp", v);
  SaveStrip(at + "hero.bmp", 11);
  SavePicture(at + "menu.bmp", 640, 100, [](int x, int y) {
    bool corner = (x < 8 || x >= 632) && y < 8;
    return corner ? kMagenta : Colour{static_cast<Uint8>(60 + y), 50, static_cast<Uint8>(30 + x / 8)};
  });
  for (int b = 0; b < 10; ++b)
    SavePicture(at + "button" + std::to_string(b) + ".bmp", 120, 28, [b](int x, int y) {
      bool lit = x >= 60;
      int fx = x % 60;
      if ((fx < 3 || fx > 56) && (y < 3 || y > 24)) return kMagenta;
      return Colour{static_cast<Uint8>(lit ? 220 : 120), static_cast<Uint8>(100 + b * 10), static_cast<Uint8>(fx * 4)};
    });
  for (int i = 0; i < 4; ++i)
    SavePicture(at + "icon" + std::to_string(i) + ".bmp", 34, 34, [i](int x, int y) {
      int dx = x - 17, dy = y - 17;
      if (dx * dx + dy * dy > 15 * 15) return kMagenta;
      return Colour{static_cast<Uint8>(70 + i * 40), static_cast<Uint8>(200 - y * 3), static_cast<Uint8>(x * 7)};
    });
  SavePicture(at + "cursor.bmp", 16, 16, [](int x, int y) {
    return x <= y && x + y < 24 ? Colour{250, 250, 250} : kMagenta;
  });
  SavePicture(at + "font.bmp", 1 + kCells * (kCellWidth + 1), 2 * kCellHeight, FontPixel);

  char conf[80];
  std::snprintf(conf, sizeof conf, "SetScreen(640, 480, %d, 'WINDOW')\n", depth);
  WriteText(at + "conf.lua", conf);

  // The scripts get only the base library, so every number is worked out here.
  std::string init = "function Init()\n"
                     "  LoadBackground('bg.bmp')\n"
                     "  LoadSystemFont('font.bmp', 14, 10, 456)\n"
                     "  LoadTalkFont('font.bmp', 14, 280)\n";
  char line[400];
  for (int i = 0; i < 30; ++i) {
    std::snprintf(line, sizeof line,
                  "  CreateObject('obj%d') SetName('obj%d', 'Ding %d')\n"
                  "  LoadAnim('obj%d', 'a', 'strip%d.bmp', 64, 128, 32, 120, 4, %d) PlayAnim('obj%d', 'a', 'LOOP')\n"
                  "  SetPos('obj%d', %d, %d) Show('obj%d')\n",
                  i, i, i, i, i % 10, 6 + i % 5, i, i, 20 + i * 41, 180 + (i * 37) % 200, i);
    init += line;
  }
  init +=
      "  CreateObject('hero') SetName('hero', 'Held')\n"
      "  LoadAnim('hero', 'walk', 'hero.bmp', 64, 128, 32, 124, 4, 10) PlayAnim('hero', 'walk', 'LOOP')\n"
      "  SetPos('hero', 100, 300) SetSpeed('hero', 300) SetHero('hero') Show('hero')\n"
      "  Goto('hero', 1180, 300)\n"
      "  SetTextColor('obj3', 1)\n"
      "  SayText('obj3', SPEECH)\n"
      "  LoadMenuBackground('menu.bmp', 0, 380) ShowMenuBackground()\n";
  for (int b = 0; b < 10; ++b) {
    std::snprintf(line, sizeof line, "  CreateMenuButton('%s', 'button%d.bmp', 'Verb%d', 60, 28, %d, %d) ShowMenuButton('%s')\n",
                  kVerbs[b], b, b + 1, 8 + 62 * (b % 5), 386 + 32 * (b / 5), kVerbs[b]);
    init += line;
  }
  init += "  SetActiveButton('LOOK')\n"
          "  DefineInventory(330, 388, 34, 34, 4)\n";
  for (int i = 1; i <= 8; ++i) {
    std::snprintf(line, sizeof line,
                  "  CreateObject('item%d') SetName('item%d', 'Sache %d')\n"
                  "  LoadInventoryIcon('item%d', 'icon%d.bmp') AddToInventory('item%d')\n",
                  i, i, i, i, (i - 1) % 4, i);
    init += line;
  }
  init += "  LoadCursor('cursor.bmp') ShowCursor()\n"
          "end\n"
          "function Main() end\n"
          "function Event(verb, first, second) end\n";
  WriteText(at + "init.lua", std::string("SPEECH = '") + kSpeech + "'\n" + init);
}

void KeepReferenceSceneGoing(Engine& engine) {
  engine.input.mouseX = kReferencePointerX;
  engine.input.mouseY = kReferencePointerY;
  lua_State* L = engine.script.L;
  AdventureObject* hero = engine.cast.hero;
  if (hero && !hero->moving)
    luaL_dostring(L, hero->x > 640 ? "Goto('hero', 100, 300)" : "Goto('hero', 1180, 300)");
  AdventureObject* speaker = engine.cast.objects.Get("obj3");
  if (speaker && !speaker->talking) luaL_dostring(L, "SayText('obj3', SPEECH)");
}
