// Drawing registry images onto the screen: SDL's keyed blit, or the same pixels from opaque runs.
#pragma once

#include <SDL/SDL.h>

struct Engine;

// SDL_UpperBlit(image, area, screen, at) with the same pixels and the same
// rectangle written back; registry images are drawn from their opaque runs
// (built on first use) unless the blit shortcuts are off or the blit is one
// the runs cannot do.
void BlitImage(Engine& engine, SDL_Surface* image, SDL_Rect* area, SDL_Surface* screen, SDL_Rect* at);

// Draws the frame (area of image; the frame's own height, which may be less
// than the strip's) enlarged or reduced to width x height at (left, top) of
// the screen, nearest neighbour: drawn pixel (dx, dy) shows the frame's
// pixel (dx * area.w / width, dy * frameHeight / height). Pixels of the
// image's colour key and those beyond the image are not drawn; the screen's
// clip rectangle holds.
void BlitScaled(SDL_Surface* image, SDL_Rect area, int frameHeight, SDL_Surface* screen, long long left, long long top,
                int width, int height);
