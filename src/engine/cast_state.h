// The cast: every object the game created, and the hero. Objects live for
// the run, across scene switches: a game keeps them and hides what it does
// not show.
#pragma once

#include "util/registry.h"

struct AdventureObject;

struct CastState {
  Registry<AdventureObject> objects;  // every object ever created, in draw order
  AdventureObject* hero = nullptr;    // the object the player steers
};
