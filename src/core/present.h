// Presenting the composed frame to the window: only the regions whose pixels
// differ from what the window already shows, or the whole screen.
#pragma once

#include <SDL/SDL.h>

struct Engine;
struct PresentState;

// The screen is compared in tiles of this size (the last column and row may be smaller).
const int kPresentTileWidth = 32;
const int kPresentTileHeight = 16;

// Shows the screen surface, as it is now, in the window: step 1 of Blit.
void Present(Engine& engine);

// Compares the screen with present.shown (the same size and format), copies
// the rows that differ into it, and fills present.rects with the tiles whose
// pixels differ, neighbouring tiles joined. True when most of the screen
// differs, so that the whole screen is worth presenting instead.
bool CollectChangedRegions(const SDL_Surface& screen, PresentState& present);
