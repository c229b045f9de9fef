// The engine in a web page: the canvas shows SDL's own surface, drawn by
// SDL's own blitters, and the page's input becomes SDL events. The rest of
// the engine does not know it runs in a browser.
#ifdef __EMSCRIPTEN__
#include "core/browser.h"

#include <emscripten.h>

#include <algorithm>

#include "core/input_events.h"
#include "engine/engine.h"
#include "save/save_game.h"

void HandBackToBrowser(Engine& engine) {
  // A scaled window is SDL's video surface, the enlarged picture.
  const SDL_Surface* shown = engine.window.surface ? engine.window.surface : engine.core.screen;
  if (shown) {
    const SDL_PixelFormat* f = shown->format;
    EM_ASM({ Module.quillonShow($0, $1, $2, $3, $4, $5, $6, $7, $8, $9, $10); }, shown->pixels, shown->w,
           shown->h, shown->pitch, f->BytesPerPixel, f->Rshift, f->Gshift, f->Bshift, f->Rloss, f->Gloss,
           f->Bloss);
  }
  // The page's handlers reach the engine through this (QuillonPageHidden).
  EM_ASM({ Module.quillonEngine = $0; }, &engine);
  // Under Asyncify the engine's stack waits here while the page runs.
  emscripten_sleep(0);
}

// The page's input, in window pixels; SDL's event queue is the process's own.
extern "C" {

EMSCRIPTEN_KEEPALIVE void QuillonPointerMoved(int x, int y) { MovePointer(x, y); }

EMSCRIPTEN_KEEPALIVE void QuillonButton(int pressed, int button, int x, int y) {
  MovePointer(x, y);
  PushButton(pressed ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP, static_cast<Uint8>(button), x, y);
}

EMSCRIPTEN_KEEPALIVE void QuillonKeyDown(int key, int shift) {
  PushKey(SDL_KEYDOWN, static_cast<SDLKey>(key), shift ? KMOD_LSHIFT : KMOD_NONE);
}

// A key coming up matters to a game that freed its keys: an arrow or H stops being held.
EMSCRIPTEN_KEEPALIVE void QuillonKeyUp(int key) { PushKey(SDL_KEYUP, static_cast<SDLKey>(key), KMOD_NONE); }

// The page's first gamepad (the browser's Gamepad API, standard mapping), as
// SDL's joystick events: kind 0 an axis and its value (-32767 to 32767),
// kind 1 a button going down (value 1) or up (0).
EMSCRIPTEN_KEEPALIVE void QuillonGamepad(int kind, int index, int value) {
  SDL_Event event = {};
  if (kind == 0) {
    event.type = event.jaxis.type = SDL_JOYAXISMOTION;
    event.jaxis.axis = static_cast<Uint8>(index);
    event.jaxis.value = static_cast<Sint16>(std::clamp(value, -32767, 32767));
  } else {
    event.type = event.jbutton.type = value ? SDL_JOYBUTTONDOWN : SDL_JOYBUTTONUP;
    event.jbutton.button = static_cast<Uint8>(index);
    event.jbutton.state = value ? SDL_PRESSED : SDL_RELEASED;
  }
  SDL_PushEvent(&event);
}

// A long touch shows the hotspots until the finger is lifted.
EMSCRIPTEN_KEEPALIVE void QuillonRevealHotSpots(Engine* engine, int shown) {
  if (engine) engine->input.revealHeld = shown != 0;
}

// The page is hidden (another tab, a minimised window) or its tab is closing.
// A browser may end a hidden page without another frame, so the game's
// autosave is written now; closing the tab is also the window's close button.
// Called between frames only, while the engine waits in HandBackToBrowser.
EMSCRIPTEN_KEEPALIVE void QuillonPageHidden(Engine* engine, int closing) {
  if (engine) AutosaveNow(*engine);
  if (closing) PushQuit();
}
}

#endif
