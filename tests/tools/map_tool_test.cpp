// quillon-map: text round trips, the checker on maps made for each problem,
// the engine's paths, drawings the engine loads, and bad input.
#include <gtest/gtest.h>

#include <SDL/SDL.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>
#include <sstream>

#include "map/map_tool.h"
#include "resources/images.h"
#include "resources/pack_writer.h"
#include "support/pictures.h"
#include "support/temp_dir.h"
#include "support/tool_run.h"
#include "support/walk_map_bytes.h"
#include "tool_test.h"

namespace {

using Result = ToolResult;
Result Map(const std::vector<std::string>& words) { return RunTool(RunMapTool, words); }

// The findings of a check: its lines naming an error or a warning.
std::vector<std::string> Findings(const Result& r) {
  std::vector<std::string> found;
  std::istringstream lines(r.out);
  for (std::string line; std::getline(lines, line);)
    if (Has(line, ": error: ") || Has(line, ": warning: ")) found.push_back(line);
  return found;
}

const char kRoomText[] =
    "# The bar\n"
    "\n"
    "counter: 10,300  200,300  200,400  10,400   # the floor in front of the counter\n"
    "(200,300) (400,300) (400,400) (200,400)\n"
    "door:400,300,520,300,520,400,400,400\n"
    "\t200 , 220   400,220   400,300   200,300\n";

TEST(MapTool, CompileDecompileCompileIsByteIdenticalAndPacksAndPartialBoxesRead) {
  TempDir dir;
  dir.Write("room.txt", std::string(kRoomText) + "far: 65535,0 65535,1 0,65535 0,0\n");
  Result compiled = Map({"compile", dir.Path("room.txt"), dir.Path("room.map")});
  ASSERT_EQ(compiled.status, 0) << compiled.err;
  EXPECT_TRUE(Has(compiled.out, "5 boxes from " + dir.Path("room.txt"))) << compiled.out;
  EXPECT_TRUE(Has(compiled.out, "  box 2  line 5  door\n")) << compiled.out;
  EXPECT_EQ(dir.Read("room.map"),
            MapBytes({Rect(10, 300, 200, 400), Rect(200, 300, 400, 400), Rect(400, 300, 520, 400),
                      Rect(200, 220, 400, 300), Box{{{65535, 0}, {65535, 1}, {0, 65535}, {0, 0}}}}));

  // Without a TEXT the text goes to standard output.
  std::string back = Map({"decompile", dir.Path("room.map")}).out;
  EXPECT_TRUE(Has(back, "10,300       200,300      200,400      10,400       # box 0\n")) << back;
  dir.Write("back.txt", back);
  ASSERT_EQ(Map({"compile", dir.Path("back.txt"), dir.Path("again.map")}).status, 0);
  EXPECT_EQ(dir.Read("again.map"), dir.Read("room.map"));

  // A text saved with a byte order mark and Windows line ends reads the same.
  dir.Write("bom.txt", "\xEF\xBB\xBF" "10,20 100,20 100,80 10,80\r\n");
  ASSERT_EQ(Map({"compile", dir.Path("bom.txt"), dir.Path("bom.map")}).status, 0);
  EXPECT_EQ(dir.Read("bom.map"), MapBytes({Rect(10, 20, 100, 80)}));

  std::string two = MapBytes({Rect(0, 0, 100, 100), Rect(100, 0, 200, 100)});
  dir.Write("forty.map", two + std::string(8, '\x01'));
  Result decompiled = Map({"decompile", dir.Path("forty.map")});
  EXPECT_TRUE(Has(decompiled.out, "# box 1\n") && !Has(decompiled.out, "# box 2")) << decompiled.out;
  EXPECT_EQ(decompiled.err, "quillon-map: " + dir.Path("forty.map") +
                                ": warning: 40 bytes is not a multiple of 16: the last 8 bytes are no whole box "
                                "and the engine ignores them\n");
  Result check = Map({"check", dir.Path("forty.map")});
  EXPECT_EQ(check.status, 0);
  EXPECT_EQ(Findings(check).size(), 1u) << check.out;
  EXPECT_EQ(Map({"check", "--strict", dir.Path("forty.map")}).status, 1);

  // Entry 1 of a script pack, addressed as scripts address it (entries it cannot use: BadInput).
  dir.Write("maps.dat", BuildDataPack({"x", two, two + "ab"}));
  Result fromPack = Map({"check", dir.Path("maps.dat") + ":1"});
  EXPECT_TRUE(fromPack.status == 0 && Has(fromPack.out, "2 boxes")) << fromPack.out << fromPack.err;
}

// A 2 x 2 block (boxes 0, 3, 4, 5) beside the way from box 7 to box 2: the search enters the block first.
std::vector<Box> RingFloor() {
  return {Rect(200, 100, 300, 200), Rect(100, 200, 200, 300), Rect(0, 0, 100, 100),
          Rect(300, 100, 400, 200), Rect(300, 0, 400, 100),   Rect(200, 0, 300, 100),
          Rect(0, 200, 100, 300),   Rect(200, 200, 300, 300), Rect(0, 100, 100, 200)};
}

std::vector<Box> JumpFloor() {
  return {Rect(300, 0, 400, 100),   Rect(200, 100, 300, 200), Rect(100, 200, 200, 300), Rect(0, 200, 100, 300),
          Rect(0, 0, 100, 100),     Rect(0, 100, 100, 200),   Rect(200, 200, 300, 300), Rect(200, 0, 300, 100),
          Rect(300, 200, 400, 300), Rect(300, 100, 400, 200)};
}

TEST(MapTool, CheckFindsEachKindOfProblemInAMapMadeForIt) {
  TempDir dir;
  SaveBmp(Paint(320, 200, kGrey), dir.Path("bg.bmp"));
  const Box arrow{{{0, 0}, {100, 50}, {0, 100}, {50, 50}}};  // its centre (37,50) lies in its notch
  const Box bowTie{{{0, 0}, {100, 100}, {100, 0}, {0, 100}}};
  const Box flat{{{0, 0}, {50, 0}, {100, 0}, {200, 0}}};
  const Box square = Rect(0, 0, 100, 100);
  struct {
    std::vector<Box> boxes;
    const char* kind;     // "error", "warning", or "" for a map without findings
    std::string finding;  // a part of its line
    std::vector<std::string> options;
  } maps[] = {
      // A row of three, a box on each end going up, a 2 x 2 corner whose diagonal boxes meet in one corner;
      // it reaches x 400 and y 400: corners on the background's edge lie inside it.
      {{Rect(0, 300, 100, 400), Rect(100, 300, 200, 400), Rect(200, 300, 300, 400), Rect(200, 200, 300, 300),
        Rect(300, 200, 400, 300), Rect(300, 100, 400, 200), Rect(200, 100, 300, 200)},
       "", "  box 3: (200,200) (300,200) (300,300) (200,300)  centre (250,250)  neighbours: 2, 4, 6\n",
       {"--size", "400", "400"}},
      {{square, Rect(100, 20, 200, 80)}, "warning",
       "lies on the edge (100,80)-(100,20) of box 1, but the engine connects boxes only through two shared corners"},
      {{square, Rect(100, 100, 200, 200)}, "warning", "touch only in the corner (100,100)"},
      {{square, Box{{{50, 100}, {150, 200}, {0, 200}, {20, 150}}}}, "warning",
       "the corner (50,100) of box 1 lies on the edge (100,100)-(0,100) of box 0"},
      {{square, Rect(100, 0, 200, 100), Rect(300, 0, 400, 100), Rect(400, 0, 500, 100)}, "warning",
       "boxes 2 and 3 cannot be reached from box 0"},
      {{bowTie}, "error", "box 0 crosses itself: its edges (0,0)-(100,100) and (100,0)-(0,100) cross at about (50,50)"},
      {{Rect(0, 0, 700, 100)}, "error",
       "box 0 reaches outside the background of 640 x 480: corners (700,0), (700,100).",
       {"--size", "640", "480"}},
      {{Rect(0, 0, 320, 200), Rect(320, 0, 330, 200)}, "error",
       "box 1 reaches outside the background of 320 x 200: corners (330,0), (330,200).",
       {"--background", dir.Path("bg.bmp")}},
      {{arrow}, "error", "box 0's centre (37,50) (the average of its corners) lies outside the box"},
      {{square, flat}, "error", "box 1 has no area"},
      {{square, Rect(50, 50, 150, 150)}, "warning", "boxes 0 and 1 overlap but are not connected"},
      {{square, Rect(101, 0, 200, 100)}, "warning",
       "the corner (100,0) of box 0 and the corner (101,0) of box 1 are only 1 pixel apart"},
      {{square, Rect(100, 0, 20100, 100), Rect(20100, 0, 20200, 100)}, "warning",
       "never steps into a box whose centre lies 9999 pixels or more from the target, and the centre (10100,50)"},
      {{square, Rect(100, 0, 19998, 100), Rect(19998, 0, 20098, 100)}, "warning",
       "the centre (10049,50) of box 1 is 9999 pixels from it"},  // exactly at the limit
      {RingFloor(), "warning", "finds no way from box 7 to box 2, although they are connected (7-1-6-8-2)"},
      {JumpFloor(), "warning", "the engine's path from box 6 to box 4 jumps from (350,50) to (250,250)"},
      // A post between two rows of boxes: the box behind it lies nearer the box before it, so the search
      // goes round the post's far side rather than straight down.
      {{Rect(0, 0, 300, 10), Rect(300, 0, 340, 10), Rect(340, 0, 600, 10), Rect(0, 10, 300, 30),
        Rect(340, 10, 600, 30), Rect(0, 30, 300, 60), Rect(300, 30, 340, 60), Rect(340, 30, 600, 60)},
       "warning", "the engine's path from box 0 to box 6 runs through boxes 0-1-2-4-7-6 ("},
  };
  for (const auto& m : maps) {
    dir.Write("m.map", MapBytes(m.boxes));
    std::vector<std::string> words = {"check", dir.Path("m.map")};
    words.insert(words.end(), m.options.begin(), m.options.end());
    Result check = Map(words);
    std::vector<std::string> found = Findings(check);
    bool clean = !*m.kind, error = m.kind == std::string("error");
    std::string prefix = dir.Path("m.map") + ": " + m.kind + ": ";
    bool seen = clean ? found.empty() && Has(check.out, m.finding)
                      : std::any_of(found.begin(), found.end(), [&](const std::string& f) {
                          return f.rfind(prefix, 0) == 0 && Has(f, m.finding);
                        });
    EXPECT_TRUE(seen) << m.finding << "\n" << check.out;
    EXPECT_EQ(check.status, error ? 1 : 0) << m.finding;
    words.push_back("--strict");
    EXPECT_EQ(Map(words).status, clean ? 0 : 1) << m.finding;
  }
  // The demo's own maps are the example authors copy: no warning either.
  for (std::string scene : {"street", "shop", "garden"}) {
    std::string media = QUILLON_BINARY_DIR "/demo-media/" + scene;
    Result demo = Map({"check", media + ".map", "--background", media + ".bmp", "--strict"});
    EXPECT_EQ(demo.status, 0) << demo.out;
  }
}

// Boxes with a dead end next to the start's neighbour: box 2 lies as near to
// the target as box 3 and has the lower number, so the search goes there
// first and backs out. Box 7 is an island.
std::vector<Box> DeadEndFloor() {
  return {Rect(0, 300, 100, 400),   Rect(100, 300, 200, 400), Rect(100, 200, 200, 300),
          Rect(200, 300, 300, 400), Rect(300, 300, 400, 400), Rect(300, 200, 400, 300),
          Rect(300, 100, 400, 200), Rect(500, 100, 600, 200)};
}

TEST(MapTool, PathPrintsTheEnginesWaypointsAndDrawMakesABmpTheEngineLoads) {
  TempDir dir;
  dir.Write("floor.map", MapBytes(DeadEndFloor()));
  Result path = Map({"path", dir.Path("floor.map"), "50", "350", "350", "150"});
  ASSERT_EQ(path.status, 0) << path.err;
  EXPECT_EQ(path.out,
            "path from (50,350) in box 0 to (350,150) in box 6, 6 waypoints:\n"
            "  50 350  start\n"
            "  150 350  centre of box 1\n"
            "  250 350  centre of box 3\n"
            "  350 350  centre of box 4\n"
            "  350 250  centre of box 5\n"
            "  350 150  target\n");
  // A path that leaves the connected boxes is printed as the engine has it, with a warning.
  dir.Write("jump.map", MapBytes(JumpFloor()));
  Result jump = Map({"path", dir.Path("jump.map"), "250", "250", "50", "50"});
  EXPECT_EQ(jump.status, 0);
  EXPECT_TRUE(Has(jump.out, "  350 50  centre of box 0\n  250 250  centre of box 6\n")) << jump.out;
  EXPECT_TRUE(Has(jump.err, "quillon-map: warning: the path jumps from (350,50) to (250,250)")) << jump.err;

  for (auto [to, why] : {std::pair{"450", "no path from (50,350) to (450,150): the target lies in no box"},
                         {"550", "box 0 (the start's) and box 7 (the target's) are not connected"}}) {
    Result r = Map({"path", dir.Path("floor.map"), "50", "350", to, "150"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(Lines(r.err), 1) << r.err;
    EXPECT_TRUE(Has(r.err, why)) << r.err;
  }

  // The drawing is the author's, not the player's: it must load in the engine
  // without colour-key magenta of its own, and show where a search failed.
  SDL_Surface* grey = Paint(640, 480, kGrey);
  SaveBmp(Palettize(grey, {kGrey}), dir.Path("bg.bmp"));  // 8 bits, as many games have them
  SDL_FreeSurface(grey);
  Result drawn = Map({"draw", dir.Path("floor.map"), dir.Path("bg.bmp"), dir.Path("walk.bmp"), "--path", "50", "350",
                      "350", "150"});
  ASSERT_EQ(drawn.status, 0) << drawn.err;
  EXPECT_EQ(drawn.out, dir.Path("walk.bmp") + ": 640 x 480, 8 boxes, 6 connections, a path of 6 waypoints\n");
  Surface picture(ReadBmp(SDL_RWFromFile(dir.Path("walk.bmp").c_str(), "rb")));
  ASSERT_NE(picture, nullptr);
  int magenta = 0, drawnPixels = 0;
  for (int y = 0; y < picture->h; ++y)
    for (int x = 0; x < picture->w; ++x) {
      magenta += PixelAt(picture.get(), x, y) == kMagenta;
      drawnPixels += PixelAt(picture.get(), x, y) != kGrey;
    }
  EXPECT_EQ(magenta, 0);
  EXPECT_GT(drawnPixels, 1000);
  EXPECT_EQ(PixelAt(picture.get(), 620, 460), kGrey);  // far from every box

  dir.Write("two.map", MapBytes({Rect(10, 10, 90, 90), Rect(110, 10, 190, 90)}));
  SaveBmp(Paint(200, 120, kMagenta), dir.Path("magenta.bmp"));  // even a magenta background is kept
  drawn = Map({"draw", dir.Path("two.map"), dir.Path("magenta.bmp"), dir.Path("o.bmp"), "--path", "30", "30", "150",
               "30"});
  EXPECT_EQ(drawn.status, 1);
  EXPECT_EQ(drawn.out, dir.Path("o.bmp") + ": 200 x 120, 2 boxes, 0 connections\n");
  EXPECT_TRUE(Has(drawn.err, "quillon-map check) (the start and target are marked in " + dir.Path("o.bmp") + ")"))
      << drawn.err;
  Surface out = LoadSurface(dir.Path("o.bmp"));
  ASSERT_NE(out, nullptr);
  EXPECT_EQ(PixelAt(out.get(), 100, 110), kMagenta);
  EXPECT_NE(PixelAt(out.get(), 30, 30), kMagenta);   // the start mark
  EXPECT_NE(PixelAt(out.get(), 150, 30), kMagenta);  // the target mark
}

// One representative of each kind of failure: unreadable, malformed or
// out-of-range input, a picture that cannot be written or would overwrite the
// background, and usage errors (status 2).
TEST(MapTool, BadInputGivesOneLineNamingTheFileAndTheExecutableExitsWithTheStatus) {
  TempDir dir;
  dir.Write("good.map", MapBytes({Rect(0, 0, 10, 10)}));
  dir.Write("empty.map", "");
  dir.Write("garbage.txt", "# a room\n10,20  100,20  100,80  10,80\n10,20 100,twenty 100,80 10,80\n");
  dir.Write("big.txt", "10,20  100,20  100,80  10,70000\n");
  dir.Write("not.bmp", "this is text");
  dir.Write("binary.txt", MapBytes({Rect(0, 0, 10, 10)}));
  std::string two = MapBytes({Rect(0, 0, 100, 100), Rect(100, 0, 200, 100)});
  dir.Write("maps.dat", BuildDataPack({"x", two, two + "ab"}));
  SaveBmp(Paint(64, 48, kGrey), dir.Path("bg.bmp"));
  const struct {
    std::vector<std::string> words;
    int status;
    std::string message;
  } cases[] = {
      {{"compile", dir.Path("gone.txt"), dir.Path("o.map")}, 1, dir.Path("gone.txt") + ": cannot read the file"},
      {{"compile", dir.Path("garbage.txt"), dir.Path("o.map")}, 1,
       dir.Path("garbage.txt") + ":3: 'twenty' is not a whole number"},
      {{"compile", dir.Path("big.txt"), dir.Path("o.map")}, 1,
       dir.Path("big.txt") + ":1: y 70000 of the fourth corner is outside 0..65535"},
      {{"compile", dir.Path("binary.txt"), dir.Path("o.map")}, 1, dir.Path("binary.txt") + ":1: binary bytes"},
      {{"check", dir.Path("empty.map")}, 1, dir.Path("empty.map") + ": the map is empty"},
      // The engine refuses 34 bytes from a pack.
      {{"path", dir.Path("maps.dat") + ":2", "10", "10", "150", "10"}, 1,
       ":2: 34 bytes: the engine refuses a map from a pack"},
      {{"decompile", dir.Path("maps.dat") + ":7"}, 1, "has no readable entry 7"},
      {{"draw", dir.Path("good.map"), dir.Path("not.bmp"), dir.Path("o.bmp")}, 1,
       dir.Path("not.bmp") + ": not a readable BMP image"},
      {{"draw", dir.Path("good.map"), dir.Path("bg.bmp"), dir.Path("bg.bmp")}, 1,
       dir.Path("bg.bmp") + ": the drawing would overwrite the background"},
      {{"draw", dir.Path("good.map"), dir.Path("bg.bmp"), dir.Path("no/such/dir/o.bmp")}, 1,
       dir.Path("no/such/dir/o.bmp") + ": cannot write the picture"},
      {{"check", dir.Path("good.map"), "--size", "640"}, 2, "--size needs 2 values"},
      {{"path", dir.Path("good.map"), "1", "2"}, 2, "too few arguments; the form is: quillon-map path MAP X1 Y1 X2 Y2"},
      {{"frobnicate"}, 2, "unknown command 'frobnicate'"},
  };
  for (const auto& c : cases) {
    Result r = Map(c.words);
    EXPECT_EQ(r.status, c.status) << c.message;
    EXPECT_EQ(r.err.rfind("quillon-map", 0), 0u) << r.err;
    EXPECT_EQ(Lines(r.err), 1) << r.err;
    EXPECT_TRUE(Has(r.err, c.message)) << r.err;
  }
  EXPECT_EQ(dir.Read("o.map"), "");  // nothing written on a failure
  EXPECT_EQ(Map({}).status, 2);

  // The built executable: exit statuses of a real process, and no crash on bad input.
  dir.Write("seven.map", "1234567");
  auto run = [&](const std::string& args) {
    int status = std::system((QUILLON_BINARY_DIR "/tools/quillon-map " + args + " >" + dir.Path("out.txt") + " 2>" +
                              dir.Path("err.txt")).c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  };
  EXPECT_EQ(run("--help"), 0);
  EXPECT_TRUE(Has(dir.Read("out.txt"), "draw MAP BACKGROUND.bmp OUT.bmp [--path X1 Y1 X2 Y2]"));
  EXPECT_EQ(run("decompile " + dir.Path("seven.map")), 1);
  EXPECT_EQ(dir.Read("err.txt"), "quillon-map: " + dir.Path("seven.map") +
                                      ": 7 bytes hold no whole box (a box is 16 bytes), so nobody can walk in the "
                                      "scene\n");
  EXPECT_EQ(run("path " + dir.Path("seven.map") + " 1"), 2);
}

}  // namespace
