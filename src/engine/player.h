// The player's side of a run: the options chosen at start, and the window that shows the screen.
#pragma once

#include <SDL/SDL.h>

#include <functional>
#include <string>

// What the player chose on the command line or in the environment; lives for the run.
struct PlayerOptions {
  int scale = 1;            // window size as a whole multiple of the game's screen, 1 to 4
  bool autoScale = false;   // instead of scale: the largest factor whose window fits the desktop
  bool fullscreen = false;  // full screen, whatever the configuration script chose
  int fps = 0;              // frame limit asked for, 0 for none (read by the frame pacing)
  bool mute = false;        // the mixer runs without opening the audio device; silence is all it gives
  bool noKeys = false;      // keys and gamepad never point or click, even in a game that freed its keys
  std::string gameDir;      // folder of the game; empty: the working directory
};

// Opens a video mode; SDL_SetVideoMode, unless a test stands in for a display.
using VideoModeOpener = std::function<SDL_Surface*(int width, int height, int depth, Uint32 flags)>;

// Whether the display offers a video mode; SDL_VideoModeOK, unless a test stands in.
using VideoModeProbe = std::function<bool(int width, int height, int depth, Uint32 flags)>;

// The window when it is larger than the screen; lives for the run.
struct WindowState {
  SDL_Surface* surface = nullptr;  // the video surface while scaled (CoreState::screen is then the game's own surface); else null
  int scale = 1;                   // the window shows every screen pixel as scale x scale pixels
  std::vector<SDL_Rect> regions;   // the enlarged regions of the running partial present
  VideoModeOpener openVideoMode;   // empty: SDL_SetVideoMode
  VideoModeProbe offersVideoMode;  // empty: SDL_VideoModeOK
};
