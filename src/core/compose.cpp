// Frame composition: depth sort, hero-following scroll, and the layers of the frame.
#include "core/compose.h"

#include <cmath>
#include <cstdint>
#include <stdexcept>

#include "core/hotspot_reveal.h"
#include "core/present.h"
#include "core/window.h"
#include "engine/engine.h"
#include "resources/image_blit.h"
#include "resources/images.h"
#include "scene/adventure_object.h"
#include "scene/animation.h"
#include "scene/depth_scale.h"
#include "scene/draw_objects.h"
#include "script/script_args.h"
#include "script/script_functions.h"
#include "text/speech.h"
#include "ui/decisions.h"
#include "ui/inventory.h"
#include "ui/menus.h"
#include "util/log.h"
#include "util/numbers.h"

namespace {

bool OutOfOrder(const Registry<AdventureObject>& objects, int i) {
  return FootLine(*objects.ValueAt(i)) > FootLine(*objects.ValueAt(i + 1));
}


void DrawBackground(Engine& engine) {
  if (SDL_Surface* background = engine.view.background) {
    SDL_Rect at = {Clip16(engine.view.scrollX), 0, 0, 0};
    BlitImage(engine, background, nullptr, engine.core.screen, &at);
  }
}

void DrawCursor(Engine& engine) {
  if (engine.view.cursorVisible && engine.view.cursor) {
    SDL_Rect at = {Clip16(engine.input.mouseX), Clip16(engine.input.mouseY), 0, 0};
    BlitImage(engine, engine.view.cursor, nullptr, engine.core.screen, &at);
  }
}

}  // namespace

bool IsSorted(Engine& engine) {
  auto& objects = engine.cast.objects;
  bool sorted = true;
  int i = 0;
  bool failed = false;
  GuardedWith(
      [&] {
        failed = true;
        return FormatText("Exception catched in IsSorted(): i=%i\r\n", i);
      },
      [&] {
        for (i = 0; i < objects.Count() - 1; ++i)
          if (OutOfOrder(objects, i)) sorted = false;
      });
  if (failed) objects.Print();
  return sorted;
}

void SortForDepth(Engine& engine) {
  auto& objects = engine.cast.objects;
  // Stable: equal foot lines keep their earlier order. From one frame to the
  // next the order barely changes, so an object moved back past those it now
  // stands behind costs little more than the one check of the whole order.
  if (!IsSorted(engine)) {
    for (int i = 1; i < objects.Count(); ++i)
      for (int j = i; j > 0 && OutOfOrder(objects, j - 1); --j) objects.Swap(j - 1, j);
  }
  FollowHero(engine);
}

void FollowHero(Engine& engine) {
  AdventureObject* hero = engine.cast.hero;
  SDL_Surface* background = engine.view.background;
  if (!hero || !background) return;
  int& scrollX = engine.view.scrollX;
  int half = engine.core.screenWidth / 2;
  double heroScreenX = scrollX + static_cast<double>(hero->x);
  if (heroScreenX >= half && background->w + scrollX > engine.core.screenWidth) {
    scrollX = TruncateToInt(half - static_cast<double>(hero->x));
  } else if (heroScreenX <= half && scrollX < 0) {
    scrollX = TruncateToInt(half - static_cast<double>(hero->x));
  }
}

// The menu with the action sentence and the inventory give way to the
// decision options while a decision is made.
const FrameLayer kFrameLayers[] = {
    {"background", DrawBackground},
    {"objects, by foot line", DrawObjects},
    {"speech", BlitSpeech},
    {"menu and action sentence", [](Engine& e) { if (!e.input.decisionMode) BlitMenu(e); }},
    {"inventory", [](Engine& e) { if (!e.input.decisionMode) BlitInventory(e); }},
    {"decisions", [](Engine& e) { if (e.input.decisionMode) BlitDecisions(e); }},
    {"cursor", DrawCursor},
    {"hotspots", DrawHotSpotReveal},
};
const int kFrameLayerCount = sizeof kFrameLayers / sizeof kFrameLayers[0];

void PresentAndCompose(Engine& engine) {
  Guarded("Exception catched in Blit()\r\n", [&] {
    SDL_Surface* screen = engine.core.screen;
    if (!screen) throw std::runtime_error("no screen");
    // The screen still holds the frame composed last time: the window gets
    // it now, just before the next one is drawn over it.
    Present(engine);
    for (const FrameLayer& layer : kFrameLayers) layer.draw(engine);
    if (engine.core.fullscreen) SDL_Flip(screen);
  });
}

int lua_ShowCursor(lua_State* L) {
  EngineOf(L).view.cursorVisible = true;
  return 0;
}

int lua_HideCursor(lua_State* L) {
  EngineOf(L).view.cursorVisible = false;
  return 0;
}

// How far the view has scrolled to the right: the scene x at the screen's left
// edge. The engine keeps the opposite, the shift from scene to screen. Negated
// as a whole number (a double would give -0), in 64 bits (INT_MIN has no int opposite).
int lua_GetScroll(lua_State* L) {
  lua_pushnumber(L, static_cast<lua_Number>(-int64_t{EngineOf(L).view.scrollX}));
  return 1;
}

int lua_LoadBackground(lua_State* L) {
  Engine& engine = EngineOf(L);
  GuardedCall(L, [&] {
    std::string address = ArgString(L, 1);
    ViewState& view = engine.view;
    if (view.background && !view.backgroundName.empty()) {
      view.background = nullptr;
      // Anything else showing this image lets go of it too.
      ReleaseImage(engine, view.backgroundName);
    }
    view.background = LoadImage(engine, address);
    view.backgroundName = address;
  });
  return 0;
}

int lua_LoadCursor(lua_State* L) {
  Engine& engine = EngineOf(L);
  GuardedCall(L, [&] {
    if (ImageRef cursor = LoadImage(engine, ArgString(L, 1))) engine.view.cursor = cursor;
  });
  return 0;
}
