// Scene hooks not built yet: they do nothing.
#include "core/engine.h"
#include "scene/movement.h"

void UpdateObject(Engine&, AdventureObject&, float) {}
