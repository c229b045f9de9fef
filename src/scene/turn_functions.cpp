// Script functions that turn an object on the spot to one of its walking animations.
#include "engine/engine.h"
#include "scene/adventure_object.h"
#include "scene/animation.h"
#include "scene/object_lookup.h"
#include "script/script_args.h"
#include "script/script_functions.h"

namespace {

// Looked up by name, not through the slots: games name their walking
// animations after the directions to use these.
int Turn(lua_State* L, const char* animationName) {
  Engine& engine = EngineOf(L);
  GuardedCall(L, [&] {
    AdventureObject* object = FindObject(engine, ArgString(L, 1));
    if (Animation* animation = FindAnimation(object, animationName)) {
      object->currentAnimation = animation;
      animation->currentFrame = 0;
    }
  });
  return 0;
}

}  // namespace

int lua_TurnLeft(lua_State* L) { return Turn(L, "MOVELEFT"); }
int lua_TurnRight(lua_State* L) { return Turn(L, "MOVERIGHT"); }
int lua_TurnUp(lua_State* L) { return Turn(L, "MOVEUP"); }
int lua_TurnDown(lua_State* L) { return Turn(L, "MOVEDOWN"); }
