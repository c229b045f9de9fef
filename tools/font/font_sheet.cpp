// Font image layout: markers between the cells in row 0, glyphs in every band below its first line.
#include "font/font_sheet.h"

#include "resources/pixels.h"

namespace {

Uint32 Map(SDL_Surface* surface, uint32_t rgb) {
  return SDL_MapRGB(surface->format, (rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

}  // namespace

int SheetWidth(const GlyphCells& cells) {
  int width = 1;
  for (const GlyphCell& cell : cells.cells) width += cell.width + 1;
  return width;
}

SDL_Surface* BuildFontSheet(const GlyphCells& cells, const FontSheetColours& colours) {
  int cellHeight = SheetCellHeight(cells);
  int height = cellHeight * static_cast<int>(colours.bands.size());
  SDL_Surface* sheet =
      SDL_CreateRGBSurface(SDL_SWSURFACE, SheetWidth(cells), height, 24, 0xFF0000, 0x00FF00, 0x0000FF, 0);
  if (!sheet) return nullptr;
  SDL_FillRect(sheet, nullptr, Map(sheet, colours.background));
  Uint32 marker = Map(sheet, colours.marker);
  Uint32 outline = Map(sheet, colours.outline);
  SDL_LockSurface(sheet);
  PutPixel(0, 0, marker, sheet);
  int left = 1;
  for (const GlyphCell& cell : cells.cells) {
    for (size_t band = 0; band < colours.bands.size(); ++band) {
      Uint32 ink = Map(sheet, colours.bands[band]);
      int top = static_cast<int>(band) * cellHeight + 1;
      for (int y = 0; y < cells.glyphRows; ++y)
        for (int x = 0; x < cell.width; ++x) {
          uint8_t pixel = cell.pixels[static_cast<size_t>(y) * cell.width + x];
          if (pixel != GlyphCell::kEmpty) PutPixel(left + x, top + y, pixel == GlyphCell::kInk ? ink : outline, sheet);
        }
    }
    left += cell.width;
    PutPixel(left, 0, marker, sheet);
    ++left;
  }
  SDL_UnlockSurface(sheet);
  return sheet;
}
