// Text state teardown: the fonts, and the variable cells it owns.
#include "engine/text_state.h"

#include "text/bitmap_font.h"

TextState::TextState() = default;

TextState::~TextState() {
  for (int i = 0; i < variables.Count(); ++i) delete variables.ValueAt(i);
}
