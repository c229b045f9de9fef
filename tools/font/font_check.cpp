// Font image checks, counting cells with the engine's own CBitmapFont.
#include "font/font_check.h"

#include <SDL/SDL.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "resources/pixels.h"
#include "text/bitmap_font.h"

namespace {

bool IsPrintable(int code) { return (code > 32 && code < 127) || code > 160; }

std::string Hex(SDL_Surface* surface, Uint32 pixel) {
  Uint8 r, g, b;
  SDL_GetRGB(pixel, surface->format, &r, &g, &b);
  char text[8];
  std::snprintf(text, sizeof text, "%02X%02X%02X", r, g, b);
  return text;
}

// "65 'A', 66 'B'": codes with their Latin-1 character when it is plain ASCII.
std::string CodeList(const std::vector<int>& codes) {
  std::string list;
  for (int code : codes) {
    if (!list.empty()) list += ", ";
    list += std::to_string(code);
    if (code > 32 && code < 127) list += std::string(" '") + static_cast<char>(code) + "'";
  }
  return list;
}

bool HasInk(SDL_Surface* image, int left, int width, int top, int bottom) {
  Uint32 key = image->format->colorkey;
  for (int y = top; y < bottom && y < image->h; ++y)
    for (int x = left; x < left + width; ++x)
      if (GetPixel(image, x, y) != key) return true;
  return false;
}

// Pixels of row 0 within a lossy save's drift of the marker colour, but not equal to it.
int NearMarkers(SDL_Surface* image, Uint32 marker) {
  Uint8 r, g, b, pr, pg, pb;
  SDL_GetRGB(marker, image->format, &r, &g, &b);
  int near = 0;
  for (int x = 1; x < image->w; ++x) {
    Uint32 pixel = GetPixel(image, x, 0);
    SDL_GetRGB(pixel, image->format, &pr, &pg, &pb);
    if (pixel != marker && std::abs(pr - r) <= 40 && std::abs(pg - g) <= 40 && std::abs(pb - b) <= 40) ++near;
  }
  return near;
}

class Report {
 public:
  Report(const std::string& path, std::ostream& out, std::ostream& err) : path_(path), out_(out), err_(err) {}
  void Note(const std::string& text) { out_ << path_ << ": " << text << "\n"; }
  void Warn(const std::string& text) {
    err_ << path_ << ": warning: " << text << "\n";
    ++warnings_;
  }
  void Error(const std::string& text) {
    err_ << path_ << ": " << text << "\n";
    ++errors_;
  }
  int errors() const { return errors_; }
  int warnings() const { return warnings_; }

 private:
  const std::string& path_;
  std::ostream& out_;
  std::ostream& err_;
  int errors_ = 0, warnings_ = 0;
};

void CheckMarkerRow(const CBitmapFont& font, Report& report) {
  SDL_Surface* image = font.image;
  std::vector<int> zeroWidth;
  for (int i = 0; i < font.cellCount; ++i)
    if (font.cells[i].width == 0) zeroWidth.push_back(i + 1);
  if (!zeroWidth.empty())
    report.Warn("row 0: markers side by side leave zero-width cells (they draw nothing) for codes " +
                CodeList(zeroWidth));

  Uint32 marker = GetPixel(image, 0, 0);
  int markers = 0, lastMarker = 0;
  for (int x = 1; x < image->w; ++x)
    if (GetPixel(image, x, 0) == marker) {
      ++markers;
      lastMarker = x;
    }
  if (markers > CBitmapFont::kCellCount)
    report.Warn("row 0: " + std::to_string(markers - CBitmapFont::kCellCount) + " markers after the " +
                std::to_string(CBitmapFont::kCellCount) + "th cell are ignored");
  int leftOver = image->w - 1 - lastMarker;
  if (markers > 0 && markers <= CBitmapFont::kCellCount && leftOver > 0)
    report.Warn("row 0: the " + std::to_string(leftOver) + " columns after the last marker belong to no cell");
  if (font.cellCount < 255) {
    std::string which = font.cellCount == 254 ? "code 255 has no cell and draws nothing"
                                              : "codes " + std::to_string(font.cellCount + 1) +
                                                    " to 255 have no cell and draw nothing";
    if (font.cellCount < 223) which += " (German umlauts and sharp s among them)";
    report.Warn("only " + std::to_string(font.cellCount) + " cells: " + which);
  }
}

void CheckCells(const CBitmapFont& font, int bands, Report& report) {
  SDL_Surface* image = font.image;
  int cellHeight = font.cellHeight;
  std::vector<int> widths;
  for (int band = 0; band < bands; ++band) {
    std::vector<int> empty;
    for (int code = 1; code <= font.cellCount; ++code) {
      const CharacterCell& cell = font.cells[code - 1];
      if (!IsPrintable(code)) continue;
      if (HasInk(image, cell.x, cell.width, band * cellHeight + 1, (band + 1) * cellHeight)) {
        if (band == 0) widths.push_back(cell.width);
      } else {
        empty.push_back(code);
      }
    }
    if (!empty.empty())
      report.Warn("band " + std::to_string(band) + ": empty cells (no glyph pixel) for printable codes " +
                  CodeList(empty));
    if (band > 0 && HasInk(image, 0, image->w, band * cellHeight, band * cellHeight + 1))
      report.Warn("band " + std::to_string(band) + ": its first line holds glyph pixels, which are never drawn");
  }
  if (widths.empty()) return;
  std::nth_element(widths.begin(), widths.begin() + widths.size() / 2, widths.end());
  int usual = widths[widths.size() / 2];
  std::vector<int> wide;
  for (int code = 1; code <= font.cellCount; ++code)
    if (IsPrintable(code) && font.cells[code - 1].width > 2 * usual + 1) wide.push_back(code);
  if (!wide.empty())
    report.Warn("cells more than twice the usual width of " + std::to_string(usual) +
                " (a missing marker joins two cells) for codes " + CodeList(wide));
}

}  // namespace

