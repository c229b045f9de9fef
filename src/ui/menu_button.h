// A verb or menu button: a two-frame image strip at a screen position.
#pragma once

#include <SDL/SDL.h>

#include <string>

struct MenuButton {
  SDL_Surface* image = nullptr;  // two frames side by side: normal, lit; shared via the image registry
  int x = 0;                     // top-left corner, window pixels
  int y = 0;
  int width = 0;                 // size of one frame
  int height = 0;
  int lit = 0;                   // frame drawn: 0 or 1
  bool visible = false;          // drawn and clickable
  std::string label;             // starts the action sentence; a custom button's verb word and key
  int verbType = 0;              // index into the verb table, 0 to 10
};
