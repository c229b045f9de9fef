// The map checker. Connections, reachability and trial walks use the engine's
// own PathMap (Neighbours, BoxIndexOf, SetStart, SetTarget, FindPath); the
// checker adds only the plane geometry the engine does not have.
#include "map/map_check.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <deque>

#include "map/map_detours.h"
#include "map/map_format.h"

namespace {

using I64 = long long;

I64 Cross(WalkPoint o, WalkPoint a, WalkPoint b) {
  return static_cast<I64>(a.x - o.x) * (b.y - o.y) - static_cast<I64>(a.y - o.y) * (b.x - o.x);
}
I64 Dot(WalkPoint o, WalkPoint a, WalkPoint b) {
  return static_cast<I64>(a.x - o.x) * (b.x - o.x) + static_cast<I64>(a.y - o.y) * (b.y - o.y);
}
int Sign(I64 v) { return (v > 0) - (v < 0); }

std::string EdgeText(WalkPoint a, WalkPoint b) { return PointText(a) + "-" + PointText(b); }
std::string CornerText(WalkPoint p) { return std::to_string(p.x) + "," + std::to_string(p.y); }
std::string BoxLineText(const WalkPoint* c, const int* order) {
  std::string s;
  for (int k = 0; k < 4; ++k) s += (k ? "  " : "") + CornerText(c[order[k]]);
  return s;
}

// The two segments cross at one point inside both (not at an end, not along each other).
bool ProperCross(WalkPoint a, WalkPoint b, WalkPoint c, WalkPoint d) {
  return Sign(Cross(a, b, c)) * Sign(Cross(a, b, d)) < 0 && Sign(Cross(c, d, a)) * Sign(Cross(c, d, b)) < 0;
}

WalkPoint CrossingPoint(WalkPoint a, WalkPoint b, WalkPoint c, WalkPoint d) {
  double den = static_cast<double>(Cross(WalkPoint{0, 0}, WalkPoint{b.x - a.x, b.y - a.y}, WalkPoint{d.x - c.x, d.y - c.y}));
  double t = static_cast<double>(Cross(WalkPoint{0, 0}, WalkPoint{c.x - a.x, c.y - a.y}, WalkPoint{d.x - c.x, d.y - c.y})) / den;
  return WalkPoint{static_cast<int>(std::lround(a.x + t * (b.x - a.x))), static_cast<int>(std::lround(a.y + t * (b.y - a.y)))};
}

// p lies on the segment a-b, not at its ends.
bool StrictlyOnSegment(WalkPoint p, WalkPoint a, WalkPoint b) {
  if (a == b || p == a || p == b || Cross(a, b, p) != 0) return false;
  return std::min(a.x, b.x) <= p.x && p.x <= std::max(a.x, b.x) && std::min(a.y, b.y) <= p.y &&
         p.y <= std::max(a.y, b.y);
}

// The segments a-b and c-d lie on one line and share a piece of positive
// length, from `from` to `to` (both ends of that piece are ends of the segments).
bool CollinearOverlap(WalkPoint a, WalkPoint b, WalkPoint c, WalkPoint d, WalkPoint* from, WalkPoint* to) {
  if (a == b || c == d || Cross(a, b, c) != 0 || Cross(a, b, d) != 0) return false;
  I64 tb = Dot(a, b, b), tc = Dot(a, b, c), td = Dot(a, b, d);
  WalkPoint low2 = tc < td ? c : d, high2 = tc < td ? d : c;
  I64 tLow2 = std::min(tc, td), tHigh2 = std::max(tc, td);
  I64 tLow = std::max<I64>(0, tLow2), tHigh = std::min(tb, tHigh2);
  if (tLow >= tHigh) return false;
  *from = tLow2 > 0 ? low2 : a;
  *to = tHigh2 < tb ? high2 : b;
  return true;
}

I64 TwiceArea(const Box& box) {
  I64 sum = 0;
  for (int i = 0, j = 3; i < 4; j = i++)
    sum += static_cast<I64>(box.corners[j].x) * box.corners[i].y - static_cast<I64>(box.corners[i].x) * box.corners[j].y;
  return sum;
}

bool CrossesItself(const WalkPoint* c, int* edgeA, int* edgeB) {
  for (int e : {0, 1}) {
    if (ProperCross(c[e], c[e + 1], c[e + 2], c[(e + 3) % 4])) {
      *edgeA = e;
      *edgeB = e + 2;
      return true;
    }
  }
  return false;
}

struct Triangle {
  WalkPoint p[3];
};

// The box as triangles with area, cut along a diagonal that lies inside it.
// Only for boxes that do not cross themselves.
std::vector<Triangle> Triangles(const Box& box) {
  const WalkPoint* c = box.corners;
  const int first = Sign(Cross(c[0], c[2], c[1])) * Sign(Cross(c[0], c[2], c[3])) < 0 ? 0 : 1;
  std::vector<Triangle> parts;
  for (int half = 0; half < 2; ++half) {
    Triangle t{{c[first], c[first + 1 + half], c[(first + 2 + half) % 4]}};
    if (Cross(t.p[0], t.p[1], t.p[2]) != 0) parts.push_back(t);
  }
  return parts;
}

// Separating-axis test: the insides of two triangles share a point (touching
// edges and corners do not count).
bool InsidesMeet(const Triangle& a, const Triangle& b) {
  for (const Triangle* t : {&a, &b}) {
    for (int e = 0; e < 3; ++e) {
      WalkPoint p = t->p[e], q = t->p[(e + 1) % 3];
      I64 nx = -static_cast<I64>(q.y - p.y), ny = q.x - p.x;
      I64 aMin = INT64_MAX, aMax = INT64_MIN, bMin = INT64_MAX, bMax = INT64_MIN;
      for (int k = 0; k < 3; ++k) {
        I64 va = nx * a.p[k].x + ny * a.p[k].y, vb = nx * b.p[k].x + ny * b.p[k].y;
        aMin = std::min(aMin, va), aMax = std::max(aMax, va);
        bMin = std::min(bMin, vb), bMax = std::max(bMax, vb);
      }
      if (aMax <= bMin || bMax <= aMin) return false;
    }
  }
  return true;
}

bool BoxesOverlap(const Box& a, const Box& b) {
  for (const Triangle& ta : Triangles(a))
    for (const Triangle& tb : Triangles(b))
      if (InsidesMeet(ta, tb)) return true;
  return false;
}

// Equal corner pairs, counted as the engine counts them for Neighbours.
int SharedCornerPairs(const Box& a, const Box& b, WalkPoint* one) {
  int count = 0;
  for (const WalkPoint& p : a.corners)
    for (const WalkPoint& q : b.corners)
      if (p == q) ++count, *one = p;
  return count;
}

std::string Plural(int n, const char* one, const char* many) { return std::to_string(n) + " " + (n == 1 ? one : many); }

// The problem between two boxes that are not connected, or an empty text.
// Boxes that touch in a point are not worth a word when a box connected to
// both lies between them (as in a grid of boxes).
std::string PairProblem(const PathMap& map, int i, int j, bool shapesOk, bool commonNeighbour) {
  const Box& a = map.BoxAt(i);
  const Box& b = map.BoxAt(j);
  const std::string both = "boxes " + std::to_string(i) + " and " + std::to_string(j);
  if (shapesOk && BoxesOverlap(a, b))
    return both + " overlap but are not connected (they do not share two corners): a point in the overlap " +
           "belongs to box " + std::to_string(std::min(i, j)) +
           " only, and the path search never steps from one box to the other. Let them meet along a common " +
           "edge instead of overlapping";
  for (int e = 0; e < 4; ++e) {
    for (int f = 0; f < 4; ++f) {
      WalkPoint a0 = a.corners[e], a1 = a.corners[(e + 1) % 4], b0 = b.corners[f], b1 = b.corners[(f + 1) % 4];
      WalkPoint from, to;
      if (!CollinearOverlap(a0, a1, b0, b1, &from, &to)) continue;
      std::string text = both + " are not connected: the edge " + EdgeText(a0, a1) + " of box " + std::to_string(i) +
                         " lies on the edge " + EdgeText(b0, b1) + " of box " + std::to_string(j) +
                         ", but the engine connects boxes only through two shared corners. Make both boxes use " +
                         "the corners " + PointText(from) + " and " + PointText(to);
      std::vector<int> longer;
      if (!((a0 == from && a1 == to) || (a0 == to && a1 == from))) longer.push_back(i);
      if (!((b0 == from && b1 == to) || (b0 == to && b1 == from))) longer.push_back(j);
      if (!longer.empty())
        text += longer.size() == 1
                    ? " (box " + std::to_string(longer[0]) + "'s edge goes on beyond them: split box " +
                          std::to_string(longer[0]) + " there, so that one part ends exactly at those corners)"
                    : " (each edge goes on beyond them: split the boxes there, so that two parts end exactly at "
                      "those corners)";
      return text;
    }
  }
  WalkPoint shared;
  const int sharedPairs = SharedCornerPairs(a, b, &shared);
  if (commonNeighbour && sharedPairs > 0) return "";
  if (sharedPairs == 1)
    return both + " touch only in the corner " + PointText(shared) +
           ": they are not connected (the engine connects boxes only through two shared corners, a whole " +
           "common edge). If the hero should walk from one to the other, give them a common edge, or add a box " +
           "between them that shares an edge with each";
  for (int pass = 0; pass < 2 && !commonNeighbour; ++pass) {
    const Box& p = pass ? b : a;
    const Box& q = pass ? a : b;
    int pi = pass ? j : i, qi = pass ? i : j;
    for (const WalkPoint& corner : p.corners)
      for (int f = 0; f < 4; ++f)
        if (StrictlyOnSegment(corner, q.corners[f], q.corners[(f + 1) % 4]))
          return both + " touch only in one point: the corner " + PointText(corner) + " of box " +
                 std::to_string(pi) + " lies on the edge " + EdgeText(q.corners[f], q.corners[(f + 1) % 4]) +
                 " of box " + std::to_string(qi) +
                 ". They are not connected; if the hero should walk from one to the other, give them a common " +
                 "edge (two corners used by both boxes)";
  }
  // Corners a few pixels apart: usually a typing slip.
  for (const WalkPoint& p : a.corners)
    for (const WalkPoint& q : b.corners) {
      I64 dx = p.x - q.x, dy = p.y - q.y;
      if (p == q || dx * dx + dy * dy > 9) continue;
      int apart = static_cast<int>(std::ceil(std::sqrt(static_cast<double>(dx * dx + dy * dy))));
      return both + " are not connected, but the corner " + PointText(p) + " of box " + std::to_string(i) +
             " and the corner " + PointText(q) + " of box " + std::to_string(j) + " are only " +
             Plural(apart, "pixel", "pixels") +
             " apart. Corners must be exactly equal: if the boxes should be connected, give both the same two " +
             "corners on the edge between them";
    }
  return "";
}

// Boxes that lie on a ring of connected boxes: the ends of every connection
// that is not a bridge (Tarjan's bridge search).
std::vector<int> BoxesOnRings(const std::vector<std::vector<int>>& linked) {
  const int n = static_cast<int>(linked.size());
  std::vector<int> order(n, -1), low(n, 0);
  std::vector<bool> onRing(n, false);
  int counter = 0;
  struct Frame {
    int box, parent;
    size_t next;
  };
  for (int root = 0; root < n; ++root) {
    if (order[root] >= 0) continue;
    std::vector<Frame> stack{{root, -1, 0}};
    order[root] = low[root] = counter++;
    while (!stack.empty()) {
      Frame& f = stack.back();
      if (f.next < linked[f.box].size()) {
        int to = linked[f.box][f.next++];
        if (to == f.parent) continue;
        if (order[to] >= 0) {
          low[f.box] = std::min(low[f.box], order[to]);
          onRing[f.box] = onRing[to] = true;  // a connection back to an earlier box closes a ring
        } else {
          order[to] = low[to] = counter++;
          stack.push_back(Frame{to, f.box, 0});
        }
        continue;
      }
      int box = f.box, parent = f.parent;
      stack.pop_back();
      if (parent >= 0) {
        low[parent] = std::min(low[parent], low[box]);
        if (low[box] <= order[parent]) onRing[box] = onRing[parent] = true;  // not a bridge
      }
    }
  }
  std::vector<int> boxes;
  for (int i = 0; i < n; ++i)
    if (onRing[i]) boxes.push_back(i);
  return boxes;
}

std::string ChainOf(const std::vector<int>& boxes) {
  std::string text;
  for (size_t k = 0; k < boxes.size(); ++k) text += (k ? "-" : "") + std::to_string(boxes[k]);
  return text;
}

}  // namespace

