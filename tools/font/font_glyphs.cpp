// Glyph rendering with FreeType: hinted one-bit glyphs placed on a common baseline.
#include "font/font_glyphs.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <fstream>
#include <memory>

namespace {

const int kCodeCount = 255;

bool IsControl(int code) { return code < 32 || (code >= 127 && code < 160); }

bool IsPrintable(int code) { return (code > 32 && code < 127) || code > 160; }

int CeilPixels(FT_Pos value) { return static_cast<int>((value + 63) >> 6); }

// One rendered glyph: its ink as a bool grid placed relative to the pen and baseline.
struct Ink {
  int left = 0, top = 0;  // bitmap_left, bitmap_top
  int width = 0, rows = 0;
  int advance = 0;
  std::vector<bool> on;
  bool At(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < rows && on[y * width + x]; }
};

struct FreeTypeLibrary {
  FT_Library library = nullptr;
  FT_Face face = nullptr;
  ~FreeTypeLibrary() {
    if (face) FT_Done_Face(face);
    if (library) FT_Done_FreeType(library);
  }
};

// Reads the rendered bitmap, one-bit or grey (grey coverage of half or more counts as ink).
Ink ReadInk(FT_GlyphSlot slot) {
  Ink ink;
  const FT_Bitmap& bitmap = slot->bitmap;
  ink.left = slot->bitmap_left;
  ink.top = slot->bitmap_top;
  ink.width = static_cast<int>(bitmap.width);
  ink.rows = static_cast<int>(bitmap.rows);
  ink.advance = static_cast<int>((slot->advance.x + 32) >> 6);
  ink.on.assign(static_cast<size_t>(ink.width) * ink.rows, false);
  for (int y = 0; y < ink.rows; ++y) {
    const unsigned char* row = bitmap.buffer + static_cast<ptrdiff_t>(y) * bitmap.pitch;
    for (int x = 0; x < ink.width; ++x) {
      bool on = bitmap.pixel_mode == FT_PIXEL_MODE_MONO ? (row[x >> 3] & (0x80 >> (x & 7))) != 0 : row[x] >= 128;
      ink.on[static_cast<size_t>(y) * ink.width + x] = on;
    }
  }
  return ink;
}

// Places the ink into a cell as wide as the advance (wider when the ink pokes out),
// with a one-pixel ring of outline pixels when asked.
GlyphCell PlaceInCell(const Ink& ink, const GlyphCells& layout, bool outline) {
  int margin = outline ? 1 : 0;
  int inkLeft = ink.left - margin, inkRight = ink.left + ink.width + margin;
  int cellLeft = std::min(0, inkLeft);
  int cellRight = std::max({ink.advance, inkRight, cellLeft + 1});
  GlyphCell cell;
  cell.hasGlyph = true;
  cell.width = cellRight - cellLeft;
  cell.pixels.assign(static_cast<size_t>(cell.width) * layout.glyphRows, GlyphCell::kEmpty);
  for (int y = 0; y < layout.glyphRows; ++y) {
    int inkY = y - (layout.baseline - ink.top);
    for (int x = 0; x < cell.width; ++x) {
      int inkX = x + cellLeft - ink.left;
      uint8_t& pixel = cell.pixels[static_cast<size_t>(y) * cell.width + x];
      if (ink.At(inkX, inkY)) {
        pixel = GlyphCell::kInk;
      } else if (outline) {
        for (int dy = -1; dy <= 1 && !pixel; ++dy)
          for (int dx = -1; dx <= 1 && !pixel; ++dx)
            if (ink.At(inkX + dx, inkY + dy)) pixel = GlyphCell::kOutline;
      }
    }
  }
  return cell;
}

GlyphCell EmptyCell(const GlyphCells& layout) {
  GlyphCell cell;
  cell.pixels.assign(static_cast<size_t>(layout.glyphRows), GlyphCell::kEmpty);
  return cell;
}

}  // namespace

bool RenderLatin1Cells(const GlyphOptions& options, GlyphCells* result, std::string* error) {
  FreeTypeLibrary ft;
  if (FT_Init_FreeType(&ft.library) != 0) {
    *error = "cannot start FreeType";
    return false;
  }
  if (!std::ifstream(options.face)) {
    *error = options.face + ": cannot read the file";
    return false;
  }
  if (FT_New_Face(ft.library, options.face.c_str(), 0, &ft.face) != 0) {
    *error = options.face + ": not a font file FreeType can read";
    return false;
  }
  if (FT_Set_Pixel_Sizes(ft.face, 0, static_cast<FT_UInt>(options.size)) != 0) {
    *error = options.face + ": the face has no size of " + std::to_string(options.size) + " pixels";
    return false;
  }
  // Hinting for one-bit output keeps stems whole at small sizes.
  const FT_Int32 loadFlags = FT_LOAD_RENDER | FT_LOAD_TARGET_MONO;

  std::vector<std::unique_ptr<Ink>> inks(kCodeCount + 1);
  int above = CeilPixels(ft.face->size->metrics.ascender);
  int below = CeilPixels(-ft.face->size->metrics.descender);
  for (int code = 1; code <= kCodeCount; ++code) {
    if (IsControl(code)) continue;
    if (FT_Get_Char_Index(ft.face, static_cast<FT_ULong>(code)) == 0) {
      if (IsPrintable(code)) result->missing.push_back(code);
      continue;
    }
    if (FT_Load_Char(ft.face, static_cast<FT_ULong>(code), loadFlags) != 0) {
      if (IsPrintable(code)) result->missing.push_back(code);
      continue;
    }
    inks[code] = std::make_unique<Ink>(ReadInk(ft.face->glyph));
    // A glyph reaching past the face's ascender or descender widens the band rather than losing pixels.
    if (inks[code]->rows > 0) {
      above = std::max(above, inks[code]->top);
      below = std::max(below, inks[code]->rows - inks[code]->top);
    }
  }
  int margin = options.outline ? 1 : 0;
  result->baseline = above + margin;
  result->glyphRows = above + below + 2 * margin;
  result->cells.clear();
  for (int code = 1; code <= kCodeCount; ++code)
    result->cells.push_back(inks[code] ? PlaceInCell(*inks[code], *result, options.outline) : EmptyCell(*result));
  return true;
}
