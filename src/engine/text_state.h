// Text state: the three fonts, the string file and the script variables.
#pragma once

#include <cstdint>
#include <fstream>
#include <memory>
#include <string>

#include "util/owned.h"
#include "util/registry.h"

class CBitmapFont;
class CBitmapFont2;

// How a font was loaded: its image address and sizes, so a saved game can load it again.
struct FontSource {
  std::string address;  // empty: never loaded
  int cellHeight = 0;   // height of a character cell
  int lineWidth = 0;    // the talk font's widest line
};

struct TextState {
  Owned<CBitmapFont> systemFont;     // action sentence; replaced by LoadSystemFont
  Owned<CBitmapFont2> talkFont;      // speech boxes; replaced by LoadTalkFont
  Owned<CBitmapFont> decisionFont;   // dialogue options; replaced by LoadDecisionFont
  std::unique_ptr<std::ifstream> stringFile;   // open string file; replaced by SetStringFile
  std::string stringFileName;                  // base name SetStringFile was given
  FontSource systemFontSource, talkFontSource, decisionFontSource;  // as last loaded
  int sentenceX = 10;                          // action sentence position, window pixels (set with the system font)
  int sentenceY = 430;
  std::string language = "DE";                 // suffix of the string file name
  Registry<int32_t> variables;                 // script variables by name

};
