// Walking state: the walk-box map and the walk toward a clicked object.
#pragma once

#include <memory>
#include <string>

struct AdventureObject;
class PathMap;

struct WalkState {
  std::unique_ptr<PathMap> map;             // fifth manager created at start-up
  AdventureObject* target = nullptr;        // object clicked with WALK; null when none
  bool arrivalReported = true;              // false while a walk to target runs unreported
  std::string mapAddress;                   // where the boxes were last loaded from; empty: none

  WalkState();
  ~WalkState();  // beside PathMap, which it must see whole to delete
  WalkState(const WalkState&) = delete;
  WalkState& operator=(const WalkState&) = delete;
};
