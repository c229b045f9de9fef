// Drawing a walk map over its background, so an author can see the walk area.
#pragma once

#include <SDL/SDL.h>

#include <vector>

#include "walk/path_map.h"

struct DrawnPath {
  WalkPoint start, target;
  bool found = false;
  std::vector<WalkPoint> waypoints;  // the engine's path when found
};

// A new 24-bit software surface of the background's size: the background with
// every box's outline, its number at its centre, a line between the centres of
// connected boxes and, when given, the path (or the start and target marks of
// a search that failed). Never draws the engine's transparent magenta.
// Null when SDL cannot make the surface.
SDL_Surface* DrawMap(const PathMap& map, SDL_Surface* background, const DrawnPath* path);

// The colours the drawing uses (for tests): none is magenta.
std::vector<SDL_Color> DrawingColours();
