// Frame composition: depth sort, hero-following scroll, and drawing the frame.
#include "core/compose.h"
#include "core/window.h"

#include <cmath>
#include <stdexcept>

#include "core/present.h"
#include "engine/engine.h"
#include "resources/image_blit.h"
#include "resources/images.h"
#include "scene/adventure_object.h"
#include "scene/animation.h"
#include "script/script_args.h"
#include "script/script_functions.h"
#include "text/speech.h"
#include "ui/decisions.h"
#include "ui/inventory.h"
#include "ui/menus.h"
#include "util/log.h"
#include "util/numbers.h"

namespace {

// Scene y of the object's feet: the draw-order key.
int FootLine(const AdventureObject& object) {
  if (object.hotspotPositioning) return TruncateToInt(object.y);
  int hotspotY = object.currentAnimation ? object.currentAnimation->hotspotY : 0;
  return TruncateToInt(object.y + hotspotY);
}

bool OutOfOrder(Hashtable<AdventureObject*>& objects, int i) {
  return FootLine(*objects.ValueAt(i)) > FootLine(*objects.ValueAt(i + 1));
}


void BlitObjects(Engine& engine) {
  Hashtable<AdventureObject*>& objects = engine.scene.objects;
  for (int i = 0; i < objects.Count(); ++i) {
    AdventureObject& object = *objects.ValueAt(i);
    Animation* animation = object.currentAnimation;
    if (!object.visible || !animation || !animation->image) continue;
    SDL_Rect source;
    source.x = Clip16(static_cast<double>(animation->frameWidth) * animation->currentFrame);
    source.y = 0;
    source.w = static_cast<Uint16>(animation->frameWidth);
    source.h = static_cast<Uint16>(animation->image->h);
    int ox = object.hotspotPositioning ? animation->hotspotX : 0;
    int oy = object.hotspotPositioning ? animation->hotspotY : 0;
    SDL_Rect target;
    target.x = Clip16(std::trunc((engine.view.scrollX + object.x) - ox));
    target.y = Clip16(std::trunc(object.y - oy));
    BlitImage(engine, animation->image, &source, engine.core.screen, &target);
  }
}

}  // namespace

bool IsSorted(Engine& engine) {
  Hashtable<AdventureObject*>& objects = engine.scene.objects;
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
  Hashtable<AdventureObject*>& objects = engine.scene.objects;
  if (objects.Count() > 0) {
    // One comparison per check of the whole order: a bubble sort that keeps
    // equal foot lines in their earlier order.
    int last = objects.Count() - 1;
    int i = 0;
    while (!IsSorted(engine)) {
      if (i >= last) i = 0;
      if (OutOfOrder(objects, i)) objects.Swap(i, i + 1);
      ++i;
    }
  }
  FollowHero(engine);
}

void FollowHero(Engine& engine) {
  AdventureObject* hero = engine.scene.hero;
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

void Blit(Engine& engine) {
  Guarded("Exception catched in Blit()\r\n", [&] {
    SDL_Surface* screen = engine.core.screen;
    if (!screen) throw std::runtime_error("no screen");
    Present(engine);
    if (SDL_Surface* background = engine.view.background) {
      SDL_Rect at = {Clip16(engine.view.scrollX), 0, 0, 0};
      BlitImage(engine, background, nullptr, screen, &at);
    }
    BlitObjects(engine);
    BlitSpeech(engine);
    if (!engine.input.decisionMode) {
      BlitMenu(engine);
      BlitInventory(engine);
    } else {
      BlitDecisions(engine);
    }
    if (engine.view.cursorVisible && engine.view.cursor) {
      SDL_Rect at = {Clip16(engine.input.mouseX), Clip16(engine.input.mouseY), 0, 0};
      BlitImage(engine, engine.view.cursor, nullptr, screen, &at);
    }
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
    if (SDL_Surface* cursor = LoadImage(engine, ArgString(L, 1))) engine.view.cursor = cursor;
  });
  return 0;
}
