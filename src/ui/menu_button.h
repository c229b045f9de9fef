// Verb and menu buttons, and the table of verbs.
#pragma once

#include <SDL/SDL.h>

#include <cstdint>
#include <string>

#include "engine/image_ref.h"

// Verb types 0 to 9 are the built-in verbs; 10 is a button of the game's own.
constexpr int kCustomVerb = 10;

// The verb word of a built-in verb type, or null for the custom type.
const char* BuiltInVerbWord(int verbType);
// The verb type of the word a script creates a button with, or -1.
int VerbTypeOf(const std::string& word);

struct MenuButton {
  ImageRef image;                // strip of two frames: normal, lit; an image of the registry
  int x = 0;                     // window position of the top-left corner
  int y = 0;
  int width = 0;                 // size of one frame
  int height = 0;
  int lit = 0;                   // frame drawn: 0 or 1
  bool visible = false;          // drawn and clickable only while set
  std::string label;             // starts the sentence; a custom button's verb word and key
  int verbType = 0;              // index into the verb table

  // The word the script receives for this verb.
  std::string VerbWord() const;
  // Both far edges count: the area is one pixel wider and taller than the frame.
  // The far edges are worked in 64 bits: scripts may give any size.
  bool HitTest(int px, int py) const {
    return x <= px && px <= int64_t{x} + width && y <= py && py <= int64_t{y} + height;
  }
};
