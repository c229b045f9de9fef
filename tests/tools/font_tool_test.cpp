// quillon-font: DejaVu fonts made and read back by the engine's CBitmapFont, checks, bad input.
#include <gtest/gtest.h>

#include <SDL/SDL.h>

#include <algorithm>

#include "font/font_tool.h"
#include "resources/pixels.h"
#include "support/log_capture.h"
#include "support/pictures.h"
#include "support/temp_dir.h"
#include "support/tool_run.h"
#include "text/bitmap_font.h"
#include "tool_test.h"

namespace {

using Result = ToolResult;
Result Font(const std::vector<std::string>& words) { return RunTool(RunFontTool, words); }

int CellHeightIn(const std::string& makeOutput) {
  size_t at = makeOutput.find("cell height ");
  return at == std::string::npos ? 0 : std::atoi(makeOutput.c_str() + at + 12);
}

const char kGreeting[] = "Gr\xFC\xDF" "e";  // "Grüße" as Latin-1 bytes

class FontToolTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SDL_Init(SDL_INIT_VIDEO | SDL_INIT_NOPARACHUTE);
    screen = SDL_SetVideoMode(200, 64, 24, SDL_SWSURFACE);
    ASSERT_NE(screen, nullptr);
  }
  void TearDown() override { SDL_Quit(); }

  // Draws the text at (10, 10) on black and counts the pixels of one colour.
  int CountDrawn(CBitmapFont& font, const char* text, Uint8 r, Uint8 g, Uint8 b) {
    Fill(screen, kBlack);
    font.DrawString(text, 10, 10);
    int count = 0;
    for (int y = 0; y < screen->h; ++y)
      for (int x = 0; x < screen->w; ++x) count += PixelAt(screen, x, y) == Rgb{r, g, b};
    return count;
  }

  TempDir dir;
  SDL_Surface* screen = nullptr;
  LogCapture log;
};

// Reads, changes and saves a font image.
template <typename Change>
void Edit(const std::string& path, Change change) {
  SDL_Surface* image = SDL_LoadBMP(path.c_str());
  ASSERT_NE(image, nullptr);
  SDL_LockSurface(image);
  change(image, GetPixel(image, 1, 0));
  SDL_UnlockSurface(image);
  SDL_SaveBMP(image, path.c_str());
  SDL_FreeSurface(image);
}

