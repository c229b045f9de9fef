// Drawing registry images onto the screen: SDL's keyed blit, or the same pixels from opaque runs.
#pragma once

#include <SDL/SDL.h>

struct Engine;

// SDL_UpperBlit(image, area, screen, at) with the same pixels and the same
// rectangle written back; registry images are drawn from their opaque runs
// (built on first use) unless the blit shortcuts are off or the blit is one
// the runs cannot do.
void BlitImage(Engine& engine, SDL_Surface* image, SDL_Rect* area, SDL_Surface* screen, SDL_Rect* at);
