// Walking state: the walk-box map and the walk toward a clicked object.
#pragma once

#include <string>

#include "util/owned.h"

struct AdventureObject;
class PathMap;

struct WalkState {
  Owned<PathMap> map;             // fifth manager created at start-up
  AdventureObject* target = nullptr;        // object clicked with WALK; null when none
  bool arrivalReported = true;              // false while a walk to target runs unreported
  std::string mapAddress;                   // where the boxes were last loaded from; empty: none

};
