// Helpers shared by every script function: argument reading and the failure guard.
#pragma once

extern "C" {
#include <lua.h>
}

#include <stdexcept>
#include <string>

#include "util/log.h"
#include "util/numbers.h"

// A script error raised inside a callback, on its way out to the nearest
// protected run of the script runtime. Deliberately not a std::exception, so
// that no failure guard takes it for an engine failure.
struct ScriptUnwind {};

// A script function was called without a string where it needs one.
struct MissingArgument : std::runtime_error {
  explicit MissingArgument(int index) : std::runtime_error("missing string argument " + std::to_string(index)) {}
};

// The argument at position index as a string; a missing or non-string,
// non-number argument is a failure (there is no text to copy).
inline std::string ArgString(lua_State* L, int index) {
  size_t length = 0;
  const char* text = lua_tolstring(L, index, &length);
  if (!text) throw MissingArgument(index);
  return std::string(text, length);
}

// A number argument as a double; missing or non-numeric reads as 0.
inline double ArgNumber(lua_State* L, int index) { return lua_tonumber(L, index); }

inline int ArgInt(lua_State* L, int index) { return TruncateToInt(lua_tonumber(L, index)); }

// Runs body; any failure but a script error on its way out prints failureLine
// and is dropped, so the engine goes on.
template <class Body>
void Guarded(const char* failureLine, Body&& body) {
  try {
    body();
  } catch (const ScriptUnwind&) {
    throw;
  } catch (...) {
    LogText(failureLine);
  }
}

// As Guarded, with a failure line built only when needed.
template <class Body, class Line>
void GuardedWith(Line&& failureLine, Body&& body) {
  try {
    body();
  } catch (const ScriptUnwind&) {
    throw;
  } catch (...) {
    LogText(failureLine());
  }
}
