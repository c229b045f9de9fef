// Argument readers shared by every script function.
#pragma once

extern "C" {
#include <lua.h>
}

#include <stdexcept>
#include <string>

#include "script/diagnostics.h"
#include "script/script_table.h"
#include "util/guard.h"
#include "util/numbers.h"

// A script function was called without a string where it needs one.
struct MissingArgument : std::runtime_error {
  explicit MissingArgument(int index) : std::runtime_error("missing string argument " + std::to_string(index)) {}
};

// The argument at position index as a string; a missing or non-string,
// non-number argument is a failure (there is no text to copy).
inline std::string ArgString(lua_State* L, int index) {
  size_t length = 0;
  const char* text = lua_tolstring(L, index, &length);
  if (!text) {
    DiagnoseArgument(L, index, "a string", "the call fails");
    throw MissingArgument(index);
  }
  return std::string(text, length);
}

// A number argument as a double; missing or non-numeric reads as 0. Only an
// argument that is there and not a number is a mistake: a missing one is the
// short form of 0.
inline double ArgNumber(lua_State* L, int index) {
  double value = lua_tonumber(L, index);
  if (value == 0 && !lua_isnumber(L, index) && !lua_isnone(L, index)) DiagnoseArgument(L, index, "a number", "it reads as 0");
  return value;
}

inline int ArgInt(lua_State* L, int index) { return TruncateToInt(ArgNumber(L, index)); }

// Runs body inside the guard of the script function now running: a failure
// prints that function's failure line from the table, and the function goes on.
template <class Body>
void GuardedCall(lua_State* L, Body&& body) {
  Guarded(RunningFailureLine(L), body);
}
