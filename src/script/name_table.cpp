// Reading the packed game's name table out of the script state.
#include "script/name_table.h"

extern "C" {
#include <lua.h>
}

#include <string>

#include "engine/engine.h"

void ReadNameTable(Engine& engine) {
  ResourceState& r = engine.resources;
  r.addressOfName.clear();
  r.nameOfAddress.clear();
  lua_State* L = engine.script.L;
  if (!L) return;
  lua_getglobal(L, kNameTableGlobal);
  if (lua_istable(L, -1)) {
    lua_pushnil(L);
    while (lua_next(L, -2) != 0) {
      // lua_type, not lua_isstring: a number key must not be turned into a string under lua_next.
      if (lua_type(L, -2) == LUA_TSTRING && lua_type(L, -1) == LUA_TSTRING) {
        std::string name = lua_tostring(L, -2), address = lua_tostring(L, -1);
        r.addressOfName.emplace(name, address);
        r.nameOfAddress.emplace(address, name);
      }
      lua_pop(L, 1);
    }
  }
  lua_pop(L, 1);
}
