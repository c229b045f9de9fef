// Input dispatch: hover, the event queue, clicks, keys and the interaction modes.
#include "core/input.h"

#include <SDL/SDL.h>

#include <algorithm>
#include <cctype>

#include "core/close_signals.h"
#include "core/pointer_keys.h"
#include "core/window.h"
#include "engine/calm_game.h"
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
#include "util/key_names.h"
#include "util/log.h"

namespace {

void HandleClick(Engine& engine) {
  InputState& in = engine.input;
  KeepCalmGame(engine);  // before the click changes the verb or the selection
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

bool QuitsTheGame(const InputState& in, SDLKey key) {
  return in.anyKeyQuits || std::find(in.quitKeys.begin(), in.quitKeys.end(), key) != in.quitKeys.end();
}

void HandleKey(Engine& engine, SDLKey key) {
  if (key != SDLK_F5) {
    if (QuitsTheGame(engine.input, key)) {
      engine.core.running = false;
      AutosaveOnQuit(engine);
    }
    return;
  }
  if (engine.core.debug && !SceneToReload(engine).empty()) {
    SDL_PumpEvents();
    std::string address = SceneToReload(engine);  // the switch overwrites it
    LoadScriptScene(engine, address);
  }
}

// The window's close button, SIGTERM or SIGINT.
void RequestClose(Engine& engine) {
  engine.core.running = false;
  engine.input.closeRequested = true;
  AutosaveOnQuit(engine);
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

  if (TakeCloseSignal()) RequestClose(engine);
  SDL_Event event;
  while (SDL_PollEvent(&event)) {
    if (HandlePointerInput(engine, event)) continue;
    switch (event.type) {
      case SDL_KEYDOWN:
        HandleKey(engine, event.key.keysym.sym);
        break;
      case SDL_MOUSEMOTION:
        // The event's own coordinates are not used: the mouse state is.
        if (in.interactive || in.decisionMode) {
          SDL_GetMouseState(&in.mouseX, &in.mouseY);
          MapToScreen(engine, &in.mouseX, &in.mouseY);
        }
        break;
      case SDL_MOUSEBUTTONDOWN:
        in.buttonPressed = true;
        break;
      case SDL_MOUSEBUTTONUP:
        if (in.buttonPressed) {
          int x = event.button.x, y = event.button.y;
          MapToScreen(engine, &x, &y);
          engine.frame.clickX = static_cast<Uint16>(x);
          engine.frame.clickY = static_cast<Uint16>(y);
          HandleClick(engine);
        }
        break;
      case SDL_QUIT:
        RequestClose(engine);
        break;
      default:
        break;
    }
  }
  MovePointerWhileHeld(engine);
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
    } else {
      static const char* const kModes[] = {"INTERACT", "MOVIE", "DECISION"};
      DiagnoseWord(engine, "mode", mode, kModes);
    }
  });
  return 0;
}

// Names are those of replay files, in any case. A name that names no key is
// left out and told on standard error; with names but none of them a key,
// no key ends the game (the window's close button still does).
int lua_SetQuitKeys(lua_State* L) {
  Engine& engine = EngineOf(L);
  GuardedCall(L, [&] {
    int count = lua_gettop(L);
    std::vector<SDLKey> keys;
    for (int i = 1; i <= count; ++i) {
      std::string written = ArgString(L, i);
      std::string name = written;
      std::transform(name.begin(), name.end(), name.begin(), [](unsigned char c) { return std::toupper(c); });
      SDLKey key;
      if (KeyFromName(name, &key)) {
        keys.push_back(key);
      } else {
        ErrorText("SetQuitKeys: no key is called \"" + written + "\"\n");
      }
    }
    engine.input.anyKeyQuits = count == 0;
    engine.input.quitKeys = keys;
  });
  return 0;
}
