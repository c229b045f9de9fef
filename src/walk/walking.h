// Walking the hero to clicked points and to objects.
#pragma once

struct Engine;
struct AdventureObject;

void ClickWalk(Engine& engine);
void CheckArrival(Engine& engine);
// Blocking walk to the object's walk-to position; false when it cannot be reached.
bool WalkToObject(Engine& engine, AdventureObject* object);
