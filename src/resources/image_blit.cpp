// Registry images drawn from their opaque runs, or by SDL when the runs cannot.
#include "resources/image_blit.h"

#include <memory>

#include "engine/engine.h"
#include "resources/sprite_runs.h"

void BlitImage(Engine& engine, SDL_Surface* image, SDL_Rect* area, SDL_Surface* screen, SDL_Rect* at) {
  ResourceState& resources = engine.resources;
  if (resources.blitShortcuts && image) {
    Owned<SpriteRuns>& runs = resources.imageRuns[image];
    if (!runs) runs = MakeOwned<SpriteRuns>();
    if (!runs->Describes(image)) runs->Build(image);
    if (runs->Blit(image, area, screen, at)) return;
  }
  SDL_UpperBlit(image, area, screen, at);
}
