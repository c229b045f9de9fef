// The walk over every holder of an image surface when that image is released.
#include "engine/image_holders.h"

#include "engine/engine.h"
#include "scene/adventure_object.h"
#include "scene/animation.h"
#include "ui/menu_button.h"

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
  // Fonts keep their own converted copy, so only the menu holds registry images.
  UiState& ui = engine.ui;
  Forget(ui.menuBackground, surface);
  for (int i = 0; i < ui.buttons.Count(); ++i) Forget(ui.buttons.ValueAt(i)->image, surface);
}