std::string ListText(const std::vector<int>& numbers) {
  std::string s;
  for (size_t k = 0; k < numbers.size(); ++k) {
    if (k > 0) s += k + 1 == numbers.size() ? " and " : ", ";
    s += std::to_string(numbers[k]);
  }
  return s;
}

std::string ChainText(const std::vector<int>& parent, int to) {
  std::vector<int> chain;
  for (int b = to; b >= 0; b = parent[b]) chain.insert(chain.begin(), b);
  std::string text;
  for (size_t k = 0; k < chain.size(); ++k) text += (k ? "-" : "") + std::to_string(chain[k]);
  return text;
}

std::string FarCentreNote(const PathMap& map, const std::vector<int>& parent, int to, WalkPoint target) {
  for (int b = to; b >= 0 && parent[b] >= 0; b = parent[b]) {
    WalkPoint centre = PathMap::BoxCentre(map.BoxAt(b));
    int d = PathMap::Distance(centre, target);
    if (d >= 9999)
      return " The search never steps into a box whose centre lies 9999 pixels or more from the target, and the "
             "centre " + PointText(centre) + " of box " + std::to_string(b) + " is " + std::to_string(d) +
             " pixels from it: split long boxes into shorter ones.";
  }
  return "";
}

bool Connected(const PathMap& map, int a, int b) {
  const std::vector<int>& na = map.Neighbours(a);
  const std::vector<int>& nb = map.Neighbours(b);
  return std::find(na.begin(), na.end(), b) != na.end() || std::find(nb.begin(), nb.end(), a) != nb.end();
}

