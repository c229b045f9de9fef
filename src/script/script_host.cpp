// Script host: the Lua state, LoadScript, the callbacks and scene switching.
#include "script/script_host.h"

extern "C" {
#include <lauxlib.h>
#include <lua.h>
#include <lualib.h>
}

#include <cstdlib>
#include <vector>

#include "engine/engine.h"
#include "resources/pack_readers.h"
#include "script/lua50.h"
#include "script/script_args.h"
#include "script/script_host_internal.h"
#include "script/script_table.h"
#include "util/log.h"
#include "util/resource_address.h"

namespace {

// The runtime's own allocation (realloc and free), with the engine as the
// allocator's user data: EngineOf reads it back without touching the stack.
void* Allocate(void* engine, void* block, size_t oldSize, size_t newSize) {
  if (newSize == 0) {
    free(block);
    return nullptr;
  }
  return realloc(block, newSize);
}

// The base library's print, writing through the log funnel so that script
// output and engine log stay in one stream, in order.
int PrintToLog(lua_State* L) {
  int n = lua_gettop(L);
  lua_getglobal(L, "tostring");
  for (int i = 1; i <= n; ++i) {
    lua_pushvalue(L, -1);
    lua_pushvalue(L, i);
    lua_call(L, 1, 1);
    size_t length = 0;
    const char* text = lua_tolstring(L, -1, &length);
    if (!text) return luaL_error(L, LUA_QL("tostring") " must return a string to " LUA_QL("print"));
    if (i > 1) LogText("\t");
    LogText(std::string_view(text, length));
    lua_pop(L, 1);
  }
  LogText("\n");
  return 0;
}

}  // namespace

Engine& EngineOf(lua_State* L) {
  void* engine = nullptr;
  lua_getallocf(L, &engine);
  return *static_cast<Engine*>(engine);
}

void RaiseUnprotectedError(lua_State* L) {
  if (EngineOf(L).script.nativeDepth == 0) {
    lua_error(L);  // no protected run anywhere: the runtime panics and exits
  }
  StashScriptError(L);
  throw ScriptUnwind();
}

void OpenScripting(Engine& engine) {
  lua_State* L = lua_open();  // keeps the runtime's panic handler
  lua_setallocf(L, &Allocate, &engine);
  engine.script.L = L;
  engine.script.callCounts.assign(kScriptFunctionCount, 0);
  lua_pushcfunction(L, luaopen_base);
  lua_call(L, 0, 0);
  lua_register(L, "print", PrintToLog);
  for (const ScriptFunction& f : kScriptFunctions) {
    lua_pushstring(L, f.name);
    lua_pushcclosure(L, f.function, 0);
    lua_settable(L, LUA_GLOBALSINDEX);
  }
}

void CloseScripting(Engine& engine) {
  if (engine.script.L) lua_close(engine.script.L);
  engine.script.L = nullptr;
}

int LoadScript(Engine& engine, const std::string& address) {
  try {
    lua_State* L = engine.script.L;
    LogFormat("Load Script <<%s>>...", address.c_str());
    int top = lua_gettop(L);
    ResourceAddress where = SplitAddress(address);
    if (where.isPackEntry) {
      if (where.entry < 0) {
        LogText("ERR: Fehler beim Laden aus LUA-Pack.\r\n");
        return -1;
      }
      std::vector<char> buffer;
      int size = engine.resources.textPacks->LoadTXT(where.file.c_str(), where.entry, &buffer);
      if (size == 0) {
        LogFormat("ERR: Datei <<%s>> existiert nicht.\r\n", where.file.c_str());
        return -1;
      }
      if (size > 0 && !buffer.empty()) lua_dobuffer(L, buffer.data(), buffer.size(), "QUILLONSCRIPT");
    } else {
      lua_dofile(L, address.c_str());
    }
    lua_settop(L, top);  // a chunk's results are of no use here
    LogText("OK\r\n");
    engine.script.currentScript = address;
    return 0;
  } catch (const ScriptUnwind&) {
    throw;
  } catch (...) {
    LogFormat("Exception catched in LoadScript(%s)\r\n", address.c_str());
    return -1;
  }
}

void CallScriptFunction(Engine& engine, const char* name, const char* const* args, int count) {
  // While a loaded game waits to be applied, nothing of the old one runs.
  if (engine.save.LoadPending()) return;
  lua_State* L = engine.script.L;
  lua_getglobal(L, name);
  for (int i = 0; i < count; ++i) lua_pushstring(L, args[i]);
  if (lua_pcall(L, count, 0, 0) != 0) {
    if (engine.save.LoadPending() && engine.script.nativeDepth == 0) {
      lua_pop(L, 1);  // the load's unwinding is over: nothing failed
      return;
    }
    RaiseUnprotectedError(L);
  }
}

void CallInit(Engine& engine) {
  try {
    LogText("<<< CALL INIT-FUNCTION >>>\r\n");
    CallScriptFunction(engine, "Init", nullptr, 0);
    CallMain(engine);
  } catch (const std::exception& failure) {
    LogFormat("Exception catched in lua_Init: (%s)\r\n", failure.what());
  }
}

void CallMain(Engine& engine) {
  Guarded("Exception catched in lua_Main\r\n", [&] {
    LogText("<<< CALL MAIN-FUNCTION >>>\r\n");
    CallScriptFunction(engine, "Main", nullptr, 0);
  });
}

void CallDeInit(Engine& engine) {
  Guarded("Exception catched in lua_DeInit\r\n", [&] { CallScriptFunction(engine, "DeInit", nullptr, 0); });
}

void LoadScriptScene(Engine& engine, const std::string& address) {
  GuardedWith([&] { return FormatText("Exceptio catched in LoadScriptScene(%s)\r\n", address.c_str()); },
              [&] {
                LogText("<<< DeInit Scene >>>\r\n");
                CallDeInit(engine);
                LoadScript(engine, address);
                CallInit(engine);
                engine.view.scrollX = 0;
              });
}

int lua_LoadSzene(lua_State* L) {
  Engine& engine = EngineOf(L);
  GuardedCall(L, [&] { LoadScriptScene(engine, ArgString(L, 1)); });
  return 0;
}
