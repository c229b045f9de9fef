// Walking the hero to clicked points and to objects.
#include "walk/walking.h"

#include <stdexcept>

#include "core/engine.h"
#include "core/frame_loop.h"
#include "scene/movement.h"
#include "script/script_args.h"
#include "ui/verbs.h"
#include "util/log.h"
#include "util/numbers.h"

namespace {

PathMap& MapOf(Engine& engine) {
  if (!engine.walk.map) throw std::logic_error("no walk map");
  return *engine.walk.map;
}

AdventureObject& HeroOf(Engine& engine) {
  if (!engine.scene.hero) throw std::logic_error("no hero");
  return *engine.scene.hero;
}

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
  const int cx = engine.input.clickX - engine.view.scrollX;
  const int cy = engine.input.clickY;
  if (!map.SetStart(TruncateToInt(hero.x), TruncateToInt(hero.y)) || !map.SetTarget(cx, cy)) {
    LogFormat("%i,%i is notreachable for %s\r\n", cx, cy, hero.name.c_str());
    lua_Event(engine, "NOTREACHABLE", "", "");
    return;
  }
  // A point in a box that no chain of boxes leads to: the hero stays.
  if (map.FindPath()) FollowPath(engine, hero, map.Path());
}

// Why the hero could never finish a walk it has started, or null.
const char* WalkCannotEnd(const AdventureObject& hero) {
  if (!hero.visible) return "the hero is hidden and cannot move";
  if (hero.speed == 0) return "the hero has speed 0 and cannot arrive";
  return nullptr;
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
      lua_Event(engine, "NOTREACHABLE", engine.scene.objects.KeyOf(&object), "");
    } else if (engine.scene.hero) {
      WalkToClickedPoint(engine, *engine.scene.hero);
    }
  });
}

void CheckArrival(Engine& engine) {
  WalkState& walk = engine.walk;
  if (walk.arrivalReported) return;
  if (engine.scene.hero && engine.scene.hero->moving) return;
  walk.arrivalReported = true;
  AdventureObject* object = walk.target;
  walk.target = nullptr;  // before the event, for the same reason as in ClickWalk
  lua_Event(engine, "REACHED", object ? engine.scene.objects.KeyOf(object) : std::string(), "");
}

bool WalkToObject(Engine& engine, AdventureObject* object) {
  bool reached = false;
  Guarded("Exception cateched in WalkToObject()\r\n", [&] {
    if (!object) throw std::invalid_argument("no object");
    AdventureObject& hero = HeroOf(engine);
    const int tx = object->walkToX, ty = object->walkToY;
    if (tx == -1 && ty == -1) {
      reached = true;  // nowhere to walk to: the event comes at once
      return;
    }
    PathMap& map = MapOf(engine);
    if (!map.PointInAnyBox(WalkPoint{tx, ty})) return;
    map.SetStart(TruncateToInt(hero.x), TruncateToInt(hero.y));
    map.SetTarget(tx, ty);
    if (!map.FindPath()) return;
    FollowPath(engine, hero, map.Path());
    while (hero.moving) {
      if (const char* reason = WalkCannotEnd(hero)) {
        // The wait would never end: the walk ends where the hero stands, so
        // that it does not set off later on behind the script's back.
        LogFormat("WalkToObject(%s): %s, not waiting any longer\r\n", engine.scene.objects.KeyOf(object).c_str(),
                  reason);
        hero.moving = false;
        hero.followingPath = false;
        return;
      }
      FrameStep(engine);
    }
    AutoFlipHero(engine, object);
    reached = true;
  });
  return reached;
}