TEST_F(FontToolTest, AMadeFontGivesTheEngineEveryLatin1CodeAndCheckNamesEachDamage) {
  Result made = Font({"make", dir.Path("f.bmp"), "--size", "14"});
  ASSERT_EQ(made.status, 0) << made.err;
  int cellHeight = CellHeightIn(made.out);
  const std::string H = std::to_string(cellHeight);
  ASSERT_GT(cellHeight, 14);  // ascender + descender + the undrawn first line
  ASSERT_LT(cellHeight, 24);

  CBitmapFont font(screen, dir.Path("f.bmp"), cellHeight);
  ASSERT_NE(font.image, nullptr);
  EXPECT_EQ(font.image->h, 2 * cellHeight);
  EXPECT_EQ(font.cellCount, 255);
  EXPECT_GT(font.CellOf('W').width, font.CellOf('i').width);
  EXPECT_GT(font.CellOf(' ').width, 0);   // the blank keeps its slot
  EXPECT_EQ(font.CellOf('\n').width, 1);  // control codes: narrow and empty
  EXPECT_EQ(CountDrawn(font, "\n\x85", 255, 255, 255), 0);

  // Row 0 draws white, row 1 yellow; ü has pixels of its own; the background stays transparent.
  int whole = CountDrawn(font, kGreeting, 255, 255, 255);
  EXPECT_GT(whole, 40);
  EXPECT_GT(CountDrawn(font, "\xFC", 255, 255, 255), 10);
  font.colorRow = 1;
  EXPECT_EQ(CountDrawn(font, kGreeting, 255, 255, 0), whole);
  EXPECT_EQ(CountDrawn(font, kGreeting, 255, 0, 255), 0);

  Result check = Font({"check", dir.Path("f.bmp"), "--cell-height", H, "--strict"});
  EXPECT_TRUE(check.status == 0 && check.err.empty()) << check.err;
  EXPECT_TRUE(Has(check.out, "255 cells (codes 1 to 255)"));

  // Glyph-less 'A' and a lost marker joining W and X.
  const CharacterCell a = font.CellOf('A'), w = font.CellOf('W');
  Edit(dir.Path("f.bmp"), [&](SDL_Surface* s, Uint32 bg) {
    SDL_Rect cell = {Sint16(a.x), 1, Uint16(a.width), Uint16(2 * cellHeight - 1)};
    SDL_FillRect(s, &cell, bg);
    PutPixel(w.x + w.width, 0, bg, s);
  });
  Result damaged = Font({"check", dir.Path("f.bmp"), "--cell-height", H});
  EXPECT_EQ(damaged.status, 0);
  EXPECT_TRUE(Has(damaged.out, "254 cells"));
  // Every code after the lost marker moves one cell on: '~' gets the empty cell of 127.
  for (const char* part : {"band 0: empty cells (no glyph pixel) for printable codes 65 'A', 126 '~'\n",
                           "twice the usual width", "codes 87 'W'", "only 254 cells: code 255 has no cell"})
    EXPECT_TRUE(Has(damaged.err, part)) << damaged.err;
  EXPECT_EQ(Font({"check", dir.Path("f.bmp"), "--cell-height", H, "--strict"}).status, 1);

  const std::string lower = std::to_string(cellHeight - 1), higher = std::to_string(cellHeight + 1);
  Result uneven = Font({"check", dir.Path("f.bmp"), "--cell-height", lower});
  EXPECT_TRUE(Has(uneven.err, "the height " + std::to_string(2 * cellHeight) + " is not a multiple of the cell height " +
                                  lower)) << uneven.err;
  Result short_ = Font({"check", dir.Path("f.bmp"), "--cell-height", higher});
  EXPECT_TRUE(short_.status == 1 && Has(short_.err, "two bands of cell height " + higher)) << short_.err;
}

TEST_F(FontToolTest, BandsFollowTheColoursAndTheOutlineRingsTheGlyphs) {
  Result made = Font({"make", dir.Path("f.bmp"), "--size", "12", "--colour", "00FF00", "--colour", "#8080ff",
                      "--colour", "FFFFFF", "--outline", "000080", "--background", "000000", "--marker", "00FFFF"});
  ASSERT_EQ(made.status, 0) << made.err;
  const int cellHeight = CellHeightIn(made.out);
  CBitmapFont font(screen, dir.Path("f.bmp"), cellHeight);
  EXPECT_EQ(font.image->h, 3 * cellHeight);
  font.colorRow = 2;
  int ink = CountDrawn(font, "Hi", 255, 255, 255);
  EXPECT_GT(ink, 10);
  EXPECT_GT(CountDrawn(font, "Hi", 0, 0, 128), ink);  // straight stems are ringed on both sides
  EXPECT_EQ(CountDrawn(font, "Hi", 0, 255, 0), 0);
  // The ring closes above and below the letters too: its rows reach one beyond the ink's.
  int inkTop = -1, inkBottom = -1, ringTop = -1, ringBottom = -1;
  for (int y = 0; y < screen->h; ++y)
    for (int x = 0; x < screen->w; ++x) {
      if (PixelAt(screen, x, y) == kWhite) inkBottom = y, inkTop = inkTop < 0 ? y : inkTop;
      if (PixelAt(screen, x, y) == Rgb{0, 0, 128}) ringBottom = y, ringTop = ringTop < 0 ? y : ringTop;
    }
  EXPECT_EQ(ringTop, inkTop - 1);
  EXPECT_EQ(ringBottom, inkBottom + 1);
  Result check = Font({"check", dir.Path("f.bmp"), "--cell-height", std::to_string(cellHeight)});
  EXPECT_TRUE(Has(check.out, "marker colour 00FFFF, background colour 000000")) << check.out;
}

