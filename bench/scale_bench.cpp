// Window scaling: what presenting a 640 x 480 screen in a window N times as large adds to a frame.
#include <benchmark/benchmark.h>

#include <SDL/SDL.h>

#include "core/window.h"

namespace {

// Args: bits per pixel, factor.
void ScaleUpFrame(benchmark::State& state) {
  const int depth = static_cast<int>(state.range(0)), factor = static_cast<int>(state.range(1));
  SDL_Surface* screen = SDL_CreateRGBSurface(SDL_SWSURFACE, 640, 480, depth, 0xff0000, 0xff00, 0xff, 0);
  SDL_Surface* window = SDL_CreateRGBSurface(SDL_SWSURFACE, 640 * factor, 480 * factor, depth, 0xff0000, 0xff00, 0xff, 0);
  for (int y = 0; y < screen->h; ++y)
    for (int x = 0; x < screen->pitch; ++x) static_cast<Uint8*>(screen->pixels)[y * screen->pitch + x] = x ^ y;
  for (auto _ : state) {
    ScaleUp(screen, window, factor);
    benchmark::DoNotOptimize(window->pixels);
    benchmark::ClobberMemory();
  }
  SDL_FreeSurface(window);
  SDL_FreeSurface(screen);
}

}  // namespace

BENCHMARK(ScaleUpFrame)->Args({32, 2})->Args({24, 2})->Args({32, 3})->Unit(benchmark::kMicrosecond);
