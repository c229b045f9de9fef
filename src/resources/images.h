// Image loading: every image of the game, once per address, in display format with a magenta colour key.
#pragma once

#include <SDL/SDL.h>

#include <string>

#include "engine/image_ref.h"

struct Engine;

// SDL's BMP loader (closing the stream), refusing what its converters cannot
// take: a header may claim any depth, and SDL builds a surface of it that
// crashes the first conversion. Null when the stream holds no usable BMP.
SDL_Surface* ReadBmp(SDL_RWops* stream);

// A copy of source in the pixel format of the screen the game draws on, so
// that drawing copies pixels unchanged: the display's format (as
// SDL_DisplayFormat gives it) when the screen is the display, else the
// screen's own (the game's screen beside a scaled window of the display's
// depth). Null when the copy cannot be made.
SDL_Surface* ConvertForScreen(SDL_Surface* screen, SDL_Surface* source);

// The registered image for the address, loading it on first use; null when
// the image cannot be loaded (the failure is logged).
ImageRef LoadImage(Engine& engine, const std::string& address);

// Frees the image registered under the address and removes the entry. Every
// holder of it afterwards reads null, as one without an image.
void ReleaseImage(Engine& engine, const std::string& address);

// Frees every registered image. Shutdown does this while the video system is
// still open.
void ReleaseAllImages(Engine& engine);
