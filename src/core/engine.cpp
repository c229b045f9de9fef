// Engine construction and teardown.
#include "engine/engine.h"

#include "script/script_host.h"

Engine::Engine() = default;

Engine::~Engine() {
  // Everything the run still holds goes with the engine; the Lua state first,
  // since its functions reach into the rest.
  CloseScripting(*this);
}
