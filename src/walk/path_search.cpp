// The greedy path search over the walk boxes.
#include "walk/path_map.h"

#include <cmath>

#include "util/numbers.h"

namespace {

constexpr int kTooFar = 9999;  // a box this far from the target is never chosen

}  // namespace

bool PathMap::SetStart(int x, int y) {
  if (!PointInAnyBox(WalkPoint{x, y})) return false;
  start_ = WalkPoint{x, y};
  return true;
}

bool PathMap::SetTarget(int x, int y) {
  if (!PointInAnyBox(WalkPoint{x, y})) return false;
  target_ = WalkPoint{x, y};
  return true;
}

int PathMap::Distance(WalkPoint a, WalkPoint b) {
  // In floating point: squares of differences between far-apart points do not
  // fit 32 bits, and must not wrap into small distances.
  const double dx = static_cast<double>(a.x) - b.x;
  const double dy = static_cast<double>(a.y) - b.y;
  return TruncateToInt(std::sqrt(dx * dx + dy * dy));
}

int PathMap::PickNearest(const std::vector<int>& candidates) const {
  int best = kTooFar;
  int choice = -1;
  for (int box : candidates) {
    if (IsOnPath(box) || IsVisited(box)) continue;
    int d = Distance(centres_[box], target_);
    if (d < best) best = d, choice = box;
  }
  if (choice >= 0) return choice;
  // Only boxes of the chain are left: stepping back onto one is how a dead
  // end is recognised.
  best = kTooFar;
  for (int box : candidates) {
    if (IsVisited(box)) continue;
    int d = Distance(centres_[box], target_);
    if (d < best) best = d, choice = box;
  }
  return choice;
}

std::vector<WalkPoint> PathMap::Path() const {
  std::vector<WalkPoint> points;
  points.reserve(path_.size());
  for (const Waypoint& w : path_) points.push_back(w.point);
  return points;
}

void PathMap::ClearLists() {
  for (const Waypoint& w : path_)
    if (w.centreClass >= 0) --onPath_[w.centreClass];
  for (const WalkPoint& p : deadEnds_) {
    int c = CentreClassOf(p);
    if (c >= 0) --visited_[c];
  }
  path_.clear();
  keyInUse_.clear();
  deadEnds_.clear();
}

bool PathMap::AddWaypoint(int key, WalkPoint point) {
  // Like every keyed list of the engine, a key still in use is refused.
  if (key < static_cast<int>(keyInUse_.size()) && keyInUse_[key]) return false;
  if (key >= static_cast<int>(keyInUse_.size())) keyInUse_.resize(key + 1, 0);
  keyInUse_[key] = 1;
  int c = CentreClassOf(point);
  path_.push_back(Waypoint{key, point, c});
  if (c >= 0) ++onPath_[c];
  return true;
}

void PathMap::RemoveWaypointAt(int index) {
  // Backing out of a chain that has already lost its start leaves nothing to
  // remove; the search then goes on from the box it steps back into.
  if (index < 0 || index >= PathCount()) return;
  const Waypoint& w = path_[index];
  keyInUse_[w.key] = 0;
  if (w.centreClass >= 0) --onPath_[w.centreClass];
  path_.erase(path_.begin() + index);
}

void PathMap::AddDeadEnd(WalkPoint point) {
  deadEnds_.push_back(point);
  int c = CentreClassOf(point);
  if (c >= 0) ++visited_[c];
}

bool PathMap::FindPath() {
  ClearLists();
  if (!PointInAnyBox(start_) || !PointInAnyBox(target_)) return false;
  const int startBox = BoxIndexOf(start_);
  if (startBox == -1) return false;
  const int targetBox = BoxIndexOf(target_);
  int current = startBox;
  AddWaypoint(PathCount(), start_);
  for (;;) {
    // The box is recognised by where its centre lies, as it always has been.
    if (centreBox_[current] == targetBox) {
      if (path_.empty()) {
        AddWaypoint(PathCount(), start_);
      } else if (PathCount() >= 2) {
        RemoveWaypointAt(1);  // the start box's centre: the walk starts from the start point
      }
      if (!AddWaypoint(PathCount(), target_)) AddWaypoint(PathCount() + 1, target_);
      return true;
    }
    AddWaypoint(PathCount(), centres_[current]);
    const int previous = current;
    const int choice = PickNearest(Neighbours(current));
    if (choice < 0) return false;
    if (IsOnPath(choice)) {
      // A dead end: only boxes of the chain are left. Remember the box being
      // left and take the chain back by the two waypoints of this step.
      AddDeadEnd(centres_[previous]);
      RemoveWaypointAt(PathCount() - 1);
      RemoveWaypointAt(PathCount() - 1);
    }
    current = choice;
  }
}
