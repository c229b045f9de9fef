// Path search: the worked examples, connection rules, ties, refused points, and
// a plain keyed-list search compared waypoint for waypoint on 150 generated maps
// of up to 81 boxes (larger maps find nothing these do not).
#include <gtest/gtest.h>

#include <cmath>
#include <deque>
#include <random>

#include "support/walk_map_bytes.h"
#include "util/hashtable.h"
#include "walk/path_map.h"

namespace {

using Points = std::vector<WalkPoint>;

std::string Show(const Points& points) {
  std::string text;
  for (const WalkPoint& p : points) text += "(" + std::to_string(p.x) + "," + std::to_string(p.y) + ")";
  return text;
}

// The path's keys, as "0 2 3".
std::string Keys(const PathMap& map) {
  std::string keys;
  for (int i = 0; i < map.PathCount(); ++i) keys += (i ? " " : "") + map.PathKeyAt(i);
  return keys;
}

// A keyed list of the plain search as Show and Keys write the engine's.
std::string Show(const Hashtable<WalkPoint*>& list, bool keys = false) {
  std::string text;
  for (int i = 0; i < list.Count(); ++i) text += keys ? (i ? " " : "") + list.KeyAt(i) : Show(Points{*list.ValueAt(i)});
  return text;
}

// S(0) with a dead end D(1) beside it that lies nearer the target than the way
// round through A, B, C, E to T.
std::vector<Box> DeadEndMap() {
  return {Rect(0, 0, 100, 100),     Rect(100, 0, 200, 100),   Rect(0, 100, 100, 200), Rect(0, 200, 100, 300),
          Rect(100, 200, 200, 300), Rect(200, 200, 300, 300), Rect(200, 100, 300, 200)};
}

// A ring round a hole: S at the top, T at the bottom, equally far both ways.
// The side listed first gets the lower box numbers.
std::vector<Box> Ring(bool leftFirst) {
  std::vector<Box> left = {Rect(0, 0, 100, 100), Rect(0, 100, 100, 200), Rect(0, 200, 100, 300)};
  std::vector<Box> right = {Rect(200, 0, 300, 100), Rect(200, 100, 300, 200), Rect(200, 200, 300, 300)};
  std::vector<Box> boxes = {Rect(100, 0, 200, 100)};
  for (const Box& b : leftFirst ? left : right) boxes.push_back(b);
  for (const Box& b : leftFirst ? right : left) boxes.push_back(b);
  boxes.push_back(Rect(100, 200, 200, 300));
  return boxes;
}

TEST(FindPath, TheWorkedExamples) {
  std::vector<Box> cut = DeadEndMap();
  cut[3] = Rect(0, 201, 100, 300);  // the way round is cut by one pixel
  struct Case {
    const char* what;
    std::vector<Box> boxes;
    WalkPoint from, to;
    const char* path;  // empty: no path
    const char* keys;  // empty: not compared
    const char* deadEnds;
  } cases[] = {
      {"one box", {Rect(0, 0, 100, 100)}, {10, 10}, {90, 90}, "(10,10)(90,90)", "0 1", ""},
      // The start box's centre leaves its key behind; the target takes the next free one.
      {"three in a row", {Rect(0, 0, 100, 100), Rect(100, 0, 200, 100), Rect(200, 0, 300, 100)}, {10, 50}, {290, 60},
       "(10,50)(150,50)(290,60)", "0 2 3", ""},
      {"dead end", DeadEndMap(), {50, 50}, {250, 150}, "(50,50)(50,150)(50,250)(150,250)(250,250)(250,150)",
       "0 2 3 4 5 6", "(150,50)"},
      {"only dead ends left", cut, {50, 50}, {250, 150}, "", "", "(150,50)(50,150)"},
      // Of equally near boxes the lower number is taken.
      {"ring, left first", Ring(true), {150, 50}, {150, 250}, "(150,50)(50,50)(50,150)(50,250)(150,250)", "", ""},
      {"ring, right first", Ring(false), {150, 50}, {150, 250}, "(150,50)(250,50)(250,150)(250,250)(150,250)", "", ""},
  };
  for (const Case& c : cases) {
    PathMap map;
    map.ReplaceBoxes(c.boxes);
    EXPECT_TRUE(map.SetStart(c.from.x, c.from.y) && map.SetTarget(c.to.x, c.to.y)) << c.what;
    EXPECT_EQ(map.FindPath(), *c.path != '\0') << c.what;
    if (*c.path) EXPECT_EQ(Show(map.Path()), c.path) << c.what;
    if (*c.keys) EXPECT_EQ(Keys(map), c.keys) << c.what;
    EXPECT_EQ(Show(map.DeadEnds()), c.deadEnds) << c.what;
  }
  // Connections (a corner-only touch is none; corner order does not matter) are compared on the generated maps.
}

TEST(FindPath, RefusedPointsKeepThePreviousOnesAndBoxes9999AwayAreNeverChosen) {
  PathMap map;
  map.ReplaceBoxes({Rect(0, 0, 100, 100), Rect(100, 0, 200, 100)});
  // Before any point was accepted there is nothing to search from.
  EXPECT_EQ(map.Start(), kNowhere);
  EXPECT_TRUE(map.SetTarget(150, 50));
  EXPECT_FALSE(map.FindPath());

  EXPECT_TRUE(map.SetStart(10, 10));
  EXPECT_FALSE(map.SetStart(500, 500));
  EXPECT_FALSE(map.SetTarget(-1, 50));
  EXPECT_EQ(map.Start(), (WalkPoint{10, 10}));
  EXPECT_EQ(map.Target(), (WalkPoint{150, 50}));
  ASSERT_TRUE(map.FindPath());
  EXPECT_EQ(Show(map.Path()), "(10,10)(150,50)");

  map.ReplaceBoxes({Rect(300, 300, 400, 400)});  // a new map keeps the points: they are no longer in a box
  EXPECT_FALSE(map.FindPath());

  // A long thin box whose centre is 10000 pixels from the target box.
  map.ReplaceBoxes({Rect(0, 0, 100, 100), Rect(100, 0, 20100, 100), Rect(20100, 0, 20200, 100)});
  ASSERT_TRUE(map.SetStart(50, 50));
  for (auto [x, nearest] : {std::pair{20150, -1}, {20099, -1}, {20098, 1}}) {  // exactly 9999 away: still too far
    ASSERT_TRUE(map.SetTarget(x, 50));
    EXPECT_EQ(map.PickNearest({1}), nearest) << x;
    EXPECT_EQ(map.FindPath(), nearest == 1) << x;
  }
  EXPECT_EQ(map.PickNearest({}), -1);
}

// The search exactly as the engine has always described it: keyed lists with
// linear lookups and no precomputed tables.
struct PlainSearch {
  std::vector<Box> boxes;
  WalkPoint start = kNowhere, target = kNowhere;
  Hashtable<WalkPoint*> path, deadEnds;
  std::deque<WalkPoint> store;

