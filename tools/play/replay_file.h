// Replay files: one step a line, read into steps the player runs from the frame hook.
#pragma once

#include <SDL/SDL.h>

#include <string>
#include <vector>

enum class StepKind {
  kMove,          // move X Y
  kClick,         // click [X Y] [BUTTON]
  kMouseDown,     // mouse down [BUTTON]
  kMouseUp,       // mouse up [BUTTON]
  kKey,           // key NAME, hold NAME: the key goes down (NAME may start with SHIFT+)
  kKeyUp,         // release NAME: the key comes up
  kPadDown,       // pad press BUTTON: a gamepad button goes down (A, B, X, Y, LB, RB or its number)
  kPadUp,         // pad release BUTTON
  kPadStick,      // pad stick X Y: the left stick at X, Y (-32768 to 32767; 0 0 is at rest)
  kClose,         // close
  kWaitFrames,    // wait N frames
  kWaitMs,        // wait N ms
  kWaitFor,       // wait for "TEXT" [within N frames]
  kWaitForSpeech, // wait for speech "TEXT" [within N frames]
  kScreenshot,    // screenshot NAME
  kExpect,        // expect "TEXT" [since start]
  kExpectNo,      // expect no "TEXT"
  kExpectExit,    // expect exit [within N frames]
  kSave,          // save SLOT: as soon as no wait runs, as SaveGame does
  kLoad,          // load SLOT: as LoadGame does
};

struct Step {
  StepKind kind;
  std::string where;       // FILE:LINE
  std::string line;        // the step as written
  int x = 0, y = 0;        // move, click with a position; the stick; x: the pad button
  bool at = false;         // click with a position
  Uint8 button = SDL_BUTTON_LEFT;
  SDLKey key = SDLK_UNKNOWN;
  bool shift = false;      // key, hold: with a shift key held
  int count = 0;           // frames or milliseconds; a frame limit (0: none)
  bool sinceStart = false; // expect: search the whole log
  std::string text;        // a log or speech text, a screenshot name or a save slot
};

struct Replay {
  std::vector<Step> steps;
  std::string gameFolder;  // as written in a `game` line, empty when none
  int msPerFrame = 0;      // from an `ms-per-frame` line, 0 when none
};

// Reads a replay file's text; on a malformed line returns false with
// "FILE:LINE: what is wrong" in error.
bool ParseReplay(const std::string& text, const std::string& fileName, Replay* replay, std::string* error);

// The text in double quotes as a replay writes it, \" and \\ inside.
std::string QuotedText(const std::string& text);

// Reads a mouse button word: left, right, middle or a button number.
bool ButtonFromWord(const std::string& word, Uint8* button);
std::string WordOfButton(Uint8 button);
