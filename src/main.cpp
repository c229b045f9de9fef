// The game executable: runs the game in the current working directory.
#include <SDL/SDL.h>

#include "engine/engine.h"
#include "core/startup.h"

int main(int argc, char* argv[]) {
  Engine engine;
  return RunEngine(engine);
}
