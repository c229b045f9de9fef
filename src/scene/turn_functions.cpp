// Script functions that turn an object on the spot to one of its walking animations.
#include "core/engine.h"
#include "scene/object_lookup.h"
#include "script/script_args.h"
#include "script/script_functions.h"

namespace {

// Looked up by name, not through the slots: games name their walking
// animations after the directions to use these.
int Turn(lua_State* L, const char* failureLine, const char* animationName) {
  Engine& engine = EngineOf(L);
  Guarded(failureLine, [&] {
    AdventureObject* object = FindObject(engine, ArgString(L, 1));
    if (Animation* animation = FindAnimation(object, animationName)) {
      object->currentAnimation = animation;
      animation->currentFrame = 0;
    }
  });
  return 0;
}

}  // namespace

int lua_TurnLeft(lua_State* L) { return Turn(L, "Exception catched in lua_TurnLeft\r\n", "MOVELEFT"); }
int lua_TurnRight(lua_State* L) { return Turn(L, "Exception catched in lua_TurnRight\r\n", "MOVERIGHT"); }
int lua_TurnUp(lua_State* L) { return Turn(L, "Exception catched in lua_TurnUp\r\n", "MOVEUP"); }
int lua_TurnDown(lua_State* L) { return Turn(L, "Exception catched in lua_TurnDown\r\n", "MOVEDOWN"); }
