// lua_dofile and lua_dobuffer as the 5.0 runtime had them: load, run
// protected, and on an error hand the message to _ALERT or standard error.
#include "script/lua50.h"

extern "C" {
#include <lauxlib.h>
#include <lua.h>
}

#include "engine/engine.h"
#include "script/script_host_internal.h"
#include "util/log.h"

namespace {

// The 5.0 runtime called _ALERT unprotected; an error inside it goes on as
// any unprotected script error does.
void ReportError(lua_State* L, int status) {
  if (status == 0) return;
  if (EngineOf(L).save.LoadPending()) {
    lua_pop(L, 1);  // a script that loads a game ends; nothing failed
    return;
  }
  lua_getglobal(L, "_ALERT");
  if (lua_isfunction(L, -1)) {
    lua_insert(L, -2);
    if (lua_pcall(L, 1, 0, 0) != 0 && !StoppedQuietly(L)) RaiseUnprotectedError(L);
    return;
  }
  const char* message = lua_tostring(L, -2);
  ErrorText(message ? message : "(error object is not a string)");
  ErrorText("\n");
  lua_pop(L, 2);
}

}  // namespace

int RunLoadedChunk(lua_State* L, int status) {
  if (status == 0) status = lua_pcall(L, 0, LUA_MULTRET, 0);
  if (status != 0 && StoppedQuietly(L)) return status;
  ReportError(L, status);
  return status;
}

int lua_dofile(lua_State* L, const char* filename) { return RunLoadedChunk(L, luaL_loadfile(L, filename)); }

int lua_dobuffer(lua_State* L, const char* buffer, size_t size, const char* name) {
  return RunLoadedChunk(L, luaL_loadbuffer(L, buffer, size, name));
}
