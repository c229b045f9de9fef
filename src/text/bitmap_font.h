// Bitmap fonts: single-line text (CBitmapFont) and word-wrapped text boxes (CBitmapFont2).
#pragma once

#include <SDL/SDL.h>

#include <string>
#include <vector>

#include "resources/sprite_runs.h"
#include "text/box_blend.h"

// One character cell of the font image. Codes without a cell keep the zeros.
struct CharacterCell {
  int width = 0;     // pixels between the two markers
  int height = 0;    // the font's cell height
  int x = 0;         // left column in the image
  int reserved = 0;  // always 0
};

// A font image is a stack of bands, one per colour row; row 0 of the first band
// marks the cell boundaries, pixel (1, 0) gives the transparent colour.
class CBitmapFont {
 public:
  static const int kCellCount = 256;

  // Loads the image file (LoadBitmapFont), then builds the cells.
  CBitmapFont(SDL_Surface* target, const std::string& file, int cellHeight);
  // Builds the cells from a copy of the surface; the caller keeps the surface.
  CBitmapFont(SDL_Surface* target, SDL_Surface* source, int cellHeight);
  virtual ~CBitmapFont();
  CBitmapFont(const CBitmapFont&) = delete;
  CBitmapFont& operator=(const CBitmapFont&) = delete;

  // Loads the BMP file into image and builds the cells; a failure leaves image null.
  void LoadBitmapFont(const std::string& file, int cellHeight);
  // Converts image to display format with the background colour as key and fills the cells.
  void InitCharacters();
  // One line, left edge at x, top at y.
  void DrawString(const char* text, int x, int y);
  // The same for the first length bytes of text.
  void DrawString(const char* text, size_t length, int x, int y);
  // Width in pixels; -1 for a null or empty text.
  int GetTextWidth(const char* text) const;
  // The same for the first length bytes of text.
  int GetTextWidth(const char* text, size_t length) const;
  // The cell of a byte; codes without a cell give an empty one.
  const CharacterCell& CellOf(unsigned char code) const;

  SDL_Surface* image = nullptr;    // the font image in display format; owned; null if loading failed
  int cellHeight = 0;              // height of one band
  int colorRow = 0;                // band drawn with
  int letterSpacing = 1;           // pixels after each drawn character
  int spaceWidth = 3;              // pixels a blank advances
  SDL_Surface* target = nullptr;   // surface drawn on (the screen)
  SDL_Rect sourceRect = {};        // scratch of DrawString
  SDL_Rect targetRect = {};        // scratch of DrawString
  CharacterCell cells[kCellCount]; // code k at index k - 1
  int cellCount = 0;               // cells found in row 0
  bool shortcuts = true;           // glyphs from opaque runs, boxes through blend tables; false: SDL alone

 private:
  bool ownsImage_ = false;  // image is ours to free (not the caller's surface)
  SpriteRuns glyphRuns_;    // opaque runs of image, rebuilt whenever image changes
};

class CBitmapFont2 : public CBitmapFont {
 public:
  CBitmapFont2(SDL_Surface* target, const std::string& file, int cellHeight, int maxLineWidth, int lineGap,
               int rightLimit);
  CBitmapFont2(SDL_Surface* target, SDL_Surface* source, int cellHeight, int maxLineWidth, int lineGap,
               int rightLimit);
  ~CBitmapFont2() override;

  // Creates the translucent grey box background.
  void InitBackground();
  // Wraps the text into lines no wider than maxLineWidth and draws it in its box,
  // the last line ending just above y. Alignment 2 centres the box on x.
  void DrawTextBox(const char* text, int x, int y, int alignment);

  int maxLineWidth = 0;              // wrap width
  int rightLimit = 0;                // x the box must not pass
  int lineGap = 0;                   // extra pixels between lines
  SDL_Surface* background = nullptr; // 800 x 300 box background; owned

 private:
  // One wrapped line of a text box: the bytes from..to of the text.
  struct TextLine {
    size_t from, to;
  };

  BoxBlend boxBlend_;             // blend tables of background over the target's format
  std::vector<TextLine> lines_;   // scratch of DrawTextBox, kept to spare an allocation per frame
  void UseTextBoxSpacing();
};