  int IndexOf(WalkPoint p) const {
    for (size_t i = 0; i < boxes.size(); ++i)
      if (PathMap::PointInBox(boxes[i], p)) return static_cast<int>(i);
    return -1;
  }
  static bool Listed(const Hashtable<WalkPoint*>& list, WalkPoint p) {
    for (int i = 0; i < list.Count(); ++i)
      if (*list.ValueAt(i) == p) return true;
    return false;
  }
  WalkPoint* Keep(WalkPoint p) { return &store.emplace_back(p); }
  std::vector<int> Neighbours(int b) const {
    std::vector<int> result;
    for (size_t i = 0; i < boxes.size(); ++i) {
      if (static_cast<int>(i) == IndexOf(PathMap::BoxCentre(boxes[b]))) continue;
      int pairs = 0;
      for (const WalkPoint& a : boxes[i].corners)
        for (const WalkPoint& c : boxes[b].corners) pairs += a == c;
      if (pairs >= 2) result.push_back(static_cast<int>(i));
    }
    return result;
  }
  int Pick(const std::vector<int>& candidates, bool skipOnPath) const {
    int best = 9999, choice = -1;
    for (int c : candidates) {
      WalkPoint centre = PathMap::BoxCentre(boxes[c]);
      if ((skipOnPath && Listed(path, centre)) || Listed(deadEnds, centre)) continue;
      double dx = centre.x - target.x, dy = centre.y - target.y;
      int d = static_cast<int>(std::sqrt(dx * dx + dy * dy));
      if (d < best) best = d, choice = c;
    }
    return choice;
  }
  bool Find() {
    path.Clear();
    deadEnds.Clear();
    if (IndexOf(start) < 0 || IndexOf(target) < 0) return false;
    int current = IndexOf(start);
    WalkPoint point = PathMap::BoxCentre(boxes[current]);
    path.Add("0", Keep(start));
    for (;;) {
      if (IndexOf(point) == IndexOf(target)) {
        if (path.Count() == 0) path.Add("0", Keep(start));
        else if (path.Count() >= 2) path.Remove(path.KeyAt(1));
        int before = path.Count();
        path.Add(std::to_string(before), Keep(target));
        if (path.Count() == before) path.Add(std::to_string(before + 1), Keep(target));
        return true;
      }
      path.Add(std::to_string(path.Count()), Keep(point));
      WalkPoint previous = point;
      std::vector<int> next = Neighbours(current);
      int choice = Pick(next, true);
      if (choice < 0) choice = Pick(next, false);
      if (choice < 0) return false;
      if (Listed(path, PathMap::BoxCentre(boxes[choice]))) {
        deadEnds.Add(std::to_string(deadEnds.Count()), Keep(previous));
        for (int k = 0; k < 2 && path.Count() > 0; ++k) path.Remove(path.KeyAt(path.Count() - 1));
      }
      point = PathMap::BoxCentre(boxes[choice]);
      current = choice;
    }
  }
};

// Grid maps with shared lattice corners (jittered, so edges slant), holes, one-pixel
// breaks, corner-only touches, overlapping extra boxes and shuffled box numbers.
std::vector<Box> GeneratedMap(std::mt19937& random, int columns, int rows) {
  std::uniform_int_distribution<int> jitter(-15, 15), percent(0, 99);
  std::vector<std::vector<WalkPoint>> lattice(columns + 1, std::vector<WalkPoint>(rows + 1));
  for (int i = 0; i <= columns; ++i)
    for (int j = 0; j <= rows; ++j) lattice[i][j] = {100 + 60 * i + jitter(random), 100 + 60 * j + jitter(random)};
  std::vector<Box> boxes;
  for (int i = 0; i < columns; ++i) {
    for (int j = 0; j < rows; ++j) {
      if (percent(random) < 20) continue;
      Box box{{lattice[i][j], lattice[i + 1][j], lattice[i + 1][j + 1], lattice[i][j + 1]}};
      if (percent(random) < 8) box.corners[percent(random) % 4].x += 1;
      if (percent(random) < 5) std::swap(box.corners[0], box.corners[2]);  // a bow tie
      boxes.push_back(box);
    }
  }
  for (int extra = percent(random) % 4; extra > 0; --extra) {
    int x = 100 + percent(random) * columns * 60 / 100, y = 100 + percent(random) * rows * 60 / 100;
    boxes.push_back(Rect(x, y, x + 30 + percent(random), y + 30 + percent(random)));
  }
  std::shuffle(boxes.begin(), boxes.end(), random);
  return boxes;
}

// Searches both ways on generated maps and compares lists, keys, dead ends and connections.
TEST(FindPath, MatchesThePlainSearchWaypointForWaypoint) {
  std::mt19937 random(20240611);
  int found = 0, failed = 0;
  for (int round = 0; round < 150; ++round) {
    std::uniform_int_distribution<int> size(1, 9);
    int columns = size(random), rows = size(random);
    PlainSearch plain;
    plain.boxes = GeneratedMap(random, columns, rows);
    PathMap map;
    map.LoadBoxesFromBuffer(MapBytes(plain.boxes).data(), static_cast<int>(plain.boxes.size() * 16));
    std::uniform_int_distribution<int> x(80, 120 + 60 * columns), y(80, 120 + 60 * rows);
    for (int query = 0; query < 40; ++query) {
      WalkPoint from{x(random), y(random)}, to{x(random), y(random)};
      if (query % 5 == 0 && !plain.boxes.empty()) from = PathMap::BoxCentre(plain.boxes[query % plain.boxes.size()]);
      if (map.SetStart(from.x, from.y)) plain.start = from;
      if (map.SetTarget(to.x, to.y)) plain.target = to;
      bool expected = plain.Find();
      std::string where = "round " + std::to_string(round) + " query " + std::to_string(query);
      ASSERT_EQ(map.FindPath(), expected) << where;
      ASSERT_EQ(Show(map.Path()) + Keys(map) + Show(map.DeadEnds()),
                Show(plain.path) + Show(plain.path, true) + Show(plain.deadEnds)) << where;
      expected ? ++found : ++failed;
    }
    ASSERT_EQ(map.BoxCount(), static_cast<int>(plain.boxes.size()));
    for (int b = 0; b < map.BoxCount(); ++b) ASSERT_EQ(map.Neighbours(b), plain.Neighbours(b)) << "round " << round;
  }
  // The generated maps exercise both outcomes plenty.
  EXPECT_GT(found, 1000);
  EXPECT_GT(failed, 1000);
}

}  // namespace
