// Walking state: the walk-box map and the walk toward a clicked object.
#pragma once

#include <memory>

#include "walk/path_map.h"

struct AdventureObject;

struct WalkState {
  std::unique_ptr<PathMap> map;             // fifth manager created at start-up
  AdventureObject* target = nullptr;        // object clicked with WALK; null when none
  bool arrivalReported = true;              // false while a walk to target runs unreported
};
