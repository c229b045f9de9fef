// Everyone who holds an image surface, and how they let go of a released one.
#pragma once

#include <SDL/SDL.h>

struct Engine;

// Clears every reference to the surface held anywhere in the engine (background,
// cursor, animation strips, inventory icons, the menu background and buttons),
// so each former user behaves as one without an image until it loads again.
// The image registry calls it when it frees a surface; it is defined on the
// top floor, the one place that knows every holder.
void ForgetSurface(Engine& engine, SDL_Surface* surface);
