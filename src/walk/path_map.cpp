// Walk-box geometry and the lookup tables the path search reads.
#include "walk/path_map.h"

#include <algorithm>
#include <cstdint>

namespace {

unsigned long long PointKey(WalkPoint p) {
  return (static_cast<unsigned long long>(static_cast<uint32_t>(p.x)) << 32) | static_cast<uint32_t>(p.y);
}

}  // namespace

bool PathMap::PointInBox(const Box& box, WalkPoint p) {
  // Worked in 64 bits: loaded boxes span up to 65535 pixels, and the product
  // below would not fit 32 bits for the largest of them. The division still
  // truncates toward zero, so edge points fall exactly as they always have.
  bool inside = false;
  for (int i = 0, j = 3; i < 4; j = i++) {
    const int64_t xi = box.corners[i].x, yi = box.corners[i].y;
    const int64_t xj = box.corners[j].x, yj = box.corners[j].y;
    if ((yi > p.y) != (yj > p.y)) {
      int64_t crossing = (xj - xi) * (p.y - yi) / (yj - yi) + xi;
      if (p.x < crossing) inside = !inside;
    }
  }
  return inside;
}

int PathMap::BoxIndexOf(WalkPoint p) const {
  for (size_t i = 0; i < boxes_.size(); ++i) {
    // A box can only hold points of the half-open rectangle of its bounds.
    const Bounds& b = bounds_[i];
    if (p.y < b.minY || p.y >= b.maxY || p.x < b.minX || p.x >= b.maxX) continue;
    if (PointInBox(boxes_[i], p)) return static_cast<int>(i);
  }
  return -1;
}

WalkPoint PathMap::BoxCentre(const Box& box) {
  int64_t sumX = 0, sumY = 0;
  for (const WalkPoint& c : box.corners) {
    sumX += c.x;
    sumY += c.y;
  }
  return WalkPoint{static_cast<int>(sumX / 4), static_cast<int>(sumY / 4)};
}

void PathMap::ReplaceBoxes(std::vector<Box> boxes) {
  // The lists refer to the old boxes' centres: they go first.
  path_.clear();
  keyInUse_.clear();
  deadEnds_.clear();
  boxes_ = std::move(boxes);
  BuildIndex();
}

void PathMap::BuildIndex() {
  const int n = BoxCount();
  bounds_.assign(n, Bounds{});
  centres_.assign(n, WalkPoint{});
  centreBox_.assign(n, -1);
  centreClass_.assign(n, 0);
  neighbours_.assign(n, std::vector<int>());
  neighboursKnown_.assign(n, 0);
  classOfCentre_.clear();
  onPath_.assign(n, 0);
  visited_.assign(n, 0);

  for (int i = 0; i < n; ++i) {
    const Box& box = boxes_[i];
    Bounds b{box.corners[0].x, box.corners[0].x, box.corners[0].y, box.corners[0].y};
    for (const WalkPoint& c : box.corners) {
      b.minX = std::min(b.minX, c.x);
      b.maxX = std::max(b.maxX, c.x);
      b.minY = std::min(b.minY, c.y);
      b.maxY = std::max(b.maxY, c.y);
    }
    bounds_[i] = b;
    centres_[i] = BoxCentre(box);
    // Boxes with equal centres are on the path (or dead ends) together.
    centreClass_[i] = classOfCentre_.emplace(PointKey(centres_[i]), i).first->second;
  }
  for (int i = 0; i < n; ++i) centreBox_[i] = BoxIndexOf(centres_[i]);

  // Each distinct corner point lists the boxes having it, in box order, with
  // how often; neighbours are merged from these lists when first asked for.
  holdersAt_.clear();
  for (int i = 0; i < n; ++i) {
    for (const WalkPoint& c : boxes_[i].corners) {
      std::vector<CornerHolder>& holders = holdersAt_[PointKey(c)];
      if (!holders.empty() && holders.back().box == i) {
        ++holders.back().times;
      } else {
        holders.push_back({i, 1});
      }
    }
  }
}

const std::vector<int>& PathMap::Neighbours(int box) const {
  if (neighboursKnown_[box]) return neighbours_[box];
  neighboursKnown_[box] = 1;
  // Two boxes are connected when at least two of the sixteen corner pairs are
  // equal points; corners repeated within a box count once per repetition.
  // The holder lists of the box's distinct corner points are merged in box
  // order, so the work grows with the boxes it touches.
  const WalkPoint* corners = boxes_[box].corners;
  const std::vector<CornerHolder>* lists[4];
  int mine[4], listCount = 0;
  size_t at[4] = {0, 0, 0, 0};
  for (int c = 0; c < 4; ++c) {
    if (std::find(corners, corners + c, corners[c]) != corners + c) continue;
    lists[listCount] = &holdersAt_.find(PointKey(corners[c]))->second;
    mine[listCount++] = static_cast<int>(std::count(corners, corners + 4, corners[c]));
  }
  const int none = BoxCount();
  for (;;) {
    int next = none;
    for (int l = 0; l < listCount; ++l)
      if (at[l] < lists[l]->size()) next = std::min(next, (*lists[l])[at[l]].box);
    if (next == none) break;
    int equalPairs = 0;
    for (int l = 0; l < listCount; ++l) {
      if (at[l] < lists[l]->size() && (*lists[l])[at[l]].box == next) equalPairs += mine[l] * (*lists[l])[at[l]++].times;
    }
    // The box itself is recognised by the box its centre lies in, as the map
    // format has always had it: a box whose centre lies in no box, or in an
    // earlier overlapping one, is not excluded.
    if (equalPairs >= 2 && next != centreBox_[box]) neighbours_[box].push_back(next);
  }
  return neighbours_[box];
}

int PathMap::CentreClassOf(WalkPoint point) const {
  auto found = classOfCentre_.find(PointKey(point));
  return found == classOfCentre_.end() ? -1 : found->second;
}
