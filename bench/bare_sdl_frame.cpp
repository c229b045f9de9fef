// The bare SDL yardstick: the reference scene's blits with the loaders' surface flags.
#include "bare_sdl_frame.h"

#include <algorithm>

#include "resources/pixels.h"

namespace {

const int kCellWidth = 7;   // every glyph of the reference font
const int kCellHeight = 14;
const int kSpaceWidth = 10; // the talk font's blank
const char* kSpeech =
    "Dies ist ein langer Satz, der in drei Zeilen umbrochen wird, damit der Kasten gross genug ist "
    "und viele Buchstaben hat.";

int Width(const std::string& text) {
  int width = -1;
  for (char c : text) width += c == ' ' ? kSpaceWidth : kCellWidth;
  return width;
}

}  // namespace

BareSdlFrame::BareSdlFrame(const std::string& folder, int depth) {
  if (SDL_Init(SDL_INIT_VIDEO) == -1) return;
  screen_ = SDL_SetVideoMode(640, 480, depth, SDL_HWSURFACE | SDL_DOUBLEBUF);
  if (!screen_) return;
  std::string at = folder + "/";
  background_ = Load(at + "bg.bmp");
  for (int v = 0; v < 10; ++v) strips_[v] = Load(at + "strip" + std::to_string(v) + ".bmp");
  hero_ = Load(at + "hero.bmp");
  menu_ = Load(at + "menu.bmp");
  for (int b = 0; b < 10; ++b) buttons_[b] = Load(at + "button" + std::to_string(b) + ".bmp");
  for (int i = 0; i < 4; ++i) icons_[i] = Load(at + "icon" + std::to_string(i) + ".bmp");
  cursor_ = Load(at + "cursor.bmp");

  SDL_Surface* fontFile = SDL_LoadBMP((at + "font.bmp").c_str());
  font_ = SDL_DisplayFormat(fontFile);
  SDL_FreeSurface(fontFile);
  SDL_SetColorKey(font_, SDL_SRCCOLORKEY, GetPixel(font_, 1, 0));
  owned_.push_back(font_);

  box_ = SDL_CreateRGBSurface(SDL_HWSURFACE | SDL_SRCALPHA, 800, 300, 16, 0, 0, 0, 0);
  SDL_FillRect(box_, nullptr, SDL_MapRGB(box_->format, 50, 50, 50));
  SDL_SetAlpha(box_, SDL_SRCALPHA | SDL_RLEACCEL, 220);
  owned_.push_back(box_);

  std::string text = kSpeech, word;
  lines_.assign(1, "");
  for (size_t i = 0; i <= text.size(); ++i) {
    if (i < text.size() && text[i] != ' ') {
      word += text[i];
      continue;
    }
    if (lines_.back().empty()) lines_.back() = word;
    else if (Width(lines_.back() + " " + word) <= 280) lines_.back() += " " + word;
    else lines_.push_back(word);
    word.clear();
  }
}

BareSdlFrame::~BareSdlFrame() {
  for (SDL_Surface* s : owned_) SDL_FreeSurface(s);
  if (screen_) SDL_Quit();
}

SDL_Surface* BareSdlFrame::Load(const std::string& file) {
  SDL_Surface* source = SDL_LoadBMP(file.c_str());
  if (!source) return nullptr;
  SDL_Surface* converted = SDL_DisplayFormat(source);
  SDL_FreeSurface(source);
  SDL_SetColorKey(converted, SDL_SRCCOLORKEY, SDL_MapRGB(converted->format, 255, 0, 255));
  owned_.push_back(converted);
  return converted;
}

