// Engine construction and teardown.
#include "core/engine.h"

Engine::Engine() = default;

Engine::~Engine() {
  // Everything the run still holds goes with the engine; the Lua state first,
  // since its functions reach into the rest.
  CloseScripting(*this);
}
