// Walk-box map: record format, both loaders and the point-in-box geometry.
#include <gtest/gtest.h>

#include <tuple>

#include "support/log_capture.h"
#include "support/temp_dir.h"
#include "support/walk_map_bytes.h"
#include "walk/path_map.h"

namespace {

void ExpectCorners(const Box& box, std::vector<int> xy) {
  for (int c = 0; c < 4; ++c) {
    EXPECT_EQ(box.corners[c].x, xy[2 * c]) << "corner " << c;
    EXPECT_EQ(box.corners[c].y, xy[2 * c + 1]) << "corner " << c;
  }
}

TEST(WalkBoxRecords, AreUnsigned16BitLittleEndianCornersInOrder) {
  const unsigned char record[16] = {0x0A, 0x00, 0x14, 0x00, 0xFF, 0xFF, 0x00, 0x01,
                                    0x34, 0x12, 0xFF, 0x7F, 0x00, 0x80, 0x01, 0x00};
  PathMap map;
  map.LoadBoxesFromBuffer(reinterpret_cast<const char*>(record), 16);
  ASSERT_EQ(map.BoxCount(), 1);
  ExpectCorners(map.BoxAt(0), {10, 20, 65535, 256, 0x1234, 0x7FFF, 0x8000, 1});
}

TEST(WalkBoxes, LengthDecidesTheBoxesOddLengthsKeepTheOldOnesAndFilesIgnoreATrailingPartialRecord) {
  LogCapture log;
  PathMap map;
  std::string two = MapBytes({Rect(0, 0, 10, 10), Rect(10, 0, 20, 10)});
  std::string withTail = two.substr(0, 20);  // one record and 4 spare bytes
  // Whole records replace the boxes; no bytes at all cannot be read, whatever the length claims.
  for (auto [bytes, length, boxes] : {std::tuple{two.data(), 32, 2}, {nullptr, 16, 2}, {two.data(), 12, 0},
                                      {two.data(), 32, 2}, {two.data(), -16, 0}, {withTail.data(), 20, 1}}) {
    map.LoadBoxesFromBuffer(bytes, length);
    EXPECT_EQ(map.BoxCount(), boxes) << length;
  }
  ExpectCorners(map.BoxAt(0), {0, 0, 10, 0, 10, 10, 0, 10});
  EXPECT_EQ(log.Text(), "Invalid BoxBuffer\r\n");  // the missing bytes only: spare bytes are no fault

  // From a file (the corners' log lines are compared through LoadPathMap in the engine tests).
  TempDir dir;
  dir.Write("tail.map", two + std::string(8, '\x07'));
  dir.Write("short.map", two.substr(0, 15));
  map.LoadBoxesFromFile(dir.Path("tail.map").c_str());
  EXPECT_EQ(map.BoxCount(), 2);
  map.LoadBoxesFromFile(dir.Path("short.map").c_str());
  EXPECT_EQ(map.BoxCount(), 0);
  map.LoadBoxesFromFile(two.c_str());  // not a file name at all
  map.LoadBoxesFromFile(nullptr);
  EXPECT_EQ(map.BoxCount(), 0);
}

TEST(PointInBox, EdgesCrossingsAndTheLargestBoxes) {
  const Box square = Rect(0, 0, 100, 100);
  // Left edge from (0, 0) to (40, 30): at y = 10 the line is at x = 13.3,
  // but the crossing is worked out from (40, 30) as 40 + (-26.7), which
  // truncates to 14.
  const Box trapezoid{{{0, 0}, {40, 30}, {100, 30}, {100, 0}}};
  // Right edge from (0, 30) to (100, 0): at y = 10 the crossing is 66.7, truncated to 66.
  const Box wedge{{{0, 0}, {100, 0}, {0, 30}, {0, 30}}};
  const Box arrow{{{0, 0}, {100, 50}, {0, 100}, {50, 50}}};  // concave: the notch is outside
  // The lower-left half of the whole 16-bit plane: the crossing product of the
  // diagonal goes far beyond 32 bits.
  const Box half{{{0, 0}, {65535, 65535}, {0, 65535}, {0, 65535}}};
  struct Case {
    const Box& box;
    WalkPoint point;
    bool inside;
  } cases[] = {
      // Left and upper edges are inside, right and lower ones outside.
      {square, {0, 0}, true},         {square, {50, 50}, true},       {square, {0, 99}, true},
      {square, {99, 0}, true},        {square, {100, 50}, false},     {square, {50, 100}, false},
      {square, {-1, 50}, false},      {square, {50, -1}, false},      {trapezoid, {13, 10}, false},
      {trapezoid, {14, 10}, true},    {wedge, {65, 10}, true},        {wedge, {66, 10}, false},
      {arrow, {70, 50}, true},        {arrow, {20, 50}, false},       {arrow, {20, 20}, true},
      {half, {40000, 50000}, true},   {half, {50001, 50000}, false},  {half, {49999, 50000}, true},
  };
  for (const Case& c : cases)
    EXPECT_EQ(PathMap::PointInBox(c.box, c.point), c.inside)
        << "(" << c.point.x << "," << c.point.y << ") in box with corner 1 at (" << c.box.corners[1].x << ","
        << c.box.corners[1].y << ")";
}

TEST(BoxIndexOf, FirstBoxInLoadOrderWinsAndCentresAndDistancesTruncateWithoutOverflow) {
  PathMap map;
  EXPECT_EQ(map.BoxIndexOf({0, 0}), -1);  // an empty map holds nothing
  map.ReplaceBoxes({Rect(0, 0, 100, 100), Rect(50, 50, 150, 150), Rect(200, 0, 300, 100)});
  for (auto [point, box] : {std::pair{WalkPoint{60, 60}, 0}, {{120, 60}, 1}, {{250, 99}, 2}, {{250, 100}, -1},
                            {{170, 50}, -1}, {{150, 150}, -1}, {kNowhere, -1}}) {
    EXPECT_EQ(map.BoxIndexOf(point), box) << point.x << "," << point.y;
    EXPECT_EQ(map.PointInAnyBox(point), box >= 0) << point.x << "," << point.y;
  }
  EXPECT_TRUE(map.PointInAnyBox({100, 100}));

  EXPECT_EQ(PathMap::BoxCentre(Rect(0, 0, 101, 51)), (WalkPoint{50, 25}));
  EXPECT_EQ(PathMap::BoxCentre(Box{{{-1, -3}, {-1, 0}, {0, 0}, {0, 0}}}), (WalkPoint{0, 0}));
  EXPECT_EQ(PathMap::BoxCentre(Box{{{-5, -7}, {0, 0}, {0, 0}, {0, 0}}}), (WalkPoint{-1, -1}));
  EXPECT_EQ(PathMap::BoxCentre(Rect(65535, 65535, 65535, 65535)), (WalkPoint{65535, 65535}));
  EXPECT_EQ(PathMap::Distance({0, 0}, {3, 4}), 5);
  EXPECT_EQ(PathMap::Distance({0, 0}, {1, 1}), 1);
  EXPECT_EQ(PathMap::Distance({0, 0}, {65535, 65535}), 92680);  // no 32-bit wrap into a short distance
}

}  // namespace
