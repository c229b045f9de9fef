// Text box fonts: the translucent box background and word-wrapped speech text.
#include <algorithm>
#include <cstring>
#include <vector>

#include "resources/pixels.h"
#include "text/bitmap_font.h"
#include "util/guard.h"
#include "util/numbers.h"

namespace {

const int kBackgroundWidth = 800;
const int kBackgroundHeight = 300;


}  // namespace

CBitmapFont2::CBitmapFont2(SDL_Surface* target, const std::string& file, int cellHeight, int maxLineWidth,
                           int lineGap, int rightLimit)
    : CBitmapFont(target, file, cellHeight), maxLineWidth(maxLineWidth), rightLimit(rightLimit), lineGap(lineGap) {
  InitBackground();
  UseTextBoxSpacing();
}

CBitmapFont2::CBitmapFont2(SDL_Surface* target, SDL_Surface* source, int cellHeight, int maxLineWidth,
                           int lineGap, int rightLimit)
    : CBitmapFont(target, source, cellHeight), maxLineWidth(maxLineWidth), rightLimit(rightLimit),
      lineGap(lineGap) {
  InitBackground();
  UseTextBoxSpacing();
}

CBitmapFont2::~CBitmapFont2() {
  if (background) SDL_FreeSurface(background);
}

void CBitmapFont2::UseTextBoxSpacing() {
  letterSpacing = 0;
  spaceWidth = 10;
}

void CBitmapFont2::InitBackground() {
  boxBlend_.Reset();
  Guarded(">> Exception catched in CBitmapFont2::InitBackground\r\n", [&] {
    background = SDL_CreateRGBSurface(SDL_HWSURFACE | SDL_SRCALPHA, kBackgroundWidth, kBackgroundHeight, 16, 0, 0,
                                      0, 0);
    if (!background) return;
    SDL_LockSurface(background);
    Uint32 grey = SDL_MapRGB(background->format, 50, 50, 50);
    for (int y = 0; y < background->h; ++y)
      for (int x = 0; x < background->w; ++x) PutPixel(x, y, grey, background);
    SDL_UnlockSurface(background);
    SDL_SetAlpha(background, SDL_SRCALPHA | SDL_RLEACCEL, 220);
  });
}

void CBitmapFont2::DrawTextBox(const char* text, int x, int y, int alignment) {
  // Wrapped anew every frame: the text and the font may change between frames.
  // Every blank ends a word, so a line of words joined by single blanks is a
  // stretch of the text itself; lines are kept as stretches, without copies.
  if (!text) text = "";
  size_t length = std::strlen(text);
  lines_.assign(1, TextLine{0, 0});
  for (size_t start = 0;; ) {
    const char* blank = static_cast<const char*>(std::memchr(text + start, ' ', length - start));
    size_t end = blank ? static_cast<size_t>(blank - text) : length;
    TextLine& line = lines_.back();
    if (line.from == line.to) {
      line = {start, end};  // a word wider than the box still stands alone on its line
    } else if (GetTextWidth(text + line.from, end - line.from) <= maxLineWidth) {
      line.to = end;  // the line so far, its blank and the word
    } else {
      lines_.push_back({start, end});
    }
    if (end == length) break;
    start = end + 1;
  }

  long long lineHeight = static_cast<long long>(cellHeight) + lineGap;
  long long count = static_cast<long long>(lines_.size());
  long long top = y - count * lineHeight;
  if (top < 10) top = 12;

  long long boxWidth = 0;
  for (const TextLine& line : lines_)
    boxWidth = std::max<long long>(boxWidth, GetTextWidth(text + line.from, line.to - line.from));

  long long left = x;
  if (alignment == 2) left -= boxWidth / 2;
  if (left <= 10) {
    left = 12;
  } else if (left + maxLineWidth + 10 > rightLimit) {
    // The right edge is tested with the wrap width, not the box width.
    left = static_cast<long long>(rightLimit) - maxLineWidth - 12;
  }

  if (background) {
    SDL_Rect source = {0, 0, ClipU16(boxWidth + 20), ClipU16(count * lineHeight + 20)};
    SDL_Rect at = {Clip16(left - 10), Clip16(top - 10), 0, 0};
    if (!shortcuts || !boxBlend_.Blit(background, &source, target, &at)) SDL_UpperBlit(background, &source, target, &at);
  }
  for (size_t i = 0; i < lines_.size(); ++i)
    DrawString(text + lines_[i].from, lines_[i].to - lines_[i].from, static_cast<int>(Clip16(left)),
               static_cast<int>(Clip16(top + static_cast<long long>(i) * lineHeight)));
}
