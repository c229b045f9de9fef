// Rendering a TrueType/OpenType face into solid glyph cells for the codes 1 to 255.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// One character cell: a grid of cell width x glyph rows, each pixel empty, glyph or outline.
struct GlyphCell {
  enum Pixel : uint8_t { kEmpty = 0, kInk = 1, kOutline = 2 };
  int width = 1;
  std::vector<uint8_t> pixels;  // row by row, glyph rows x width
  bool hasGlyph = false;        // the face drew something (or an empty glyph such as NBSP)
};

// The cells of codes 1 to 255 (index code - 1), all of the same height.
struct GlyphCells {
  int glyphRows = 0;            // drawn rows of a band: the cell height minus the undrawn first line
  int baseline = 0;             // row of the baseline within the drawn rows
  std::vector<GlyphCell> cells;
  std::vector<int> missing;     // printable codes the face has no glyph for
};

struct GlyphOptions {
  std::string face;   // font file
  int size = 14;      // pixels per em
  bool outline = false;
};

// Renders the Latin-1 codes (byte k is the character U+00k) with solid pixels.
// Codes with no printable character get an empty cell one pixel wide so the
// codes after them keep their places. On failure returns false with a message
// that names the file.
bool RenderLatin1Cells(const GlyphOptions& options, GlyphCells* result, std::string* error);
