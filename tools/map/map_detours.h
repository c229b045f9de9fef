// Detours: where the engine's greedy path search walks the hero a long way
// round although a much shorter chain of boxes leads to the same place.
#pragma once

#include <vector>

#include "walk/path_map.h"

// The shortest ways from a start point in one box to every box, through box
// centres as the engine's paths go: start, the centres of the boxes between,
// the target. linked lists each box's connected boxes.
class CentreRoutes {
 public:
  CentreRoutes(const PathMap& map, const std::vector<std::vector<int>>& linked, int startBox, WalkPoint start);
  // The length of the shortest way to target, a point in box targetBox, and
  // its boxes from the start box to targetBox; 0 and none when there is none.
  double To(int targetBox, WalkPoint target, std::vector<int>* boxes) const;

 private:
  const std::vector<std::vector<int>>& linked_;
  std::vector<WalkPoint> centres_;
  int startBox_;
  WalkPoint start_;
  std::vector<double> reach_;  // length from the start to each box's centre, through centres; < 0: none
  std::vector<int> before_;    // the box before on that way; the start box for the first step
};

// The length of a path of waypoints.
double PathLength(const std::vector<WalkPoint>& path);
// The boxes a path's waypoints lie in, each once in a row.
std::vector<int> BoxesAlong(const PathMap& map, const std::vector<WalkPoint>& path);
