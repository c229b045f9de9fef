// Bitmap fonts: cells from the marker row, widths, drawing by colour row, text boxes. Without video (the
// tools' case) the font's cells are read in the font tool's test.
#include <gtest/gtest.h>

#include <SDL/SDL.h>

#include "resources/pixels.h"
#include "support/log_capture.h"
#include "support/pictures.h"
#include "text/bitmap_font.h"

namespace {

// A spot of the screen and what it shows: 'w' white, '.' black, '1' the
// colour of font row 1, 'g' the text box's grey, 'x' anything but white.
struct Spot {
  int x, y;
  char shows;
};

class BitmapFontTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SDL_Init(SDL_INIT_VIDEO | SDL_INIT_NOPARACHUTE);
    screen = SDL_SetVideoMode(640, 480, 32, SDL_SWSURFACE);
    ASSERT_NE(screen, nullptr);
    Fill(screen, kBlack);
    source = MakeTestFontSurface();
  }
  void TearDown() override {
    SDL_FreeSurface(source);
    SDL_Quit();
  }
  Rgb At(int x, int y) { return PixelAt(screen, x, y); }
  void ExpectPixels(const std::vector<Spot>& spots, const std::string& what = "") {
    for (const Spot& s : spots) {
      Rgb c = At(s.x, s.y);
      bool right = s.shows == 'g' ? IsBoxGreyOverBlack(c) : s.shows == 'x' ? c != kWhite
                   : c == (s.shows == 'w' ? kWhite : s.shows == '1' ? kFontRow1 : kBlack);
      EXPECT_TRUE(right) << what << " at " << s.x << "," << s.y << " shows " << c << ", not '" << s.shows << "'";
    }
  }
  SDL_Surface* screen = nullptr;
  SDL_Surface* source = nullptr;
  LogCapture log;
};

TEST_F(BitmapFontTest, MarkersInRowZeroMakeTheCells) {
  CBitmapFont font(screen, source, kTestCellHeight);
  EXPECT_EQ(log.Text(), "Initialized 2 Characters\n");  // the drawing test shows where they lie
  for (int code : {0, 3, 255}) EXPECT_EQ(font.CellOf(code).width, 0) << code;  // empty, never garbage
  EXPECT_NE(font.image, source);  // the font draws from its own copy
  // "\x01 \x02" is -1 + 6 + 3 + 4 wide; "\x03" has no cell: the spacing only.
  for (auto [text, width] : {std::pair<const char*, int>{"\x01 \x02", 12}, {"", -1}, {nullptr, -1}, {"\x03", 0}})
    EXPECT_EQ(font.GetTextWidth(text), width) << (text ? text : "null");

  // At most 256 cells are recorded.
  SDL_Surface* wide = Paint(600, 8, kBlack);
  for (int x = 0; x < 600; x += 2) PutPixel(x, 0, SDL_MapRGB(wide->format, 255, 0, 0), wide);
  log.Clear();
  CBitmapFont many(screen, wide, 8);
  SDL_FreeSurface(wide);
  EXPECT_EQ(log.Text(), "Initialized 256 Characters\n");
  EXPECT_EQ(many.CellOf(255).x, 509);
  EXPECT_EQ(many.CellOf(255).width, 1);
}

TEST_F(BitmapFontTest, DrawsEachColourRowFromItsBandWithoutItsFirstLineAndImpossibleOnesNotAtAll) {
  CBitmapFont font(screen, source, kTestCellHeight);
  font.DrawString("\x01 \x02", 100, 50);
  font.colorRow = 1;
  font.DrawString("\x01", 200, 50);
  ExpectPixels({
      {100, 50, 'w'}, {104, 56, 'w'},  // cell 1 from source (1, 1) to its last row and column
      {102, 53, '.'},                  // the background hole is transparent
      {100, 57, '.'}, {100, 49, '.'},  // seven rows only: the marker row is not drawn
      {105, 50, '.'}, {108, 50, '.'},  // spacing and the blank
      {109, 50, 'w'}, {111, 50, 'w'}, {112, 50, '.'},  // cell 2 after 5 + 1 + 3
      {200, 50, '1'}, {204, 56, '1'}, {202, 53, '.'}, {200, 57, '.'},  // colour row 1
  });

  for (int row : {2, -1, 2147483647}) {
    font.colorRow = row;
    font.DrawString("\x01\x02", 10, 10);
  }
  font.colorRow = 0;
  font.DrawString("\x03\x04\xff", 10, 10);
  for (int height : {0, -8}) {
    font.cellHeight = height;
    font.DrawString("\x01", 10, 10);
  }
  font.cellHeight = kTestCellHeight;
  font.DrawString("\x01", 40000, -40000);
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 40; ++x) ASSERT_EQ(At(x, y), kBlack) << x << "," << y;
}

