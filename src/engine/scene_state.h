// Scene state: the object registry and the hero.
#pragma once

#include "util/hashtable.h"

struct AdventureObject;

struct SceneState {
  Hashtable<AdventureObject*> objects;  // every object ever created, in draw order; owns them
  AdventureObject* hero = nullptr;      // the object the player steers

  SceneState() = default;
  ~SceneState();
  SceneState(const SceneState&) = delete;
  SceneState& operator=(const SceneState&) = delete;
};
