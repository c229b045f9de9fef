// The registration table of the 77 script functions.
#pragma once

struct lua_State;

struct ScriptFunction {
  const char* name;
  int (*function)(lua_State* L);
};

constexpr int kScriptFunctionCount = 77;
extern const ScriptFunction kScriptFunctions[kScriptFunctionCount];

// Moves the error object on top of the stack aside, for the boundary of the
// innermost running script function to raise once the C++ frames are gone.
void StashScriptError(lua_State* L);
