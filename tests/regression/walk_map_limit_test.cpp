// A stray file read as a walk map (thousands of "boxes" that all touch) must
// not freeze the scene: boxes beyond the engine's limit are ignored and said so.
#include <gtest/gtest.h>

#include "support/log_capture.h"
#include "support/temp_dir.h"
#include "support/walk_map_bytes.h"
#include "map/map_format.h"

namespace {

// Every box shares its top edge with every other, so each touches all the rest.
std::vector<Box> Fan(int count) {
  std::vector<Box> boxes;
  for (int i = 0; i < count; ++i) boxes.push_back(Box{{{0, 0}, {100, 0}, {100 + i, 100 + i}, {0, 100 + i}}});
  return boxes;
}

TEST(WalkMapLimit, BoxesBeyondTheLimitAreIgnoredByBothLoaders) {
  std::string bytes = MapBytes(Fan(kMostBoxes + 76));
  LogCapture log;
  PathMap fromBuffer;
  fromBuffer.LoadBoxesFromBuffer(bytes.data(), static_cast<int>(bytes.size()));
  EXPECT_EQ(fromBuffer.BoxCount(), kMostBoxes);
  EXPECT_EQ(fromBuffer.Neighbours(0).size(), static_cast<size_t>(kMostBoxes - 1));
  EXPECT_EQ(log.Text(), "BoxBuffer has more than 1024 boxes; the rest are ignored\r\n");

  TempDir dir;
  dir.Write("stray.map", bytes);
  PathMap fromFile;
  fromFile.LoadBoxesFromFile(dir.Path("stray.map").c_str());
  EXPECT_EQ(fromFile.BoxCount(), kMostBoxes);
  std::string limitLine = "Map-File (" + dir.Path("stray.map") + ") has more than 1024 boxes; the rest are ignored\r\n";
  EXPECT_NE(log.Text().find("(X:0, Y:0)(X:100, Y:0)(X:1123, Y:1123)(X:0, Y:1123)" + limitLine + "Boxes loaded"),
            std::string::npos);

  // At the limit nothing is said.
  log.Clear();
  bytes = MapBytes(Fan(kMostBoxes));
  fromBuffer.LoadBoxesFromBuffer(bytes.data(), static_cast<int>(bytes.size()));
  EXPECT_EQ(fromBuffer.BoxCount(), kMostBoxes);
  EXPECT_EQ(log.Text(), "");
}

TEST(WalkMapLimit, TheMapCompilerRefusesMoreBoxesThanTheEngineUses) {
  std::string text;
  for (int i = 0; i <= kMostBoxes; ++i) text += "0,0 100,0 " + std::to_string(100 + i) + ",100 0,100\n";
  MapText map;
  std::vector<std::string> errors;
  EXPECT_FALSE(ParseMapText(text, "big.txt", &map, &errors));
  EXPECT_EQ(errors, std::vector<std::string>{"big.txt: 1025 boxes; the engine uses at most 1024"});
}

}  // namespace
