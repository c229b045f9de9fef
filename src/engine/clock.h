// The engine's one source of time: SDL's millisecond ticks, replaceable by tests.
#pragma once

#include <SDL/SDL.h>

struct Clock {
  using Source = Uint32 (*)(void* context);
  Source source = nullptr;  // null: SDL_GetTicks
  void* context = nullptr;  // handed to source

  Uint32 Now() const { return source ? source(context) : SDL_GetTicks(); }
};