TEST_F(FontToolTest, CheckNamesMarkersSideBySideMissingOrDriftedInALossySave) {
  // Markers side by side, then no markers at all.
  SaveBmp(MakeTestFontSurface(), dir.Path("tiny.bmp"));
  Edit(dir.Path("tiny.bmp"), [](SDL_Surface* s, Uint32) { PutPixel(7, 0, GetPixel(s, 0, 0), s); });
  Result tiny = Font({"check", dir.Path("tiny.bmp"), "--cell-height", std::to_string(kTestCellHeight)});
  EXPECT_TRUE(Has(tiny.err, "zero-width cells (they draw nothing) for codes 2\n")) << tiny.err;
  Edit(dir.Path("tiny.bmp"), [](SDL_Surface* s, Uint32 bg) {
    for (int x = 2; x < s->w; ++x) PutPixel(x, 0, bg, s);
  });
  Result bare = Font({"check", dir.Path("tiny.bmp"), "--cell-height", std::to_string(kTestCellHeight)});
  EXPECT_EQ(bare.status, 1);
  EXPECT_TRUE(Has(bare.err, dir.Path("tiny.bmp") + ": no cell markers")) << bare.err;

  for (Rgb second : {Rgb{255, 0, 0}, Rgb{250, 8, 4}}) {
    SaveBmp(Paint(11, 16, kMagenta, {{0, 0, 1, 1, {255, 0, 0}}, {6, 0, 1, 1, second}, {10, 0, 1, 1, second},
                                     {1, 2, 4, 4, kWhite}, {7, 2, 3, 4, kWhite}, {1, 10, 4, 4, kWhite},
                                     {7, 10, 3, 4, kWhite}}),
            dir.Path("font.bmp"));
    Result check = Font({"check", dir.Path("font.bmp"), "--cell-height", "8"});
    bool drifted = second != Rgb{255, 0, 0};
    EXPECT_EQ(check.status, drifted ? 1 : 0) << check.err;
    EXPECT_EQ(Has(check.err, "row 0: 2 pixels are close to the marker colour FF0000 but not equal"), drifted)
        << check.err;
  }
}

TEST(FontTool, CheckWorksWithoutVideoAndBadInputGivesOneLineAndFails) {
  SDL_Quit();  // the authoring tools never open SDL video: the engine's font reads its cells from a software copy
  TempDir dir;
  SaveBmp(MakeTestFontSurface(), dir.Path("tiny.bmp"));
  Result tiny = Font({"check", dir.Path("tiny.bmp"), "--cell-height", std::to_string(kTestCellHeight)});
  EXPECT_TRUE(tiny.status == 0 && Has(tiny.out, "2 cells (codes 1 to 2)")) << tiny.out << tiny.err;
  dir.Write("text.bmp", "not an image\n");
  dir.Write("face.ttf", "not a face either\n");
  struct Case {
    std::vector<std::string> words;
    std::string message;
  } cases[] = {
      {{"make", dir.Path("o.bmp"), "--face", dir.Path("gone.ttf")}, dir.Path("gone.ttf") + ": cannot read the file"},
      {{"make", dir.Path("o.bmp"), "--face", dir.Path("face.ttf")}, dir.Path("face.ttf") + ": not a font file"},
      {{"make", dir.Path("o.bmp"), "--colour", "yellow"}, "--colour 'yellow' is not a colour"},
      {{"make", dir.Path("o.bmp"), "--colour", "FF0101"}, "--colour FF0101 is too close to the marker colour FF0000"},
      {{"make", dir.Path("no/such/dir/o.bmp")}, dir.Path("no/such/dir/o.bmp") + ": cannot write the image"},
      {{"check", dir.Path("text.bmp"), "--cell-height", "10"}, dir.Path("text.bmp") + ": not a readable BMP image"},
      {{"check", dir.Path("text.bmp")}, "give the font image and --cell-height H"},
      {{"draw"}, "unknown command 'draw'"},
  };
  for (const Case& c : cases) {
    Result r = Font(c.words);
    EXPECT_NE(r.status, 0) << c.message;
    EXPECT_TRUE(r.err.rfind(c.message, 0) == 0 || Has(r.err, ": " + c.message)) << r.err;
    if (c.words[0] != "draw") EXPECT_EQ(Lines(r.err), 1) << r.err;
  }
  EXPECT_EQ(Font({"--help"}).status, 0);
}

}  // namespace