int CheckFontImage(const std::string& path, int cellHeight, bool strict, std::ostream& out, std::ostream& err) {
  Report report(path, out, err);
  SDL_Surface* source = SDL_LoadBMP(path.c_str());
  if (!source) {
    report.Error(std::string("not a readable BMP image (") + SDL_GetError() + ")");
    return 1;
  }
  int width = source->w, height = source->h;
  if (width < 2 || height < 2 * cellHeight) {
    report.Error("the image is " + std::to_string(width) + " x " + std::to_string(height) +
                 " pixels; a font needs at least 2 columns and two bands of cell height " +
                 std::to_string(cellHeight) + " (colour rows 0 and 1)");
    SDL_FreeSurface(source);
    return 1;
  }
  CBitmapFont font(nullptr, source, cellHeight);
  SDL_FreeSurface(source);
  if (!font.image) {
    report.Error(std::string("the engine cannot convert the image (") + SDL_GetError() + ")");
    return 1;
  }
  Uint32 marker = GetPixel(font.image, 0, 0), background = GetPixel(font.image, 1, 0);
  int bands = height / cellHeight;
  report.Note(std::to_string(width) + " x " + std::to_string(height) + " pixels, cell height " +
              std::to_string(cellHeight) + ": " + std::to_string(bands) + " bands (colour rows 0 to " +
              std::to_string(bands - 1) + ")");
  report.Note("marker colour " + Hex(font.image, marker) + ", background colour " + Hex(font.image, background) +
              " (transparent)");
  report.Note(std::to_string(font.cellCount) + " cells" +
              (font.cellCount > 0 ? " (codes 1 to " + std::to_string(font.cellCount) + ")" : ""));
  if (height % cellHeight != 0)
    report.Warn("the height " + std::to_string(height) + " is not a multiple of the cell height " +
                std::to_string(cellHeight) + ": " + std::to_string(height % cellHeight) +
                " rows below the last band are never drawn (is the cell height right?)");
  int nearMarkers = NearMarkers(font.image, marker);
  if (nearMarkers > 0)
    report.Error("row 0: " + std::to_string(nearMarkers) + " pixels are close to the marker colour " +
                 Hex(font.image, marker) + " but not equal (a lossy save or smoothing?): their cells are not found");
  if (marker == background) {
    report.Error("the marker colour at (0, 0) equals the background colour at (1, 0)");
  } else if (font.cellCount == 0) {
    report.Error("no cell markers: row 0 has no further pixel of the marker colour " + Hex(font.image, marker));
  } else {
    CheckMarkerRow(font, report);
    CheckCells(font, bands, report);
  }
  if (report.errors() == 0 && report.warnings() == 0) report.Note("no problems");
  return report.errors() > 0 || (strict && report.warnings() > 0) ? 1 : 0;
}
