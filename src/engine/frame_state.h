// What one frame found out: begun afresh at the end of every frame
// (FrameStep), nested frames included.
#pragma once

#include <SDL/SDL.h>

struct FrameState {
  bool hover = false;  // the pointer rests on an object or item this frame
  Uint16 clickX = 0;   // position of the button release being handled
  Uint16 clickY = 0;
};
