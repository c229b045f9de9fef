// Lua 5.0's lua_dofile and lua_dobuffer on top of the Lua 5.1 runtime.
#pragma once

#include <cstddef>

struct lua_State;

// Load, run protected with all results kept, and report an error the way the
// 5.0 runtime did: through a global _ALERT function when the script defines
// one, otherwise on standard error. Returns the runtime's status code.
int lua_dofile(lua_State* L, const char* filename);
int lua_dobuffer(lua_State* L, const char* buffer, size_t size, const char* name);

// What those two do once the script is loaded: runs the chunk that a load
// with loadStatus 0 left on the stack, or reports the failed load's message.
int RunLoadedChunk(lua_State* L, int loadStatus);
