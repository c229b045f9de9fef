// Resource state: the pack readers, the image registry and the pixel hit tester.
#pragma once

#include <SDL/SDL.h>

#include <memory>
#include <string>
#include <unordered_map>

#include "util/hashtable.h"
#include "util/owned.h"

class BMPPackReader;
class TXTPackReader;
class PixelHitTester;
class SpriteRuns;

struct ResourceState {
  Owned<TXTPackReader> textPacks;    // first manager created at start-up
  Owned<BMPPackReader> imagePacks;   // second
  Owned<PixelHitTester> hitTester;   // third
  Hashtable<std::shared_ptr<SDL_Surface>> images;  // every loaded image by address; holders keep ImageRefs
  std::unordered_map<SDL_Surface*, Owned<SpriteRuns>> imageRuns;  // opaque runs of drawn registry images; dropped on release
  bool blitShortcuts = true;                   // draw from runs and blend tables; false: SDL's blitters alone
  // A packed game's name table (quillon-pack writes it as ASSETS in front of
  // the configuration script): each file's name to its pack address, and back.
  // Empty for a loose game, where a file's name is its address.
  std::unordered_map<std::string, std::string> addressOfName, nameOfAddress;

};