void BareSdlFrame::DrawText(const std::string& text, int x, int y, int row) {
  int pen = 0;
  for (char c : text) {
    if (c == ' ') {
      pen += kSpaceWidth;
      continue;
    }
    int code = static_cast<unsigned char>(c);
    SDL_Rect source = {static_cast<Sint16>(1 + (code - 1) * (kCellWidth + 1)),
                       static_cast<Sint16>(kCellHeight * row + 1), kCellWidth, kCellHeight - 1};
    SDL_Rect target = {static_cast<Sint16>(x + pen), static_cast<Sint16>(y), 0, 0};
    SDL_UpperBlit(font_, &source, screen_, &target);
    pen += kCellWidth;
  }
}

void BareSdlFrame::Draw(int t) {
  SDL_UpdateRect(screen_, 0, 0, 0, 0);
  // The hero walks 3 pixels a step from 100 to 1180 and back; the view follows.
  int leg = t % 720;
  int heroX = 100 + 3 * (leg < 360 ? leg : 720 - leg);
  int scroll = std::min(0, std::max(-640, 320 - heroX));
  SDL_Rect at = {static_cast<Sint16>(scroll), 0, 0, 0};
  SDL_UpperBlit(background_, nullptr, screen_, &at);

  // Objects by foot line, the hero among them.
  struct Sprite {
    SDL_Surface* strip;
    int x, y, frame;
  };
  Sprite sprites[31];
  for (int i = 0; i < 30; ++i)
    sprites[i] = {strips_[i % 10], 20 + i * 41, 180 + (i * 37) % 200, (t * (6 + i % 5) / 100) % 4};
  sprites[30] = {hero_, heroX, 300 + 4, (t / 10) % 4};
  std::stable_sort(sprites, sprites + 31, [](const Sprite& a, const Sprite& b) { return a.y < b.y; });
  for (const Sprite& s : sprites) {
    SDL_Rect source = {static_cast<Sint16>(64 * s.frame), 0, 64, 128};
    SDL_Rect target = {static_cast<Sint16>(scroll + s.x), static_cast<Sint16>(s.y), 0, 0};
    SDL_UpperBlit(s.strip, &source, screen_, &target);
  }

  // The speaker's three-line box, centred above it.
  int lineCount = static_cast<int>(lines_.size());
  int boxWidth = 0;
  for (const std::string& line : lines_) boxWidth = std::max(boxWidth, Width(line));
  int left = std::max(12, scroll + 143 - boxWidth / 2);
  int top = std::max(12, 291 - kCellHeight - lineCount * kCellHeight);
  SDL_Rect boxArea = {0, 0, static_cast<Uint16>(boxWidth + 20), static_cast<Uint16>(lineCount * kCellHeight + 20)};
  SDL_Rect boxAt = {static_cast<Sint16>(left - 10), static_cast<Sint16>(top - 10), 0, 0};
  SDL_UpperBlit(box_, &boxArea, screen_, &boxAt);
  for (int i = 0; i < lineCount; ++i) DrawText(lines_[i], left, top + i * kCellHeight, 1);

  SDL_Rect menuAt = {0, 380, 0, 0};
  SDL_UpperBlit(menu_, nullptr, screen_, &menuAt);
  for (int b = 0; b < 10; ++b) {
    SDL_Rect frame = {static_cast<Sint16>(b == 9 ? 60 : 0), 0, 60, 28};
    SDL_Rect buttonAt = {static_cast<Sint16>(8 + 62 * (b % 5)), static_cast<Sint16>(386 + 32 * (b / 5)), 0, 0};
    SDL_UpperBlit(buttons_[b], &frame, screen_, &buttonAt);
  }
  DrawText("Verb10 Ding 5", 10, 456, 0);
  for (int i = 0; i < 8; ++i) {
    SDL_Rect area = {0, 0, 34, 34};
    SDL_Rect iconAt = {static_cast<Sint16>(330 + i * 38), 388, 0, 0};
    SDL_UpperBlit(icons_[i % 4], &area, screen_, &iconAt);
  }
  SDL_Rect cursorAt = {212, 262, 0, 0};
  SDL_UpperBlit(cursor_, nullptr, screen_, &cursorAt);
}
