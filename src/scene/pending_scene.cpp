// Scene hooks not built yet: they do nothing.
#include "core/engine.h"
#include "resources/images.h"
#include "scene/movement.h"

void UpdateObject(Engine&, AdventureObject&, float) {}
void HeadTowards(Engine&, AdventureObject&, int, int) {}
void FollowPath(Engine&, AdventureObject&, const std::vector<WalkPoint>&) {}
void AutoFlipHero(Engine&, AdventureObject*) {}
SDL_Surface* LoadImage(Engine&, const std::string&) { return nullptr; }
void ReleaseImage(Engine&, const std::string&) {}
