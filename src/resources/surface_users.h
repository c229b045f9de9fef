// Everyone who holds an image surface, and how they let go of a released one.
#pragma once

#include <SDL/SDL.h>

struct Engine;

// Clears every reference to the surface held anywhere in the engine (background,
// cursor, animation strips, inventory icons, and the interface's own images),
// so each former user behaves as one without an image until it loads again.
void ForgetSurface(Engine& engine, SDL_Surface* surface);

// The interface's share of ForgetSurface: menu background, menu buttons and
// font images drop the surface here. Their code extends this function.
void ForgetSurfaceInInterface(Engine& engine, SDL_Surface* surface);
