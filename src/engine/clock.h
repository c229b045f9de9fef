// The engine's one source of time: SDL's millisecond ticks, and sleeping until
// a later tick, both replaceable by tests.
#pragma once

#include <SDL/SDL.h>
#ifdef __EMSCRIPTEN__
#include <emscripten.h>
#endif

struct Clock {
  using Source = Uint32 (*)(void* context);
  using Sleeper = void (*)(void* context, Uint32 milliseconds);
  Source source = nullptr;  // null: SDL_GetTicks
  // Null: SDL_Delay (in a web page, a sleep that lets the browser run), but
  // only while source is SDL's own as well: a clock that is driven by hand
  // has no real time to wait for.
  Sleeper sleep = nullptr;
  void* context = nullptr;  // handed to source and sleep

  Uint32 Now() const { return source ? source(context) : SDL_GetTicks(); }
  void Sleep(Uint32 milliseconds) const {
    if (sleep) sleep(context, milliseconds);
#ifdef __EMSCRIPTEN__
    else if (!source) emscripten_sleep(milliseconds);
#else
    else if (!source) SDL_Delay(milliseconds);
#endif
  }
};
