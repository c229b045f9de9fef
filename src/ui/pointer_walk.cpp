// Clicks with WALK: the hero walks to the clicked point or object, and the script hears of the arrival.
#include "ui/pointer_walk.h"

#include "engine/calm_game.h"
#include "engine/engine.h"
#include "scene/movement.h"
#include "ui/event_call.h"
#include "util/guard.h"
#include "util/log.h"
#include "util/numbers.h"
#include "walk/path_map.h"
#include "walk/walk_to_object.h"

namespace {

// Plans the walk to the object chosen with WALK; false when there is no way.
bool StartWalkToTarget(Engine& engine, AdventureObject& hero, AdventureObject& object) {
  PathMap& map = MapOf(engine);
  if (!map.PointInAnyBox(WalkPoint{object.walkToX, object.walkToY})) return false;
  // A hero outside every box keeps the previous start.
  map.SetStart(TruncateToInt(hero.x), TruncateToInt(hero.y));
  map.SetTarget(object.walkToX, object.walkToY);
  if (!map.FindPath()) return false;
  FollowPath(engine, hero, map.Path());
  engine.walk.arrivalReported = false;
  return true;
}

void WalkToClickedPoint(Engine& engine, AdventureObject& hero) {
  const UiState& ui = engine.ui;
  if (!ui.currentVerb || ui.currentVerb != ui.buttons.Get("WALK")) return;
  PathMap& map = MapOf(engine);
  const int cx = engine.frame.clickX - engine.view.scrollX;
  const int cy = engine.frame.clickY;
  if (!map.SetStart(TruncateToInt(hero.x), TruncateToInt(hero.y)) || !map.SetTarget(cx, cy)) {
    LogFormat("%i,%i is notreachable for %s\r\n", cx, cy, hero.name.c_str());
    lua_Event(engine, "NOTREACHABLE", "", "");
    return;
  }
  // A point in a box that no chain of boxes leads to: the hero stays.
  if (map.FindPath()) FollowPath(engine, hero, map.Path());
}


}  // namespace

void ClickWalk(Engine& engine) {
  Guarded("Exception in Handle Events while finding Path\r\n", [&] {
    WalkState& walk = engine.walk;
    if (walk.target) {
      AdventureObject& object = *walk.target;
      AdventureObject& hero = HeroOf(engine);
      if (StartWalkToTarget(engine, hero, object)) return;
      LogFormat("%s didn't find a Path to %s(%i,%i)\r\n", hero.name.c_str(), object.name.c_str(), object.walkToX,
                object.walkToY);
      // Cleared before the script hears of it: a walk the script's Event
      // starts through nested frames must not lose its target afterwards.
      walk.target = nullptr;
      lua_Event(engine, "NOTREACHABLE", engine.cast.objects.KeyOf(&object), "");
    } else if (engine.cast.hero) {
      WalkToClickedPoint(engine, *engine.cast.hero);
    }
  });
}

void CheckArrival(Engine& engine) {
  WalkState& walk = engine.walk;
  if (walk.arrivalReported) return;
  if (engine.cast.hero && engine.cast.hero->moving) return;
  KeepCalmGame(engine);  // before the arrival is marked reported
  walk.arrivalReported = true;
  AdventureObject* object = walk.target;
  walk.target = nullptr;  // before the event, for the same reason as in ClickWalk
  lua_Event(engine, "REACHED", object ? engine.cast.objects.KeyOf(object) : std::string(), "");
}
