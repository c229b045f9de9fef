// Bitmap fonts: cells from the marker row, widths, drawing by colour row, text boxes.
#include <gtest/gtest.h>

#include <SDL/SDL.h>

#include "resources/pixels.h"
#include "support/log_capture.h"
#include "support/pictures.h"
#include "support/temp_dir.h"
#include "text/bitmap_font.h"

namespace {

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
  struct Spot {
    int x, y;
    Rgb colour;
  };
  void ExpectPixels(const std::vector<Spot>& spots) {
    for (const Spot& s : spots) EXPECT_EQ(At(s.x, s.y), s.colour) << s.x << "," << s.y;
  }
  SDL_Surface* screen = nullptr;
  SDL_Surface* source = nullptr;
  LogCapture log;
};

TEST_F(BitmapFontTest, MarkersInRowZeroMakeTheCells) {
  CBitmapFont font(screen, source, kTestCellHeight);
  EXPECT_EQ(log.Text(), "Initialized 2 Characters\n");  // the drawing test shows where they lie
  // Codes without a cell are empty, never garbage.
  for (int code : {0, 3, 255}) EXPECT_EQ(font.CellOf(code).width, 0) << code;
  // The caller's surface is left alone: the font draws from its own copy.
  EXPECT_NE(font.image, source);

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

TEST_F(BitmapFontTest, TextWidthCountsSpacingCellsAndBlanks) {
  CBitmapFont font(screen, source, kTestCellHeight);
  EXPECT_EQ(font.GetTextWidth("\x01 \x02"), 12);  // -1 + 6 + 3 + 4
  EXPECT_EQ(font.GetTextWidth(""), -1);
  EXPECT_EQ(font.GetTextWidth(nullptr), -1);
  EXPECT_EQ(font.GetTextWidth("\x03"), 0);  // no cell: the spacing only
}

TEST_F(BitmapFontTest, DrawsEachColourRowFromItsBandWithoutItsFirstLine) {
  CBitmapFont font(screen, source, kTestCellHeight);
  font.DrawString("\x01 \x02", 100, 50);
  font.colorRow = 1;
  font.DrawString("\x01", 200, 50);
  ExpectPixels({
      {100, 50, kWhite},  // cell 1, source (1, 1)
      {104, 56, kWhite},  // its last row and column
      {102, 53, kBlack},  // the background hole is transparent
      {100, 57, kBlack},  // seven rows only
      {100, 49, kBlack},  // the marker row is not drawn
      {105, 50, kBlack},  // spacing and the blank
      {108, 50, kBlack},
      {109, 50, kWhite},  // cell 2 after 5 + 1 + 3
      {111, 50, kWhite},
      {112, 50, kBlack},
      {200, 50, kFontRow1}, {204, 56, kFontRow1}, {202, 53, kBlack}, {200, 57, kBlack},  // colour row 1
  });
}

TEST_F(BitmapFontTest, ImpossibleBandsAndCodesDrawNothing) {
  CBitmapFont font(screen, source, kTestCellHeight);
  for (int row : {2, -1, 2147483647}) {
    font.colorRow = row;
    font.DrawString("\x01\x02", 10, 10);
  }
  font.colorRow = 0;
  font.DrawString("\x03\x04\xff", 10, 10);
  font.cellHeight = 0;
  font.DrawString("\x01", 10, 10);
  font.cellHeight = -8;
  font.DrawString("\x01", 10, 10);
  font.cellHeight = kTestCellHeight;
  font.DrawString("\x01", 40000, -40000);
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 40; ++x) ASSERT_EQ(At(x, y), kBlack) << x << "," << y;
}

TEST_F(BitmapFontTest, LoadsFontFilesWithTheBackgroundAsColourKeyAndReportsBrokenOnes) {
  TempDir dir;
  SaveBmp(MakeTestFontSurface(), dir.Path("font.bmp"));
  CBitmapFont font(screen, dir.Path("font.bmp"), kTestCellHeight);
  EXPECT_EQ(log.Text(), "Initialized 2 Characters\n");
  ASSERT_NE(font.image, nullptr);
  EXPECT_TRUE(font.image->flags & SDL_SRCCOLORKEY);
  Rgb key;
  SDL_GetRGB(font.image->format->colorkey, font.image->format, &key.r, &key.g, &key.b);
  EXPECT_EQ(key, kFontBackground);

  dir.Write("text.bmp", "not an image at all");
  for (const std::string& name : {dir.Path("missing.bmp"), dir.Path("text.bmp")}) {
    log.Clear();
    CBitmapFont broken(screen, name, kTestCellHeight);
    EXPECT_EQ(log.Text().rfind("Can't load font-image (" + name + "): ", 0), 0u) << log.Text();
    EXPECT_EQ(log.Text().back(), '\n');
    EXPECT_EQ(broken.image, nullptr);
    broken.DrawString("\x01", 0, 0);
    EXPECT_EQ(At(0, 0), kBlack);
  }
}