std::vector<int> ReachFrom(const PathMap& map, int from, std::vector<bool>* reached) {
  const int n = map.BoxCount();
  std::vector<int> parent(n, -1);
  reached->assign(n, false);
  if (from < 0 || from >= n) return parent;
  std::deque<int> queue{from};
  (*reached)[from] = true;
  while (!queue.empty()) {
    int box = queue.front();
    queue.pop_front();
    for (int next : map.Neighbours(box)) {
      if ((*reached)[next]) continue;
      (*reached)[next] = true;
      parent[next] = box;
      queue.push_back(next);
    }
  }
  return parent;
}

bool PointOfBox(const PathMap& map, int i, WalkPoint* point) {
  const Box& box = map.BoxAt(i);
  const WalkPoint* c = box.corners;
  std::vector<WalkPoint> tries = {PathMap::BoxCentre(box)};
  for (int skip = 0; skip < 4; ++skip) {
    I64 sx = 0, sy = 0;
    for (int k = 0; k < 4; ++k)
      if (k != skip) sx += c[k].x, sy += c[k].y;
    tries.push_back(WalkPoint{static_cast<int>(sx / 3), static_cast<int>(sy / 3)});
  }
  for (const WalkPoint& p : tries)
    if (map.BoxIndexOf(p) == i) return *point = p, true;
  int minX = c[0].x, maxX = c[0].x, minY = c[0].y, maxY = c[0].y;
  for (int k = 1; k < 4; ++k) {
    minX = std::min(minX, c[k].x), maxX = std::max(maxX, c[k].x);
    minY = std::min(minY, c[k].y), maxY = std::max(maxY, c[k].y);
  }
  int stepX = std::max(1, (maxX - minX) / 64), stepY = std::max(1, (maxY - minY) / 64);
  for (int y = minY; y <= maxY; y += stepY)
    for (int x = minX; x <= maxX; x += stepX)
      if (map.BoxIndexOf(WalkPoint{x, y}) == i) return *point = WalkPoint{x, y}, true;
  return false;
}

