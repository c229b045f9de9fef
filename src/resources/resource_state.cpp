// The image registry owns its surfaces until the engine goes away.
#include "resources/resource_state.h"

ResourceState::~ResourceState() {
  for (int i = 0; i < images.Count(); ++i) SDL_FreeSurface(images.ValueAt(i));
}