TEST(BitmapFontWithoutVideo, ToolsBuildTheCellsFromASoftwareCopy) {
  SDL_Quit();  // the authoring tools never open SDL video
  LogCapture log;
  SDL_Surface* source = MakeTestFontSurface();
  CBitmapFont font(nullptr, source, kTestCellHeight);
  SDL_FreeSurface(source);
  ASSERT_NE(font.image, nullptr);
  EXPECT_EQ(font.cellCount, 2);
  EXPECT_EQ(font.CellOf(2).x, 7);
}

// Talk-font spacing: letters touch, a blank is 10 wide; "\x01" measures 4.
using TextBoxTest = BitmapFontTest;

TEST_F(TextBoxTest, TheBoxIsTranslucentGreyAroundTheCentredText) {
  CBitmapFont2 font(screen, source, kTestCellHeight, 100, 0, 640);
  ASSERT_NE(font.background, nullptr);
  EXPECT_EQ(font.background->format->alpha, 220);  // the grey check below cannot tell 220 from opaque
  font.DrawTextBox("\x01", 300, 100, 2);
  // One line: text top 92; width 4, centred: text left 298; box (288, 82) 24 x 28.
  EXPECT_TRUE(IsBoxGreyOverBlack(At(288, 82)));
  EXPECT_TRUE(IsBoxGreyOverBlack(At(311, 109)));
  ExpectPixels({{298, 92, kWhite}, {287, 82, kBlack}, {288, 81, kBlack}, {312, 109, kBlack}, {311, 110, kBlack}});

  // Without a font image only the box is drawn.
  Fill(screen, kBlack);
  CBitmapFont2 blank(screen, std::string("no-such-font.bmp"), kTestCellHeight, 100, 0, 640);
  ASSERT_NE(blank.background, nullptr);
  blank.DrawTextBox("\x01", 300, 100, 1);
  EXPECT_TRUE(IsBoxGreyOverBlack(At(290, 82)));
  EXPECT_TRUE(IsBoxGreyOverBlack(At(300, 92)));
}

TEST_F(TextBoxTest, BoxesAreKeptInsideTheScreenEdges) {
  CBitmapFont2 font(screen, source, kTestCellHeight, 100, 0, 640);
  font.DrawTextBox("\x01", 300, 15, 2);  // top 7 is above 10: text top 12
  EXPECT_EQ(At(298, 12), kWhite);
  EXPECT_TRUE(IsBoxGreyOverBlack(At(288, 2)));
  EXPECT_EQ(At(288, 1), kBlack);

  Fill(screen, kBlack);
  font.DrawTextBox("\x01", 5, 200, 2);  // left 3: text left 12
  EXPECT_EQ(At(12, 192), kWhite);
  EXPECT_TRUE(IsBoxGreyOverBlack(At(2, 182)));
  EXPECT_EQ(At(1, 182), kBlack);

  Fill(screen, kBlack);
  font.DrawTextBox("\x01", 11, 200, 1);  // left-aligned just right of the clamp: stays
  EXPECT_EQ(At(11, 192), kWhite);

  Fill(screen, kBlack);
  font.DrawTextBox("\x01", 600, 200, 2);  // 598 + 100 + 10 passes 640: 640 - 100 - 12
  EXPECT_EQ(At(528, 192), kWhite);
  EXPECT_TRUE(IsBoxGreyOverBlack(At(518, 182)));
  EXPECT_EQ(At(517, 182), kBlack);
}

TEST_F(TextBoxTest, WordsWrapGreedilyAndAnOverlongWordStandsAlone) {
  CBitmapFont2 font(screen, source, kTestCellHeight, 14, 0, 640);
  // "\x01 \x02" measures 4 + 10 + 3 = 17 > 14: two lines, the first at 200 - 16.
  font.DrawTextBox("\x01 \x02", 100, 200, 1);
  ExpectPixels({{100, 184, kWhite}, {100, 192, kWhite}, {104, 184, kWhite}});  // line 0: cell 1, 5 wide
  EXPECT_NE(At(103, 192), kWhite);                                          // line 1: cell 2, 3 wide

  Fill(screen, kBlack);
  CBitmapFont2 exact(screen, source, kTestCellHeight, 17, 0, 640);
  exact.DrawTextBox("\x01 \x02", 100, 200, 1);  // exactly as wide as the box: one line, at 200 - 8
  EXPECT_EQ(At(100, 192), kWhite);
  EXPECT_NE(At(100, 184), kWhite);

  Fill(screen, kBlack);
  // A 20-pixel word in a 14-pixel box: alone on line 0, unwrapped; "\x02" on line 1.
  font.DrawTextBox("\x01\x01\x01\x01\x01 \x02", 100, 200, 1);
  EXPECT_EQ(At(119, 184), kWhite);
  EXPECT_EQ(At(100, 192), kWhite);
  EXPECT_NE(At(100, 176), kWhite);
}

}  // namespace