// Font files go through the same cell reading (Speech.FontLoadersBuildTheThreeFonts loads one and reports a
// missing one); a font without an image draws nothing (the last TextBoxTest case).

// Talk-font spacing: letters touch, a blank is 10 wide; "\x01" measures 4.
using TextBoxTest = BitmapFontTest;

TEST_F(TextBoxTest, BoxesCentreWrapAndStayInsideTheScreen) {
  const struct {
    int width;  // the longest line
    const char* text;
    int x, y, alignment;
    std::vector<Spot> spots;
  } cases[] = {
      // One line: text top 92; width 4, centred: text left 298; box (288, 82) 24 x 28.
      {100, "\x01", 300, 100, 2,
       {{298, 92, 'w'}, {288, 82, 'g'}, {311, 109, 'g'}, {287, 82, '.'}, {288, 81, '.'}, {312, 109, '.'},
        {311, 110, '.'}}},
      {100, "\x01", 300, 15, 2, {{298, 12, 'w'}, {288, 2, 'g'}, {288, 1, '.'}}},   // top 7 is above 10: text top 12
      {100, "\x01", 5, 200, 2, {{12, 192, 'w'}, {2, 182, 'g'}, {1, 182, '.'}}},    // left 3: text left 12
      {100, "\x01", 11, 200, 1, {{11, 192, 'w'}}},  // left-aligned just right of the clamp: stays
      // 598 + 100 + 10 passes 640: 640 - 100 - 12.
      {100, "\x01", 600, 200, 2, {{528, 192, 'w'}, {518, 182, 'g'}, {517, 182, '.'}}},
      // "\x01 \x02" measures 4 + 10 + 3 = 17 > 14: line 0 at 200 - 16 holds cell 1 (5 wide), line 1 cell 2 (3 wide).
      {14, "\x01 \x02", 100, 200, 1, {{100, 184, 'w'}, {104, 184, 'w'}, {100, 192, 'w'}, {103, 192, 'x'}}},
      {17, "\x01 \x02", 100, 200, 1, {{100, 192, 'w'}, {100, 184, 'x'}}},  // exactly as wide: one line, at 200 - 8
      // A 20-pixel word in a 14-pixel box: alone on line 0, unwrapped; "\x02" on line 1.
      {14, "\x01\x01\x01\x01\x01 \x02", 100, 200, 1, {{119, 184, 'w'}, {100, 192, 'w'}, {100, 176, 'x'}}},
  };
  for (const auto& c : cases) {
    Fill(screen, kBlack);
    CBitmapFont2 font(screen, source, kTestCellHeight, c.width, 0, 640);
    font.DrawTextBox(c.text, c.x, c.y, c.alignment);
    ExpectPixels(c.spots, std::to_string(c.x) + "," + std::to_string(c.y) + " width " + std::to_string(c.width));
  }
  CBitmapFont2 font(screen, source, kTestCellHeight, 100, 0, 640);
  EXPECT_EQ(font.background->format->alpha, 220);  // the grey check cannot tell 220 from opaque

  // Without a font image only the box is drawn.
  Fill(screen, kBlack);
  CBitmapFont2 blank(screen, std::string("no-such-font.bmp"), kTestCellHeight, 100, 0, 640);
  ASSERT_NE(blank.background, nullptr);
  blank.DrawTextBox("\x01", 300, 100, 1);
  ExpectPixels({{290, 82, 'g'}, {300, 92, 'g'}});
}

}  // namespace