MapCheckReport CheckMap(PathMap& map, const MapCheckOptions& options) {
  MapCheckReport report;
  const int n = map.BoxCount();
  auto add = [&report](bool error, const std::string& text) {
    report.findings.push_back(MapFinding{error, text});
    ++(error ? report.errors : report.warnings);
  };
  const std::string mapName = options.mapName.empty() ? "MAP" : options.mapName;

  for (int i = 0; i < n; ++i) {
    const Box& box = map.BoxAt(i);
    std::string line = "box " + std::to_string(i) + ":";
    for (const WalkPoint& c : box.corners) line += " " + PointText(c);
    line += "  centre " + PointText(PathMap::BoxCentre(box)) + "  neighbours: ";
    const std::vector<int>& near = map.Neighbours(i);
    if (near.empty()) line += "none";
    for (size_t k = 0; k < near.size(); ++k)
      line += (k ? ", " : "") + std::to_string(near[k]) + (near[k] == i ? " (itself, see below)" : "");
    report.listing.push_back(line);
  }

  // Each box on its own.
  std::vector<bool> shapeOk(n, false);
  for (int i = 0; i < n; ++i) {
    const Box& box = map.BoxAt(i);
    const WalkPoint* c = box.corners;
    const std::string name = "box " + std::to_string(i);
    int e, f;
    if (CrossesItself(c, &e, &f)) {
      std::string text = name + " crosses itself: its edges " + EdgeText(c[e], c[e + 1]) + " and " +
                         EdgeText(c[f], c[(f + 1) % 4]) + " cross at about " +
                         PointText(CrossingPoint(c[e], c[e + 1], c[f], c[(f + 1) % 4])) +
                         ", so the box is two triangles that meet in a point, not one piece of floor. List the corners " +
                         "in order around the box";
      const int orders[2][4] = {{0, 2, 1, 3}, {0, 1, 3, 2}};
      for (const int* order : orders) {
        WalkPoint re[4] = {c[order[0]], c[order[1]], c[order[2]], c[order[3]]};
        int e2, f2;
        if (!CrossesItself(re, &e2, &f2)) {
          text += ": " + BoxLineText(c, order);
          break;
        }
      }
      add(true, text);
      continue;
    }
    if (TwiceArea(box) == 0) {
      add(true, name + " has no area: its corners lie on one line, so no point is inside it and nobody can " +
                    "stand in it. Give it four corners around a piece of floor");
      continue;
    }
    shapeOk[i] = true;
    // The engine knows a box by the box its centre lies in.
    WalkPoint centre = PathMap::BoxCentre(box);
    int holder = map.BoxIndexOf(centre);
    if (holder != i) {
      std::string where =
          holder < 0 ? "lies outside the box (in no box at all)"
                     : (PathMap::PointInBox(box, centre)
                            ? "lies in box " + std::to_string(holder) + " too, which comes first and overlaps it"
                            : "lies outside the box, in box " + std::to_string(holder));
      add(true, name + "'s centre " + PointText(centre) + " (the average of its corners) " + where +
                    ". The path search knows a box by the box its centre lies in, so walking into or through " +
                    name + " goes wrong" +
                    (holder < 0 || !PathMap::PointInBox(box, centre)
                         ? ". Make the box convex (no corner pointing inwards), or split it into two boxes that "
                           "share an edge"
                         : ". Boxes should not overlap: let them meet along a common edge"));
    }
  }

  // The background.
  if (options.width >= 0) {
    for (int i = 0; i < n; ++i) {
      std::vector<std::string> outside;
      for (const WalkPoint& c : map.BoxAt(i).corners)
        if (c.x > options.width || c.y > options.height) outside.push_back(PointText(c));
      if (outside.empty()) continue;
      std::string list;
      for (size_t k = 0; k < outside.size(); ++k) list += (k ? ", " : "") + outside[k];
      add(true, "box " + std::to_string(i) + " reaches outside the background of " + std::to_string(options.width) +
                    " x " + std::to_string(options.height) + ": " + (outside.size() == 1 ? "corner " : "corners ") +
                    list + ". The hero could walk where there is no picture; keep x within 0.." +
                    std::to_string(options.width) + " and y within 0.." + std::to_string(options.height));
    }
  }

  // Pairs of boxes that look joined but are not connected.
  std::vector<std::vector<int>> linked(n);  // connected boxes, either direction, without the box itself
  for (int i = 0; i < n; ++i)
    for (int j : map.Neighbours(i))
      if (j != i) linked[i].push_back(j), linked[j].push_back(i);
  for (std::vector<int>& l : linked) {
    std::sort(l.begin(), l.end());
    l.erase(std::unique(l.begin(), l.end()), l.end());
  }
  std::vector<char> mark(n, 0);
  for (int i = 0; i < n; ++i) {
    for (int k : linked[i]) mark[k] = 1;
    for (int j = i + 1; j < n; ++j) {
      if (mark[j]) continue;  // connected
      bool commonNeighbour = false;
      for (int k : linked[j]) commonNeighbour = commonNeighbour || mark[k];
      std::string problem = PairProblem(map, i, j, shapeOk[i] && shapeOk[j], commonNeighbour);
      if (!problem.empty()) add(false, problem);
    }
    for (int k : linked[i]) mark[k] = 0;
  }

  // Boxes out of reach of box 0.
  std::vector<bool> fromZero;
  ReachFrom(map, 0, &fromZero);
  std::vector<int> unreached;
  for (int i = 0; i < n; ++i)
    if (!fromZero[i]) unreached.push_back(i);
  if (!unreached.empty())
    add(false, (unreached.size() == 1 ? "box " : "boxes ") + ListText(unreached) +
                   " cannot be reached from box 0: no chain of connected boxes leads there, so the hero cannot walk " +
                   (unreached.size() == 1 ? "into it" : "into them") +
                   " from box 0's floor. Connect " + (unreached.size() == 1 ? "it" : "them") +
                   " through a common edge, or remove " + (unreached.size() == 1 ? "it" : "them") +
                   " if nobody should walk there");

  // Trial walks with the engine's own search between every two boxes that are
  // connected through other boxes.
  constexpr int kMaxTrialBoxes = 300;
  constexpr int kDetailed = 5;
  if (n <= kMaxTrialBoxes) {
    std::vector<WalkPoint> points(n);
    std::vector<bool> hasPoint(n);
    for (int i = 0; i < n; ++i) hasPoint[i] = PointOfBox(map, i, &points[i]);
    struct Failure {
      std::string text, command;
    };
    std::vector<Failure> failures, detours;
    for (int s = 0; s < n; ++s) {
      if (!hasPoint[s]) continue;
      std::vector<bool> reached;
      std::vector<int> parent = ReachFrom(map, s, &reached);
      CentreRoutes shortest(map, linked, s, points[s]);
      for (int t = 0; t < n; ++t) {
        if (t == s || !hasPoint[t] || !reached[t]) continue;
        map.SetStart(points[s].x, points[s].y);
        map.SetTarget(points[t].x, points[t].y);
        const std::string command = "quillon-map path " + mapName + " " + std::to_string(points[s].x) + " " +
                                    std::to_string(points[s].y) + " " + std::to_string(points[t].x) + " " +
                                    std::to_string(points[t].y);
        if (!map.FindPath()) {
          failures.push_back({"the engine's path search finds no way from box " + std::to_string(s) + " to box " +
                                  std::to_string(t) + ", although they are connected (" + ChainText(parent, t) +
                                  "); the hero cannot walk there." + FarCentreNote(map, parent, t, points[t]),
                              command});
          continue;
        }
        std::vector<WalkPoint> path = map.Path();
        bool jumps = false;
        for (size_t k = 0; k + 1 < path.size(); ++k) {
          int from = map.BoxIndexOf(path[k]), to = map.BoxIndexOf(path[k + 1]);
          if (from == to || (from >= 0 && to >= 0 && Connected(map, from, to))) continue;
          failures.push_back({"the engine's path from box " + std::to_string(s) + " to box " + std::to_string(t) +
                                  " jumps from " + PointText(path[k]) + " to " + PointText(path[k + 1]) +
                                  ", which are not in the same or connected boxes: the hero would walk straight " +
                                  "across whatever lies between.",
                              command});
          jumps = true;
          break;
        }
        // A way half as long again is one a player sees the hero walk round.
        std::vector<int> shortBoxes;
        double walked = PathLength(path), best = shortest.To(t, points[t], &shortBoxes);
        if (!jumps && best > 0 && walked >= 1.5 * best && walked - best >= 40) {
          std::vector<int> walkedBoxes = BoxesAlong(map, path);
          size_t part = 0;
          while (part < walkedBoxes.size() && part < shortBoxes.size() && walkedBoxes[part] == shortBoxes[part]) ++part;
          std::string look = part < walkedBoxes.size() && part < shortBoxes.size()
                                 ? "boxes " + std::to_string(walkedBoxes[part]) + " and " + std::to_string(shortBoxes[part])
                                 : "the boxes where the two ways part";
          char ratio[16];
          snprintf(ratio, sizeof ratio, "%.1f", walked / best);
          detours.push_back({"the engine's path from box " + std::to_string(s) + " to box " + std::to_string(t) +
                                 " runs through boxes " + ChainOf(walkedBoxes) + " (" +
                                 std::to_string(static_cast<int>(walked)) + " pixels), " + ratio +
                                 " times the way through boxes " + ChainOf(shortBoxes) + " (" +
                                 std::to_string(static_cast<int>(best)) + " pixels): the hero walks round. The " +
                                 "search steps into the connected box whose centre is nearest the target; look at " +
                                 look + ", where the two ways part, and reshape them so that the short way's box " +
                                 "lies nearer.",
                             command});
        }
      }
    }
    if (!failures.empty()) {
      std::vector<int> ring = BoxesOnRings(linked);
      if (!ring.empty()) {
        constexpr size_t kNamed = 12;
        bool more = ring.size() > kNamed;
        if (more) ring.resize(kNamed);
        failures[0].text += " Why: the search backs out of a dead end properly only where the connected boxes form "
                       "no ring, and boxes " + ListText(ring) + (more ? " (and more)" : "") +
                       " lie on rings. Reshape or merge boxes so that no ring of connected boxes remains (for "
                       "example one box instead of a 2 x 2 block of boxes).";
      }
    }
    for (size_t k = 0; k < failures.size() && k < kDetailed; ++k)
      add(false, failures[k].text + " See: " + failures[k].command);
    if (failures.size() > kDetailed)
      add(false, "and " + std::to_string(failures.size() - kDetailed) +
                     " more pairs of boxes between which the engine's path search goes wrong");
    for (size_t k = 0; k < detours.size() && k < kDetailed; ++k)
      add(false, detours[k].text + " See: " + detours[k].command);
    if (detours.size() > kDetailed)
      add(false, "and " + std::to_string(detours.size() - kDetailed) + " more pairs of boxes with such a detour");
  }
  return report;
}
