// Input as a player's would arrive: pointer moves and button, key and close events in SDL's queue.
#include "core/input_events.h"

#include <initializer_list>

void MovePointer(int x, int y) { SDL_WarpMouse(static_cast<Uint16>(x), static_cast<Uint16>(y)); }

void PushButton(Uint8 type, Uint8 button, int x, int y) {
  SDL_Event event = {};
  event.type = event.button.type = type;
  event.button.button = button;
  event.button.state = type == SDL_MOUSEBUTTONDOWN ? SDL_PRESSED : SDL_RELEASED;
  event.button.x = static_cast<Uint16>(x);
  event.button.y = static_cast<Uint16>(y);
  SDL_PushEvent(&event);
}

void PushClick(Uint8 button, int x, int y) {
  PushButton(SDL_MOUSEBUTTONDOWN, button, x, y);
  PushButton(SDL_MOUSEBUTTONUP, button, x, y);
}

void PushKeyDown(SDLKey key) { PushKey(SDL_KEYDOWN, key, KMOD_NONE); }

void PushKey(Uint8 type, SDLKey key, SDLMod modifiers) {
  SDL_Event event = {};
  event.type = event.key.type = type;
  event.key.state = type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
  event.key.keysym.sym = key;
  event.key.keysym.mod = modifiers;
  SDL_PushEvent(&event);
}

void PushGamepadButton(bool down, Uint8 button) {
  SDL_Event event = {};
  event.type = event.jbutton.type = down ? SDL_JOYBUTTONDOWN : SDL_JOYBUTTONUP;
  event.jbutton.button = button;
  event.jbutton.state = down ? SDL_PRESSED : SDL_RELEASED;
  SDL_PushEvent(&event);
}

void PushGamepadStick(Sint16 x, Sint16 y) {
  for (Uint8 axis : {0, 1}) {
    SDL_Event event = {};
    event.type = event.jaxis.type = SDL_JOYAXISMOTION;
    event.jaxis.axis = axis;
    event.jaxis.value = axis == 0 ? x : y;
    SDL_PushEvent(&event);
  }
}

void PushQuit() {
  SDL_Event event = {};
  event.type = SDL_QUIT;
  SDL_PushEvent(&event);
}
