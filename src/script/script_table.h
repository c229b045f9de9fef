// The registration table of the script functions, made from the one list.
#pragma once

#include "script/script_list.h"

struct lua_State;

struct ScriptFunction {
  const char* name;
  int (*function)(lua_State* L);
  const char* failureLine;  // printed when the function fails inside its guard
};

// Table positions: kScriptIndex_<Name>, then the count.
enum ScriptFunctionIndex {
#define QUILLON_INDEX(Name, ...) kScriptIndex_##Name,
  QUILLON_SCRIPT_FUNCTIONS(QUILLON_INDEX, QUILLON_INDEX)
#undef QUILLON_INDEX
  kScriptFunctionCount
};

extern const ScriptFunction kScriptFunctions[kScriptFunctionCount];

// Moves the error object on top of the stack aside, for the boundary of the
// innermost running script function to raise once the C++ frames are gone.
void StashScriptError(lua_State* L);

// The failure line of the innermost script function running on L.
const char* RunningFailureLine(lua_State* L);
