// Script variables: named integers that live outside the script state, across scenes.
#include "engine/engine.h"
#include "script/script_args.h"
#include "script/script_functions.h"

int lua_S(lua_State* L) {
  Engine& engine = EngineOf(L);
  GuardedCall(L, [&] {
    std::string name = ArgString(L, 1);
    int32_t value = ArgInt(L, 2);
    Registry<int32_t>& variables = engine.text.variables;
    if (int32_t* cell = variables.Get(name)) {
      *cell = value;
      return;
    }
    variables.Add(name, MakeOwned<int32_t>(value));
  });
  return 0;
}

int lua_G(lua_State* L) {
  Engine& engine = EngineOf(L);
  int32_t value = -1;
  GuardedCall(L, [&] {
    if (int32_t* cell = engine.text.variables.Get(ArgString(L, 1))) value = *cell;
  });
  lua_pushnumber(L, value);
  return 1;
}
