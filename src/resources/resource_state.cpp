// The image registry owns its surfaces until the engine goes away.
#include "engine/resource_state.h"

#include "resources/pack_readers.h"
#include "resources/pixels.h"
#include "resources/sprite_runs.h"

ResourceState::ResourceState() = default;

ResourceState::~ResourceState() {
  for (int i = 0; i < images.Count(); ++i) SDL_FreeSurface(images.ValueAt(i));
}
