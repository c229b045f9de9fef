// Input dispatch: hover, the event queue, clicks, keys and the interaction modes.
#include "core/input.h"

#include <SDL/SDL.h>

#include "engine/engine.h"
#include "save/save_game.h"
#include "scene/adventure_object.h"
#include "script/script_args.h"
#include "script/script_host.h"
#include "ui/decisions.h"
#include "ui/inventory.h"
#include "ui/menus.h"
#include "ui/pointer_walk.h"
#include "ui/verbs.h"

namespace {

void HandleClick(Engine& engine) {
  InputState& in = engine.input;
  if (in.interactive) {
    // A button or an item that takes the click ends it with the pressed flag
    // still set: a further release clicks again.
    if (HandleButtonClick(engine)) return;
    if (HandleInventoryClick(engine)) return;
    bool hit = HandleObjectClick(engine);
    if (!hit || engine.walk.target) ClickWalk(engine);
  } else if (engine.ui.decisionPending) {
    PickDecision(engine);
  } else if (engine.timing.waiting && engine.timing.waitKind == "TALKING" && engine.timing.waitObject) {
    engine.timing.waitObject->talking = false;
  }
  in.buttonPressed = false;
}

void HandleKey(Engine& engine, SDLKey key) {
  if (key != SDLK_F5) {
    engine.core.running = false;
    AutosaveOnQuit(engine);
    return;
  }
  if (engine.core.debug && !engine.script.currentScript.empty()) {
    SDL_PumpEvents();
    std::string address = engine.script.currentScript;  // the switch overwrites it
    LoadScriptScene(engine, address);
  }
}

}  // namespace

void HandleEvents(Engine& engine) {
  InputState& in = engine.input;
  if (in.interactive && !engine.timing.waiting) {
    HandleButtonMouseOver(engine);
    HandleInventoryMouseOver(engine);
    HandleObjectMouseOver(engine);
  } else if (in.decisionMode && !engine.timing.waiting) {
    HandleDecisionMouseOver(engine);
  }
  CheckArrival(engine);

  SDL_Event event;
  while (SDL_PollEvent(&event)) {
    switch (event.type) {
      case SDL_KEYDOWN:
        HandleKey(engine, event.key.keysym.sym);
        break;
      case SDL_MOUSEMOTION:
        // The event's own coordinates are not used: the mouse state is.
        if (in.interactive || in.decisionMode) SDL_GetMouseState(&in.mouseX, &in.mouseY);
        break;
      case SDL_MOUSEBUTTONDOWN:
        in.buttonPressed = true;
        break;
      case SDL_MOUSEBUTTONUP:
        if (in.buttonPressed) {
          in.clickX = event.button.x;
          in.clickY = event.button.y;
          HandleClick(engine);
        }
        break;
      case SDL_QUIT:
        engine.core.running = false;
        AutosaveOnQuit(engine);
        break;
      default:
        break;
    }
  }
}

int lua_SetMode(lua_State* L) {
  Engine& engine = EngineOf(L);
  GuardedCall(L, [&] {
    std::string mode = ArgString(L, 1);
    if (mode == "INTERACT") {
      engine.input.interactive = true;
      engine.input.decisionMode = false;
    } else if (mode == "MOVIE") {
      engine.input.interactive = false;
      engine.input.decisionMode = false;
    } else if (mode == "DECISION") {
      engine.input.interactive = false;
      engine.input.decisionMode = true;
    }
  });
  return 0;
}
