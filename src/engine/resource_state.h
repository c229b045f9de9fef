// Resource state: the pack readers, the image registry and the pixel hit tester.
#pragma once

#include <SDL/SDL.h>

#include <memory>
#include <string>
#include <unordered_map>

#include "util/hashtable.h"

class BMPPackReader;
class TXTPackReader;
class PixelHitTester;
class SpriteRuns;

struct ResourceState {
  std::unique_ptr<TXTPackReader> textPacks;    // first manager created at start-up
  std::unique_ptr<BMPPackReader> imagePacks;   // second
  std::unique_ptr<PixelHitTester> hitTester;   // third
  Hashtable<SDL_Surface*> images;              // every loaded image by address; owns the surfaces
  std::unordered_map<SDL_Surface*, std::unique_ptr<SpriteRuns>> imageRuns;  // opaque runs of drawn registry images; dropped on release
  bool blitShortcuts = true;                   // draw from runs and blend tables; false: SDL's blitters alone
  // A packed game's name table (quillon-pack writes it as ASSETS in front of
  // the configuration script): each file's name to its pack address, and back.
  // Empty for a loose game, where a file's name is its address.
  std::unordered_map<std::string, std::string> addressOfName, nameOfAddress;

  ResourceState();
  ~ResourceState();
  ResourceState(const ResourceState&) = delete;
  ResourceState& operator=(const ResourceState&) = delete;
};
