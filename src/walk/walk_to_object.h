// Walking the hero to an object's walk-to position, in nested frames.
#pragma once

struct Engine;
struct AdventureObject;
class PathMap;

// The hero and the loaded walk map; a failure when there is none.
AdventureObject& HeroOf(Engine& engine);
PathMap& MapOf(Engine& engine);

// Blocking walk to the object's walk-to position; false when it cannot be reached.
bool WalkToObject(Engine& engine, AdventureObject* object);
