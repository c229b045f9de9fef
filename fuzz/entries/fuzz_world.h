// The surroundings every fuzz entry shares: headless SDL opened once, a media folder, a quiet log.
#pragma once

#include <SDL/SDL.h>

#include <cstddef>
#include <cstdint>
#include <string>

#include "engine/engine.h"

// Size of the video mode the entries draw on: small, so frames are cheap.
constexpr int kFuzzScreenWidth = 320;
constexpr int kFuzzScreenHeight = 200;

struct FuzzWorld {
  std::string dir;               // fixture media, and the working directory of script runs
  SDL_Surface* screen = nullptr; // the dummy driver's video surface
};

// Opens SDL (dummy video and audio) and writes the fixture media, once; opens
// SDL again if someone closed it since.
FuzzWorld& OpenFuzzWorld();

// Writes bytes to a file of the world's folder and returns its path.
std::string WriteWorldFile(const std::string& name, const uint8_t* data, size_t size);
std::string WriteWorldFile(const std::string& name, const std::string& bytes);

// An engine as start-up leaves it before the first script: managers created,
// the script state open, drawing on the world's screen, time from a clock that
// moves only when a frame ends. Frees its fonts and images when it goes.
class FuzzEngine {
 public:
  FuzzEngine();
  ~FuzzEngine();
  FuzzEngine(const FuzzEngine&) = delete;
  FuzzEngine& operator=(const FuzzEngine&) = delete;

  Engine engine;
  Uint32 now = 1000;              // ticks the engine reads
  Uint32 msPerFrame = 100;        // added at the end of every frame
  Uint32 framesThisCall = 0;      // frames since ResetFrameCount
  void ResetFrameCount() { framesThisCall = 0; }
};

// Fixture media, made with the engine's own writers; also the seeds of the corpora.
std::string SpriteBmp();        // 32 x 16, 24 bits, two frames, magenta background
std::string PaletteBmp();       // 8 x 4, 8 bits
std::string FontBmp();          // 100 cells of width 3 in two bands of 8 rows
std::string SoundWav();         // a short 16-bit mono WAV
std::string WalkMapBytes();     // three connected boxes inside the screen
std::string StringFileText();   // three lines, one with CR LF
std::string ScriptPackBytes();  // entry 0 a scene script, entry 1 the walk map, entry 2 a compiled-looking stub
std::string ImagePackBytes();   // entry 0 8-bit, entry 1 24-bit, entry 2 16-bit
std::string SoundPackBytes();   // entry 0 the WAV
