// Shortest ways through box centres, to measure the engine's paths against.
#include "map/map_detours.h"

#include <cmath>
#include <algorithm>
#include <functional>
#include <queue>

namespace {

double Between(WalkPoint a, WalkPoint b) { return std::hypot(double(a.x) - b.x, double(a.y) - b.y); }

}  // namespace

CentreRoutes::CentreRoutes(const PathMap& map, const std::vector<std::vector<int>>& linked, int startBox,
                           WalkPoint start)
    : linked_(linked), startBox_(startBox), start_(start) {
  const int n = map.BoxCount();
  for (int i = 0; i < n; ++i) centres_.push_back(PathMap::BoxCentre(map.BoxAt(i)));
  reach_.assign(n, -1);
  before_.assign(n, -1);
  using Entry = std::pair<double, int>;
  std::priority_queue<Entry, std::vector<Entry>, std::greater<Entry>> open;
  // The walk leaves the start box from the start point, not from its centre.
  for (int b : linked_[startBox]) {
    double d = Between(start, centres_[b]);
    if (reach_[b] < 0 || d < reach_[b]) reach_[b] = d, before_[b] = startBox, open.push({d, b});
  }
  while (!open.empty()) {
    auto [d, box] = open.top();
    open.pop();
    if (d > reach_[box]) continue;
    for (int next : linked_[box]) {
      if (next == startBox) continue;
      double e = d + Between(centres_[box], centres_[next]);
      if (reach_[next] < 0 || e < reach_[next]) reach_[next] = e, before_[next] = box, open.push({e, next});
    }
  }
}

double CentreRoutes::To(int targetBox, WalkPoint target, std::vector<int>* boxes) const {
  boxes->clear();
  double best = -1;
  int last = -1;  // the box before the target box on the best way; the start box for a direct step
  for (int b : linked_[targetBox]) {
    double d = b == startBox_ ? Between(start_, target)
                              : (reach_[b] < 0 ? -1 : reach_[b] + Between(centres_[b], target));
    if (d >= 0 && (best < 0 || d < best)) best = d, last = b;
  }
  if (best < 0) return 0;
  boxes->push_back(targetBox);
  for (int b = last; b != startBox_ && b >= 0; b = before_[b]) boxes->push_back(b);
  boxes->push_back(startBox_);
  std::reverse(boxes->begin(), boxes->end());
  return best;
}

double PathLength(const std::vector<WalkPoint>& path) {
  double length = 0;
  for (size_t k = 0; k + 1 < path.size(); ++k) length += Between(path[k], path[k + 1]);
  return length;
}

std::vector<int> BoxesAlong(const PathMap& map, const std::vector<WalkPoint>& path) {
  std::vector<int> boxes;
  for (const WalkPoint& p : path) {
    int box = map.BoxIndexOf(p);
    if (boxes.empty() || boxes.back() != box) boxes.push_back(box);
  }
  return boxes;
}
