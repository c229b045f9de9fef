// The table of script functions, in registration order, and the boundary
// through which every one of them is entered from a script.
#include "script/script_table.h"

extern "C" {
#include <lua.h>
}

#include "engine/engine.h"
#include "script/script_functions.h"
#include "util/guard.h"

namespace {

// Key in the Lua registry of a script error on its way out (see ScriptUnwind).
const char kPendingError[] = "quillon.pending_error";


// Every script function runs inside this boundary. A script error raised by a
// callback inside the function crosses the C++ frames as ScriptUnwind; only
// when they have all released their objects is it raised again in the
// script runtime, which unwinds with longjmp.
template <int (*Body)(lua_State*), int Index>
int Boundary(lua_State* L) {
  int results = 0;
  bool raise = false;
  bool loading = false;
  {
    Engine& engine = EngineOf(L);
    ScriptHostState& host = engine.script;
    const int outer = host.runningFunction;
    ++host.nativeDepth;
    ++host.callCounts[Index];
    host.runningFunction = Index;
    try {
      results = Body(L);
    } catch (const ScriptUnwind&) {
      raise = true;
    } catch (...) {
      // Bodies guard themselves; whatever still escapes must not reach the runtime.
      LogText(kScriptFunctions[Index].failureLine);
    }
    host.runningFunction = outer;
    --host.nativeDepth;
    loading = engine.save.LoadPending();
  }
  if (loading) {
    // A loaded game replaces everything that runs: the script call that made
    // this one ends, unwinding as an error would, up to the outermost call,
    // which lets it go without a report (CallScriptFunction).
    lua_pushnil(L);
    lua_setfield(L, LUA_REGISTRYINDEX, kPendingError);
    lua_pushliteral(L, "a saved game is being loaded");
    return lua_error(L);
  }
  if (raise) {
    lua_getfield(L, LUA_REGISTRYINDEX, kPendingError);
    lua_pushnil(L);
    lua_setfield(L, LUA_REGISTRYINDEX, kPendingError);
    return lua_error(L);
  }
  return results;
}

}  // namespace

const ScriptFunction kScriptFunctions[kScriptFunctionCount] = {
#define QUILLON_ROW(Name, ...) {#Name, &Boundary<lua_##Name, kScriptIndex_##Name>, QUILLON_FAILURE_LINE(Name)},
#define QUILLON_ODD_ROW(Name, Arguments, line) {#Name, &Boundary<lua_##Name, kScriptIndex_##Name>, line},
    QUILLON_SCRIPT_FUNCTIONS(QUILLON_ROW, QUILLON_ODD_ROW)
#undef QUILLON_ROW
#undef QUILLON_ODD_ROW
};

void StashScriptError(lua_State* L) { lua_setfield(L, LUA_REGISTRYINDEX, kPendingError); }

const char* RunningFailureLine(lua_State* L) {
  int running = EngineOf(L).script.runningFunction;
  return running >= 0 ? kScriptFunctions[running].failureLine : "Exception catched outside a script function\r\n";
}
