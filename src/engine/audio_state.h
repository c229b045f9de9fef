// Sound state: the sound manager.
#pragma once

#include "util/owned.h"

class Sfx;

struct AudioState {
  Owned<Sfx> sfx;  // fourth manager created at start-up

};
