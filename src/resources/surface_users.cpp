// The walk over every holder of an image surface when that image is released.
#include "resources/surface_users.h"

#include "core/engine.h"

namespace {

void Forget(SDL_Surface*& holder, SDL_Surface* surface) {
  if (holder == surface) holder = nullptr;
}

}  // namespace

void ForgetSurface(Engine& engine, SDL_Surface* surface) {
  if (!surface) return;
  Forget(engine.view.background, surface);
  Forget(engine.view.cursor, surface);
  Hashtable<AdventureObject*>& objects = engine.scene.objects;
  for (int i = 0; i < objects.Count(); ++i) {
    AdventureObject& object = *objects.ValueAt(i);
    Forget(object.inventoryIcon, surface);
    for (int a = 0; a < object.animations.Count(); ++a) Forget(object.animations.ValueAt(a)->image, surface);
  }
  ForgetSurfaceInInterface(engine, surface);
}

void ForgetSurfaceInInterface(Engine& engine, SDL_Surface* surface) {
  // No menu, button or font keeps a surface yet.
}
