// Areas: their outlines, the script functions that make them, and their end with the scene.
#include "scene/areas.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <stdexcept>

#include "engine/diagnostics.h"
#include "engine/engine.h"
#include "engine/scene_areas.h"
#include "scene/object_lookup.h"
#include "script/script_args.h"
#include "script/script_functions.h"

namespace {

// Twice the signed area of abc: exact for the corners of any scene, and no
// overflow for those of a damaged save.
double Cross(const WalkPoint& a, const WalkPoint& b, const WalkPoint& c) {
  return (double{1} * b.x - a.x) * (double{1} * c.y - a.y) - (double{1} * b.y - a.y) * (double{1} * c.x - a.x);
}

int Side(const WalkPoint& a, const WalkPoint& b, const WalkPoint& c) {
  double cross = Cross(a, b, c);
  return (cross > 0) - (cross < 0);
}

// p on the segment ab, ends included.
bool OnSegment(const WalkPoint& a, const WalkPoint& b, const WalkPoint& p) {
  return Cross(a, b, p) == 0 && std::min(a.x, b.x) <= p.x && p.x <= std::max(a.x, b.x) &&
         std::min(a.y, b.y) <= p.y && p.y <= std::max(a.y, b.y);
}

bool SegmentsMeet(const WalkPoint& a, const WalkPoint& b, const WalkPoint& c, const WalkPoint& d) {
  int s1 = Side(c, d, a), s2 = Side(c, d, b), s3 = Side(a, b, c), s4 = Side(a, b, d);
  if (s1 * s2 < 0 && s3 * s4 < 0) return true;
  return OnSegment(c, d, a) || OnSegment(c, d, b) || OnSegment(a, b, c) || OnSegment(a, b, d);
}

}  // namespace

bool InOutline(const std::vector<WalkPoint>& outline, int sceneX, int sceneY) {
  WalkPoint p{sceneX, sceneY};
  bool inside = false;
  for (size_t i = 0, j = outline.size() - 1; i < outline.size(); j = i++) {
    const WalkPoint &a = outline[i], &b = outline[j];
    if (OnSegment(a, b, p)) return true;
    // Even-odd: count the edges that a ray to the right of p crosses.
    if ((a.y > sceneY) != (b.y > sceneY) &&
        sceneX < a.x + (double{1} * sceneY - a.y) * (double{1} * b.x - a.x) / (double{1} * b.y - a.y))
      inside = !inside;
  }
  return inside;
}

WalkPoint OutlineMiddle(const std::vector<WalkPoint>& outline) {
  auto [left, right] = std::minmax_element(outline.begin(), outline.end(),
                                           [](const WalkPoint& a, const WalkPoint& b) { return a.x < b.x; });
  auto [top, bottom] = std::minmax_element(outline.begin(), outline.end(),
                                           [](const WalkPoint& a, const WalkPoint& b) { return a.y < b.y; });
  return {static_cast<int>(left->x + (int64_t{right->x} - left->x) / 2),
          static_cast<int>(top->y + (int64_t{bottom->y} - top->y) / 2)};
}

std::string OutlineFault(Engine& engine, const std::vector<WalkPoint>& outline) {
  size_t n = outline.size();
  if (n < 3) return FormatText("%d corners, where an area needs at least three", static_cast<int>(n));
  // The scene is the background, or the screen before one is loaded.
  int64_t width = engine.view.background ? engine.view.background->w : engine.core.screenWidth;
  int64_t height = engine.core.screenHeight;
  for (const WalkPoint& p : outline)
    if (p.x < -width || p.x > 2 * width || p.y < -height || p.y > 2 * height)
      return FormatText("the corner (%d, %d) lies far outside the scene of %d x %d", p.x, p.y, static_cast<int>(width),
                        static_cast<int>(height));
  for (size_t i = 0; i < n; ++i)
    for (size_t j = i + 2; j < n; ++j) {
      if (i == 0 && j == n - 1) continue;  // neighbours share a corner
      if (SegmentsMeet(outline[i], outline[i + 1], outline[j], outline[(j + 1) % n]))
        return FormatText("its edges from corner %d and from corner %d cross", static_cast<int>(i + 1),
                          static_cast<int>(j + 1));
    }
  double twiceArea = 0;
  for (size_t i = 0; i < n; ++i) twiceArea += Cross(outline[0], outline[i], outline[(i + 1) % n]);
  if (twiceArea == 0) return "its corners enclose nothing";
  return "";
}

void ForgetSceneAreas(Engine& engine) {
  auto& objects = engine.cast.objects;
  for (int i = 0; i < objects.Count(); ++i) {
    AdventureObject& object = *objects.ValueAt(i);
    if (object.area.empty()) continue;
    object.area.clear();
    object.visible = false;
  }
}

namespace {

// Makes id an area with this outline, shown; an object of that id keeps its
// name, walk-to position and uses. A faulty outline changes nothing.
void MakeArea(Engine& engine, const std::string& id, std::vector<WalkPoint> outline) {
  std::string fault = OutlineFault(engine, outline);
  if (!fault.empty()) {
    if (DiagnosticsOn(engine)) Diagnose(engine, FormatText("no area \"%s\": %s", id.c_str(), fault.c_str()));
    throw std::runtime_error(fault);
  }
  AdventureObject* object = engine.cast.objects.Get(id);
  if (!object) object = engine.cast.objects.Add(id, MakeOwned<AdventureObject>());
  object->area = std::move(outline);
  object->visible = true;
}

int ToInt(int64_t value) { return static_cast<int>(std::clamp<int64_t>(value, INT_MIN, INT_MAX)); }

}  // namespace

// CreateArea(id, x, y, width, height): a rectangle, its far edges included.
int lua_CreateArea(lua_State* L) {
  Engine& engine = EngineOf(L);
  GuardedCall(L, [&] {
    std::string id = ArgString(L, 1);
    int64_t x = ArgInt(L, 2), y = ArgInt(L, 3), width = ArgInt(L, 4), height = ArgInt(L, 5);
    std::vector<WalkPoint> outline;
    if (width > 0 && height > 0)
      outline = {{ToInt(x), ToInt(y)}, {ToInt(x + width), ToInt(y)}, {ToInt(x + width), ToInt(y + height)},
                 {ToInt(x), ToInt(y + height)}};
    MakeArea(engine, id, std::move(outline));
  });
  return 0;
}

// CreatePolygonArea(id, x1, y1, x2, y2, x3, y3, ...): the corners in order.
int lua_CreatePolygonArea(lua_State* L) {
  Engine& engine = EngineOf(L);
  GuardedCall(L, [&] {
    std::string id = ArgString(L, 1);
    std::vector<WalkPoint> outline;
    for (int i = 2; i <= lua_gettop(L); i += 2) outline.push_back({ArgInt(L, i), ArgInt(L, i + 1)});
    if (outline.size() > 1 && outline.back() == outline.front()) outline.pop_back();  // closed by hand
    MakeArea(engine, id, std::move(outline));
  });
  return 0;
}

// A picture laid over the scene (a walk-behind) that the pointer never meets.
int lua_PassClicks(lua_State* L) {
  Engine& engine = EngineOf(L);
  GuardedCall(L, [&] {
    AdventureObject* object = FindObject(engine, ArgString(L, 1));
    if (!object) throw std::runtime_error("no such object");
    object->passesClicks = true;
  });
  return 0;
}
