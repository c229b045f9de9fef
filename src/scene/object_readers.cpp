// Script functions that answer questions about objects and the hero.
#include <string>

#include "engine/engine.h"
#include "scene/adventure_object.h"
#include "scene/object_lookup.h"
#include "script/script_args.h"
#include "script/script_functions.h"

namespace {

// Pushes 1 when the object named by the first argument has the quality, else
// 0. An unknown id answers as a new object would (no), as IsInInventory does.
template <class Quality>
int AnswerYesOrNo(lua_State* L, Quality&& quality) {
  bool yes = false;
  GuardedCall(L, [&] {
    if (AdventureObject* object = FindObject(EngineOf(L), ArgString(L, 1))) yes = quality(*object);
  });
  lua_pushnumber(L, yes ? 1 : 0);
  return 1;
}

void PushText(lua_State* L, const std::string& text) { lua_pushlstring(L, text.data(), text.size()); }

}  // namespace

// The reference point as the engine keeps it: fractional while the object
// walks. An unknown id answers 0, 0, where a new object stands.
int lua_GetPos(lua_State* L) {
  double x = 0, y = 0;
  GuardedCall(L, [&] {
    if (AdventureObject* object = FindObject(EngineOf(L), ArgString(L, 1))) {
      x = object->x;
      y = object->y;
    }
  });
  lua_pushnumber(L, x);
  lua_pushnumber(L, y);
  return 2;
}

int lua_IsVisible(lua_State* L) {
  return AnswerYesOrNo(L, [](const AdventureObject& o) { return o.visible; });
}

int lua_IsWalking(lua_State* L) {
  return AnswerYesOrNo(L, [](const AdventureObject& o) { return o.moving; });
}

int lua_IsTalking(lua_State* L) {
  return AnswerYesOrNo(L, [](const AdventureObject& o) { return o.talking; });
}

// The name the current animation was loaded under; "" without one.
int lua_GetAnim(lua_State* L) {
  std::string name;
  GuardedCall(L, [&] {
    AdventureObject* object = FindObject(EngineOf(L), ArgString(L, 1));
    if (object && object->currentAnimation) name = object->animations.KeyOf(object->currentAnimation);
  });
  PushText(L, name);
  return 1;
}

// The hero's id; "" before SetHero named one.
int lua_GetHero(lua_State* L) {
  const CastState& cast = EngineOf(L).cast;
  PushText(L, cast.hero ? cast.objects.KeyOf(cast.hero) : std::string());
  return 1;
}
