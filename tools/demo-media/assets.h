// The demo's pictures and sounds, one drawing function per group. Each adds
// finished files (name and content) to the list it is given; MEDIA.md in
// games/demo documents every name, size, strip layout and hotspot.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "demo-media/raster.h"

using Pictures = std::vector<std::pair<std::string, Canvas>>;
using Sounds = std::vector<std::pair<std::string, std::vector<int16_t>>>;

// street.bmp, shop.bmp, garden.bmp, menu.bmp.
void DrawScenes(Pictures& out);
// The hero's walking and idle strips and the shopkeeper's.
void DrawCharacters(Pictures& out);
// Scene items, door, gate, sign and the inventory icons.
void DrawItems(Pictures& out);
// Verb buttons, cursor and window icon.
void DrawInterface(Pictures& out);
// Every sound effect and the tune, 16-bit mono at kSampleRate.
void MakeSounds(Sounds& out);

constexpr int kSampleRate = 22050;

// A strip of frames side by side, each drawn by draw(frame canvas, index).
template <typename Draw>
Canvas Strip(int frameWidth, int frameHeight, int frames, Draw draw) {
  Canvas strip(frameWidth * frames, frameHeight);
  for (int i = 0; i < frames; ++i) {
    Canvas frame(frameWidth, frameHeight);
    draw(frame, i);
    strip.Copy(frame, 0, 0, frameWidth, frameHeight, i * frameWidth, 0);
  }
  return strip;
}
