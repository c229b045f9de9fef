// Bitmap fonts: loading the font image, the character cells, and drawing one line.
#include "text/bitmap_font.h"

#include <cstring>

#include "resources/images.h"
#include "resources/pixels.h"
#include "util/guard.h"
#include "util/log.h"

namespace {

const CharacterCell kNoCell;

bool FitsSint16(long long value) { return value >= -32768 && value <= 32767; }

}  // namespace

CBitmapFont::CBitmapFont(SDL_Surface* target, const std::string& file, int cellHeight)
    : cellHeight(cellHeight), target(target) {
  LoadBitmapFont(file, cellHeight);
}

CBitmapFont::CBitmapFont(SDL_Surface* target, SDL_Surface* source, int cellHeight)
    : image(source), cellHeight(cellHeight), target(target) {
  InitCharacters();
}

CBitmapFont::~CBitmapFont() {
  if (ownsImage_ && image) SDL_FreeSurface(image);
}

void CBitmapFont::LoadBitmapFont(const std::string& file, int height) {
  GuardedWith(
      [&] { return FormatText("CBitmapFont.LoadBitmapFont(%s,%i):Exception occured !", file.c_str(), height); },
      [&] {
        cellHeight = height;
        image = ReadBmp(SDL_RWFromFile(file.c_str(), "rb"));
        if (!image) {
          LogFormat("Can't load font-image (%s): %s\n", file.c_str(), SDL_GetError());
          return;
        }
        ownsImage_ = true;
        InitCharacters();
      });
}

void CBitmapFont::InitCharacters() {
  if (!image) return;
  // Without a video mode there is no display format (and SDL_DisplayFormat crashes
  // when video was never initialised); a private copy still draws.
  SDL_Surface* converted = SDL_GetVideoSurface() ? ConvertForScreen(target, image) : nullptr;
  if (!converted) converted = SDL_ConvertSurface(image, image->format, SDL_SWSURFACE);
  if (ownsImage_) SDL_FreeSurface(image);
  image = converted;
  ownsImage_ = image != nullptr;
  glyphRuns_ = SpriteRuns();  // a new image may sit where the old one was
  if (!image) return;

  Uint32 marker = GetPixel(image, 0, 0);
  Uint32 background = GetPixel(image, 1, 0);
  SDL_SetColorKey(image, SDL_SRCCOLORKEY, background);

  int lastMarker = 0;
  cellCount = 0;
  for (int x = 1; x < image->w && cellCount < kCellCount; ++x) {
    if (GetPixel(image, x, 0) != marker) continue;
    CharacterCell& cell = cells[cellCount];
    cell.x = lastMarker + 1;
    cell.width = x - lastMarker - 1;
    cell.height = cellHeight;
    cell.reserved = 0;
    lastMarker = x;
    ++cellCount;
  }
  LogFormat("Initialized %i Characters\n", cellCount);
}

const CharacterCell& CBitmapFont::CellOf(unsigned char code) const {
  return code == 0 ? kNoCell : cells[code - 1];
}

void CBitmapFont::DrawString(const char* text, int x, int y) {
  if (text) DrawString(text, std::strlen(text), x, y);
}

void CBitmapFont::DrawString(const char* text, size_t length, int x, int y) {
  if (!image || !text) return;
  if (shortcuts && !glyphRuns_.Describes(image)) glyphRuns_.Build(image);
  long long pen = 0;
  for (const char* p = text; p != text + length; ++p) {
    unsigned char code = static_cast<unsigned char>(*p);
    if (code == ' ') {
      pen += spaceWidth;
      continue;
    }
    const CharacterCell& cell = CellOf(code);
    // The first pixel line of every band is not drawn: in band 0 it holds the markers.
    long long sourceY = static_cast<long long>(cellHeight) * colorRow + 1;
    long long destX = x + pen;
    bool drawable = cell.width > 0 && cellHeight > 1 && colorRow >= 0 && sourceY < image->h &&
                    FitsSint16(sourceY) && FitsSint16(destX) && FitsSint16(y) && cell.x < image->w &&
                    FitsSint16(cell.x);
    if (drawable) {
      sourceRect.x = static_cast<Sint16>(cell.x);
      sourceRect.y = static_cast<Sint16>(sourceY);
      sourceRect.w = static_cast<Uint16>(cell.width);
      sourceRect.h = static_cast<Uint16>(cellHeight - 1 > 65535 ? 65535 : cellHeight - 1);
      targetRect.x = static_cast<Sint16>(destX);
      targetRect.y = static_cast<Sint16>(y);
      targetRect.w = targetRect.h = 0;
      if (!shortcuts || !glyphRuns_.Blit(image, &sourceRect, target, &targetRect))
        SDL_UpperBlit(image, &sourceRect, target, &targetRect);
    }
    pen += cell.width + letterSpacing;
  }
}

int CBitmapFont::GetTextWidth(const char* text) const { return GetTextWidth(text, text ? std::strlen(text) : 0); }

int CBitmapFont::GetTextWidth(const char* text, size_t length) const {
  if (!text) return -1;
  long long width = -1;
  for (const char* p = text; p != text + length; ++p) {
    unsigned char code = static_cast<unsigned char>(*p);
    width += code == ' ' ? spaceWidth : letterSpacing + CellOf(code).width;
  }
  if (width > 2147483647LL) return 2147483647;
  if (width < -2147483647LL) return -2147483647;
  return static_cast<int>(width);
}
