// The window: opening the video mode (scaled, full screen or falling back to
// a window) and presenting the screen in it.
#pragma once

#include <SDL/SDL.h>

#include <vector>

struct Engine;

// Opens the video mode the configuration script and the player chose and
// sets CoreState::screen. A refused full screen falls back to a window of
// the same size, with a line in the log. False after a failure that ends the
// program (its message is printed).
bool OpenScreen(Engine& engine);
// Frees what OpenScreen made beside SDL's own video surface.
void CloseScreen(Engine& engine);

// Shows the composed screen in the window.
void PresentScreen(Engine& engine);
// Shows only these regions of the composed screen (screen pixels), enlarged
// in a scaled window.
void PresentScreenRegions(Engine& engine, const std::vector<SDL_Rect>& regions);

// Window pixels to screen pixels: a pointer position before the engine records it.
void MapToScreen(const Engine& engine, int* x, int* y);

// The largest factor from 1 to 4 whose window of width x height times it fits
// the desktop; 1 when the desktop's size is unknown (0).
int ScaleThatFits(int width, int height, int desktopWidth, int desktopHeight);

// Copies from onto to, each pixel as a factor x factor square (nearest
// neighbour). Both have the same pixel format; to is at least factor times
// as large and locked when it must be.
void ScaleUp(const SDL_Surface* from, SDL_Surface* to, int factor);
// The same for one region of from (inside it), onto the same region enlarged.
void ScaleUpRegion(const SDL_Surface* from, SDL_Surface* to, int factor, const SDL_Rect& region);
