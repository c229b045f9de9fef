// Script functions that create adventure objects and set their fields.
#include <memory>

#include "engine/diagnostics.h"
#include "engine/engine.h"
#include "scene/adventure_object.h"
#include "scene/object_lookup.h"
#include "scene/script_error.h"
#include "script/script_args.h"
#include "script/script_functions.h"

namespace {

// Runs change on the object named by the first argument; unknown ids do nothing.
template <class Change>
int WithObject(lua_State* L, Change&& change) {
  Engine& engine = EngineOf(L);
  GuardedCall(L, [&] {
    if (AdventureObject* object = FindObject(engine, ArgString(L, 1))) change(*object);
  });
  return 0;
}

}  // namespace

int lua_CreateObject(lua_State* L) {
  Engine& engine = EngineOf(L);
  GuardedCall(L, [&] {
    std::string id = ArgString(L, 1);
    if (engine.cast.objects.Get(id)) return;  // the first object of an id stays
    engine.cast.objects.Add(id, MakeOwned<AdventureObject>());
  });
  return 0;
}

int lua_SetName(lua_State* L) {
  return WithObject(L, [&](AdventureObject& o) { o.name = ArgString(L, 2); });
}

int lua_SetPos(lua_State* L) {
  return WithObject(L, [&](AdventureObject& o) {
    o.x = static_cast<float>(ArgInt(L, 2));
    o.y = static_cast<float>(ArgInt(L, 3));
  });
}

int lua_SetHotSpot(lua_State* L) {
  // The animation name is read but the current animation is the one changed:
  // scripts call this right after making the named animation current.
  return WithObject(L, [&](AdventureObject& o) {
    ArgString(L, 2);
    int x = ArgInt(L, 3);
    int y = ArgInt(L, 4);
    if (!o.currentAnimation) return;
    o.currentAnimation->hotspotX = x;
    o.currentAnimation->hotspotY = y;
  });
}

int lua_HotSpotPositionOn(lua_State* L) {
  return WithObject(L, [](AdventureObject& o) { o.hotspotPositioning = true; });
}

int lua_HotSpotPositionOff(lua_State* L) {
  return WithObject(L, [](AdventureObject& o) { o.hotspotPositioning = false; });
}

int lua_SetHero(lua_State* L) {
  Engine& engine = EngineOf(L);
  GuardedCall(L, [&] {
    std::string id = ArgString(L, 1);
    auto& objects = engine.cast.objects;
    for (int i = 0; i < objects.Count(); ++i)
      if (objects.KeyAt(i) == id) engine.cast.hero = objects.ValueAt(i);
  });
  return 0;
}

int lua_SetSingleUse(lua_State* L) {
  return WithObject(L, [](AdventureObject& o) { o.singleUse = true; });
}

int lua_SetMultiUse(lua_State* L) {
  return WithObject(L, [](AdventureObject& o) { o.singleUse = false; });
}

int lua_Show(lua_State* L) {
  return WithObject(L, [](AdventureObject& o) {
    if ((o.currentAnimation && o.currentAnimation->image) || !o.area.empty()) o.visible = true;
  });
}

int lua_Hide(lua_State* L) {
  return WithObject(L, [](AdventureObject& o) { o.visible = false; });
}

int lua_SetSpeed(lua_State* L) {
  Engine& engine = EngineOf(L);
  GuardedWith(
      [&] {
        return ScriptErrorReport(FormatText("SetSpeed(\"%s\",%f)", ReportedText(L, 1).c_str(), ArgNumber(L, 2)));
      },
      [&] {
        double speed = ArgNumber(L, 2);
        if (AdventureObject* object = FindObject(engine, ArgString(L, 1))) object->speed = static_cast<float>(speed);
      });
  return 0;
}

int lua_SetWalkToPos(lua_State* L) {
  return WithObject(L, [&](AdventureObject& o) {
    o.walkToX = ArgInt(L, 2);
    o.walkToY = ArgInt(L, 3);
    // A position outside the walk map shows only when the hero is sent there.
    if (DiagnosticsOn(EngineOf(L))) o.walkToPlace = CallingPlace(EngineOf(L));
  });
}

int lua_OverrideColorKey(lua_State* L) {
  return WithObject(L, [](AdventureObject& o) { o.colorKeyOverride = true; });
}
