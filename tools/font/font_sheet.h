// Laying glyph cells out as a font image: the marker row and one band per colour row.
#pragma once

#include <SDL/SDL.h>

#include <cstdint>
#include <vector>

#include "font/font_glyphs.h"

// Colours as 0xRRGGBB.
struct FontSheetColours {
  std::vector<uint32_t> bands;  // glyph colour of colour row 0, 1, ...
  uint32_t background = 0xFF00FF;
  uint32_t marker = 0xFF0000;
  uint32_t outline = 0x000000;
};

// The cell height of the image: the drawn rows plus the undrawn first line.
inline int SheetCellHeight(const GlyphCells& cells) { return cells.glyphRows + 1; }
// Width of the image: a marker before every cell and one after the last.
int SheetWidth(const GlyphCells& cells);
// A 24-bit surface in the engine's font layout; the caller frees it. Null when SDL cannot make it.
SDL_Surface* BuildFontSheet(const GlyphCells& cells, const FontSheetColours& colours);
