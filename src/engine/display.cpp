// The display's gamma.
#include "engine/display.h"

#include "engine/engine.h"

void SetDisplayGamma(Engine& engine, float gamma) {
  engine.core.gamma = gamma;
  SDL_SetGamma(gamma, gamma, gamma);  // displays without gamma support only take the time
}
