// Text state: the three fonts, the string file and the script variables.
#pragma once

#include <cstdint>
#include <fstream>
#include <memory>
#include <string>

#include "text/bitmap_font.h"
#include "util/hashtable.h"

struct TextState {
  std::unique_ptr<CBitmapFont> systemFont;     // action sentence; replaced by LoadSystemFont
  std::unique_ptr<CBitmapFont2> talkFont;      // speech boxes; replaced by LoadTalkFont
  std::unique_ptr<CBitmapFont> decisionFont;   // dialogue options; replaced by LoadDecisionFont
  std::unique_ptr<std::ifstream> stringFile;   // open string file; replaced by SetStringFile
  std::string language = "DE";                 // suffix of the string file name
  Hashtable<int32_t*> variables;               // script variables by name; owns the cells

  TextState() = default;
  ~TextState() {
    for (int i = 0; i < variables.Count(); ++i) delete variables.ValueAt(i);
  }
  TextState(const TextState&) = delete;
  TextState& operator=(const TextState&) = delete;
};
