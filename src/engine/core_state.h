// Application-core state: screen settings, run flags, timing, input and view.
#pragma once

#include <SDL/SDL.h>

#include <functional>
#include <string>
#include <vector>

#include "engine/image_ref.h"

struct Engine;
struct AdventureObject;

// Presenting the composed frame to the window: only the regions whose pixels
// differ from what the window shows (see core/present.h).
struct PresentState {
  bool partial = true;              // off: the whole screen every frame, as a plain update does
  SDL_Surface* shownScreen = nullptr;  // the screen the copy below belongs to; null: none yet
  int shownWidth = 0, shownHeight = 0, shownBytesPerPixel = 0;  // its size and pixel size then
  std::vector<Uint8> shown;         // the pixels the window shows, rows of width * bytes per pixel
  float shownGamma = 1.0f;          // the display gamma when the window was last presented to
  bool compare = false;             // the video driver shows what is presented (not SDL's dummy)
  std::vector<Uint8> changedTiles;  // per tile of the running present: its pixels differ
  std::vector<SDL_Rect> rects;      // the regions of the running present
};

// Screen and run state; lives for the run.
struct CoreState {
  int screenWidth = 640;         // width of the video mode in pixels
  int screenHeight = 480;        // height of the video mode in pixels
  int screenDepth = 24;          // bits per pixel of the video mode
  bool fullscreen = false;       // open fullscreen; present frames with SDL_Flip
  SDL_Surface* screen = nullptr; // the video surface, owned by SDL
  bool running = true;           // the frame loop runs while set
  bool debug = false;            // F5 reloads the scene
  bool sdlOpen = false;          // SDL and the audio device are open (for Cleanup)
  float gamma = 1.0f;            // last gamma set on the display (the dummy driver has none)
  std::function<void(Engine&)> frameHook;  // runs at the end of every frame: tests, play runner
  std::function<void(Engine&)> loopHook;   // runs before every top-level frame, after a pending load: play runner
  std::function<void(const std::string& id, const std::string& text)> speechHook;  // runs as SayText starts a speech: play runner
  PresentState present;          // what the window shows, for presenting only what changed
};

// Frame timing (every frame, nested ones included, counts here).
struct TimingState {
  Uint32 frameCounter = 0;        // frames completed
  Uint32 loopStartTicks = 0;      // ticks when GameLoop began
  Uint32 frameTicks = 0;          // ticks at the end of the last frame
  Uint32 previousFrameTicks = 0;  // frameTicks one frame earlier
  Uint32 frameDelta = 0;          // length of the last frame, ms
  double timeFactor = 0.0;        // length of the last frame, seconds
  double timeFactorSum = 0.0;     // sum of every time factor so far
  bool waiting = false;           // WaitFor is running its nested loop
  std::string waitKind;           // kind word of the running WaitFor
  AdventureObject* waitObject = nullptr;  // object the running WaitFor watches
  // Frame limit: frames a second, 0 for none (the default: no sleep at all).
  int frameLimit = 0;             // set by SetFrameLimit
  // Slots of the limit: slot n begins at slotAnchor + n * 1000 / fps ms (rounded up).
  int slotRate = 0;               // the fps the slots were laid out for; 0: none laid out
  Uint32 slotAnchor = 0;          // ticks when slot 0 began
  Uint64 slotNumber = 0;          // slot of the running frame
  int nestedWaits = 0;            // RunFramesUntil loops running (a wait, walk, decision or fade)
};

// Input and interaction mode.
struct InputState {
  bool interactive = true;     // the player may hover and click
  bool decisionMode = false;   // dialogue options shown and pickable
  int mouseX = 0;              // pointer x, window pixels
  int mouseY = 0;              // pointer y, window pixels
  bool buttonPressed = false;  // a button went down; the next release clicks
  bool closeRequested = false;  // the window was closed (or the process told to end): every wait gives way
  bool anyKeyQuits = true;      // every key but F5 ends the game, until SetQuitKeys chooses
  std::vector<SDLKey> quitKeys; // the keys that end the game once SetQuitKeys chose them
  // Pointing without a mouse, once SetQuitKeys has freed the other keys.
  int heldX = 0, heldY = 0;     // direction held on the arrow keys, a gamepad's pad or stick: -1, 0 or 1
  Uint32 heldSince = 0;         // ticks when that direction began to be held
  bool revealHeld = false;      // H, a gamepad's Y or a long touch is held: the hotspots are shown
  SDL_Joystick* joystick = nullptr;  // the first gamepad, opened with the window
};

// Frame composition: background and cursor.
struct ViewState {
  ImageRef background;                // an image of the registry
  std::string backgroundName;         // address the background came from
  ImageRef cursor;                    // an image of the registry
  ImageRef hotSpotMarker;             // LoadHotSpotMarker's picture; null: the engine's own mark
  bool cursorVisible = false;         // draw the cursor at the pointer
  int scrollX = 0;                    // scene x + scrollX = screen x; 0 once a new scene's Init has run
};
