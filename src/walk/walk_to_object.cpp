// Walking the hero to an object and waiting until it arrives.
#include "walk/walk_to_object.h"

#include <stdexcept>

#include "engine/diagnostics.h"
#include "engine/engine.h"
#include "engine/nested_frames.h"
#include "scene/movement.h"
#include "util/guard.h"
#include "util/numbers.h"
#include "walk/path_map.h"

namespace {

// Why the hero could never finish a walk it has started, or null.
const char* WalkCannotEnd(const AdventureObject& hero) {
  if (!hero.visible) return "the hero is hidden and cannot move";
  if (hero.speed == 0) return "the hero has speed 0 and cannot arrive";
  return nullptr;
}

}  // namespace

AdventureObject& HeroOf(Engine& engine) {
  if (!engine.cast.hero) throw std::logic_error("no hero");
  return *engine.cast.hero;
}

PathMap& MapOf(Engine& engine) {
  if (!engine.walk.map) throw std::logic_error("no walk map");
  return *engine.walk.map;
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
    if (!map.PointInAnyBox(WalkPoint{tx, ty})) {
      if (DiagnosticsOn(engine)) {
        std::string message = FormatText("walk-to position (%d, %d) of \"%s\" is outside every box of the walk map",
                                         tx, ty, engine.cast.objects.KeyOf(object).c_str());
        if (object->walkToPlace.empty()) Diagnose(engine, message);
        else DiagnoseAt(engine, object->walkToPlace, message);
      }
      return;
    }
    map.SetStart(TruncateToInt(hero.x), TruncateToInt(hero.y));
    map.SetTarget(tx, ty);
    if (!map.FindPath()) return;
    FollowPath(engine, hero, map.Path());
    NestedWait wait;
    wait.who = "WalkToObject(" + engine.cast.objects.KeyOf(object) + ")";
    wait.cannotEnd = [&] { return WalkCannotEnd(hero); };
    if (!RunFramesUntil(engine, [&] { return !hero.moving; }, wait)) {
      // The wait would never end: the walk ends where the hero stands, so
      // that it does not set off later on behind the script's back.
      hero.moving = false;
      hero.followingPath = false;
      return;
    }
    AutoFlipHero(engine, object);
    reached = true;
  });
  return reached;
}
