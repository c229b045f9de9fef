// The walk-box map: the walkable floor of the scene and the path search over it.
#pragma once

#include <climits>
#include <string>
#include <unordered_map>
#include <vector>

#include "scene/adventure_object.h"

// A walk box: four corners in order; consecutive corners, and corner 3 with
// corner 0, are joined by its edges.
struct Box {
  WalkPoint corners[4];  // scene pixels
};

// Where start and target stand until a search point is first accepted: no
// loaded box can hold it (loaded corners lie between 0 and 65535).
constexpr WalkPoint kNowhere = {INT_MIN, INT_MIN};

// The most boxes a map may have. Working out which boxes touch takes time and
// memory growing with the square of the count; real maps have tens of boxes,
// while a stray file read as a map would make thousands.
constexpr int kMostBoxes = 1024;

class PathMap {
 public:
  PathMap() = default;
  virtual ~PathMap() = default;

  // Loaders: both replace every box (a buffer whose length is not a multiple
  // of 4 is refused and the old boxes stay). Boxes beyond kMostBoxes are
  // ignored, with a line in the log.
  void LoadBoxesFromFile(const char* name);
  void LoadBoxesFromBuffer(const char* buffer, int length);
  // The common last step of the loaders: box i of the list gets number i.
  void ReplaceBoxes(std::vector<Box> boxes);

  int BoxCount() const { return static_cast<int>(boxes_.size()); }
  const Box& BoxAt(int index) const { return boxes_[index]; }

  // Even-odd crossing test; points on a left or upper edge are inside, on a
  // right or lower edge outside.
  static bool PointInBox(const Box& box, WalkPoint point);
  bool PointInAnyBox(WalkPoint point) const { return BoxIndexOf(point) >= 0; }
  // The lowest box number whose box holds the point, or -1.
  int BoxIndexOf(WalkPoint point) const;
  static WalkPoint BoxCentre(const Box& box);

  // A search point is taken only when it lies in some box.
  bool SetStart(int x, int y);
  bool SetTarget(int x, int y);
  WalkPoint Start() const { return start_; }
  WalkPoint Target() const { return target_; }

  // Greedy search from start to target; on success Path() holds the start,
  // the centres of the boxes crossed after the start box, and the target.
  bool FindPath();
  // Boxes sharing at least two corner points with the box, by box number;
  // worked out when first asked for, so that loading a map whose boxes all
  // touch (a stray file read as one) costs nothing until a search.
  const std::vector<int>& Neighbours(int box) const;
  // The candidate whose centre is nearest to the target (under 9999), boxes on
  // the path only when nothing else is left, dead ends never; -1 for none.
  int PickNearest(const std::vector<int>& candidates) const;
  // Euclidean distance truncated toward zero.
  static int Distance(WalkPoint a, WalkPoint b);
  bool IsOnPath(int box) const { return onPath_[centreClass_[box]] > 0; }
  bool IsVisited(int box) const { return visited_[centreClass_[box]] > 0; }

  // The path list: waypoints in order, each with its decimal key.
  int PathCount() const { return static_cast<int>(path_.size()); }
  std::vector<WalkPoint> Path() const;
  std::string PathKeyAt(int index) const { return std::to_string(path_[index].key); }
  // Centres of the boxes the last search backed out of, in order (key = index).
  const std::vector<WalkPoint>& DeadEnds() const { return deadEnds_; }

 private:
  struct Bounds {
    int minX, maxX, minY, maxY;
  };
  struct CornerHolder {
    int box;
    int times;  // how often the box has the corner point
  };
  struct Waypoint {
    int key;        // decimal key of the entry
    WalkPoint point;
    int centreClass;  // class of box centres equal to the point, or -1
  };

  void BuildIndex();
  int CentreClassOf(WalkPoint point) const;
  void ClearLists();
  bool AddWaypoint(int key, WalkPoint point);
  void RemoveWaypointAt(int index);
  void AddDeadEnd(WalkPoint point);

  std::vector<Box> boxes_;  // box i has number i, in load order

  // Derived from the boxes when they are replaced; the search only reads them.
  std::vector<Bounds> bounds_;             // no box holds a point outside its bounds
  std::vector<WalkPoint> centres_;         // BoxCentre of each box
  std::vector<int> centreBox_;             // BoxIndexOf the centre of each box
  std::vector<int> centreClass_;           // lowest box number with the same centre
  std::unordered_map<unsigned long long, std::vector<CornerHolder>> holdersAt_;  // corner point -> its boxes, in order
  mutable std::vector<std::vector<int>> neighbours_;  // Neighbours of each box, once asked for
  mutable std::vector<char> neighboursKnown_;
  std::unordered_map<unsigned long long, int> classOfCentre_;  // centre point -> class

  WalkPoint start_ = kNowhere;   // where the next search starts
  WalkPoint target_ = kNowhere;  // where the next search ends
  std::vector<Waypoint> path_;   // the path list
  std::vector<char> keyInUse_;   // keyInUse_[k]: some waypoint has key k
  std::vector<WalkPoint> deadEnds_;  // the dead-end list
  std::vector<int> onPath_;      // per centre class: waypoints equal to that centre
  std::vector<int> visited_;     // per centre class: dead ends equal to that centre
};
