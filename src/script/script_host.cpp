// Script host: the Lua state, LoadScript, the callbacks and scene switching.
#include "script/script_host.h"

extern "C" {
#include <lauxlib.h>
#include <lua.h>
#include <lualib.h>
}

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <vector>

#include "engine/calm_game.h"
#include "engine/engine.h"
#include "engine/scene_areas.h"
#include "resources/pack_readers.h"
#include "script/diagnostics.h"
#include "script/lua50.h"
#include "script/script_args.h"
#include "script/script_host_internal.h"
#include "script/script_table.h"
#include "util/log.h"
#include "util/resource_address.h"

namespace fs = std::filesystem;

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

// The error handler of every callback: notes the frames the error passed
// through while they are still on the stack. An error that a script function
// raises again on its way out meets this handler once more, with fewer
// frames: the first note is the whole one.
int NoteTraceback(lua_State* L) {
  std::string& note = EngineOf(L).script.traceback;
  if (!note.empty()) return 1;
  const char* message = lua_tostring(L, 1);
  note = std::string(message ? message : "(error object is not a string)") + "\nstack traceback:\n";
  lua_Debug ar;
  for (int level = 1; lua_getstack(L, level, &ar); ++level) {
    lua_getinfo(L, "Snl", &ar);
    std::string name = ar.name            ? FormatText("function '%s'", ar.name)
                       : *ar.what == 'm'  ? std::string("main chunk")
                       : *ar.what == 'C'  ? std::string("?")
                                          : FormatText("function <%s:%d>", ar.short_src, ar.linedefined);
    if (ar.currentline > 0) {
      note += FormatText("\t%s:%d: in %s\n", ar.short_src, ar.currentline, name.c_str());
    } else {
      note += FormatText("\t%s: in %s\n", ar.short_src, name.c_str());
    }
  }
  return 1;
}

// Counts a script the engine runs for as long as it runs. The outermost one
// first keeps the calm game it interrupts.
class ScriptCall {
 public:
  explicit ScriptCall(Engine& engine) : depth_(engine.script.callDepth) {
    KeepCalmGame(engine);
    ++depth_;
  }
  ~ScriptCall() { --depth_; }
  ScriptCall(const ScriptCall&) = delete;
  ScriptCall& operator=(const ScriptCall&) = delete;

 private:
  int& depth_;
};

}  // namespace

Engine& EngineOf(lua_State* L) {
  void* engine = nullptr;
  lua_getallocf(L, &engine);
  return *static_cast<Engine*>(engine);
}

void RaiseUnprotectedError(lua_State* L) {
  ScriptHostState& host = EngineOf(L).script;
  if (host.nativeDepth == 0) {
    ErrorText(host.traceback);
    lua_error(L);  // no protected run anywhere: the runtime panics and exits
  }
  StashScriptError(L);
  throw ScriptUnwind();
}

namespace {

void RaiseStop(lua_State* L, lua_Debug*) {
  lua_pushliteral(L, "the game is closing");
  lua_error(L);
}

}  // namespace

void StopScripts(Engine& engine) {
  if (engine.script.stopped || !engine.script.L) return;
  engine.script.stopped = true;
  // Kept for good: a script that catches the error with pcall gets the next
  // one at its next instruction.
  lua_sethook(engine.script.L, RaiseStop, LUA_MASKCOUNT, 1);
}

bool StoppedQuietly(lua_State* L) {
  Engine& engine = EngineOf(L);
  if (!engine.script.stopped) return false;
  if (engine.script.nativeDepth > 0) RaiseUnprotectedError(L);
  lua_pop(L, 1);
  return true;
}

void OpenScripting(Engine& engine) {
  lua_State* L = lua_open();  // keeps the runtime's panic handler
  lua_setallocf(L, &Allocate, &engine);
  engine.script.L = L;
  if (const char* debug = getenv("QUILLON_DEBUG"); debug && std::string(debug) == "1") engine.script.diagnostics = true;
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

namespace {

// The log line's end for a runtime status of lua_dofile or lua_dobuffer.
ScriptOutcome ReportLoad(int status, const std::string& address) {
  if (status == 0) {
    LogText("OK\r\n");
    return ScriptOutcome::kRun;
  }
  if (status == LUA_ERRFILE) {
    LogFormat("ERR: Datei <<%s>> existiert nicht.\r\n", address.c_str());
    return ScriptOutcome::kUnread;
  }
  if (status == LUA_ERRSYNTAX) {
    LogFormat("ERR: Syntaxfehler in <<%s>>.\r\n", address.c_str());
  } else {
    LogFormat("ERR: Laufzeitfehler in <<%s>>.\r\n", address.c_str());
  }
  return ScriptOutcome::kFailed;
}

}  // namespace

namespace {

// Reads and compiles the script at address without running it. 0 leaves the
// chunk on the stack; otherwise the load's status, with the load's message on
// the stack, or, for a pack entry that cannot be read, *unread set to the
// text that ends the "Load Script" line.
int CompileScriptAt(Engine& engine, const std::string& address, std::string* unread) {
  lua_State* L = engine.script.L;
  ResourceAddress where = SplitAddress(address);
  if (!where.isPackEntry) return luaL_loadfile(L, address.c_str());
  if (where.entry < 0) {
    *unread = "ERR: Fehler beim Laden aus LUA-Pack.\r\n";
    return LUA_ERRFILE;
  }
  std::vector<char> buffer;
  int size = engine.resources.textPacks->LoadTXT(where.file.c_str(), where.entry, &buffer);
  if (size == 0) {
    *unread = FormatText("ERR: Datei <<%s>> existiert nicht.\r\n", where.file.c_str());
    return LUA_ERRFILE;
  }
  // An entry the reader failed on runs as an empty script, as it always has.
  if (size < 0 || buffer.empty()) return luaL_loadstring(L, "");
  return luaL_loadbuffer(L, buffer.data(), buffer.size(), "QUILLONSCRIPT");
}

// A script that could not be read or did not compile tells the author where
// the engine was asked for it (and stops a strict replay there).
void DiagnoseFailedScript(Engine& engine, const std::string& address, ScriptOutcome outcome) {
  if (outcome == ScriptOutcome::kRun || engine.script.stopped || !DiagnosticsOn(engine)) return;
  if (outcome == ScriptOutcome::kFailed) {
    Diagnose(engine, FormatText("the script \"%s\" did not compile or run (the error is above)", address.c_str()));
    return;
  }
  // A misspelt name: the scripts of the game folder and of its name table.
  std::vector<std::string> known;
  std::string extension = fs::path(address).extension().string();
  std::error_code failed;
  for (const fs::directory_entry& entry : fs::directory_iterator(".", failed))
    if (entry.path().extension() == extension) known.push_back(entry.path().filename().string());
  for (const auto& named : engine.resources.addressOfName)
    if (fs::path(named.first).extension() == extension) known.push_back(named.first);
  std::sort(known.begin(), known.end());
  std::string nearest = NearestName(address, known);
  Diagnose(engine, FormatText("the script \"%s\" cannot be read", address.c_str()) +
                       (nearest.empty() ? "" : " (nearest: \"" + nearest + "\")"));
}

// A script read and compiled, not yet run (see CompileScriptAt).
struct CompiledScript {
  int status = 0;
  std::string unread;  // ends the "Load Script" line of an entry that cannot be read
  std::string held;    // what the read printed (a damaged pack's note), for that line
};

// Compiles with the log held back: a switch to a scene that turns out to be
// missing or broken must not be announced before the old scene is left.
CompiledScript Compile(Engine& engine, const std::string& address) {
  CompiledScript script;
  LogSink previous = SetLogSink([&](std::string_view text) { script.held += text; });
  struct Restore {
    LogSink& sink;
    ~Restore() { SetLogSink(sink); }
  } restore{previous};
  script.status = CompileScriptAt(engine, address, &script.unread);
  return script;
}

// Runs a compiled script, writing its "Load Script" line with what its read
// printed; the scripts' globals change only when it compiled. A script that
// ran becomes the current one, which F5 runs again and saves name, unless it
// is a library that a script loads for its functions.
enum class ScriptRole { kScene, kLibrary };
ScriptOutcome RunCompiled(Engine& engine, const std::string& address, const CompiledScript& script,
                          ScriptRole role = ScriptRole::kScene) {
  lua_State* L = engine.script.L;
  ScriptCall running(engine);
  LogFormat("Load Script <<%s>>...", address.c_str());
  LogText(script.held);
  if (!script.unread.empty()) {
    LogText(script.unread);
    return ScriptOutcome::kUnread;
  }
  int status = script.status;
  int top = lua_gettop(L) - 1;  // the chunk, or the load's message
  status = RunLoadedChunk(L, status);
  lua_settop(L, top);  // a chunk's results are of no use here
  if (status != 0) engine.script.traceback.clear();  // the error ended here, not the process
  ScriptOutcome outcome = ReportLoad(status, address);
  if (outcome == ScriptOutcome::kRun && role == ScriptRole::kScene) engine.script.currentScript = address;
  return outcome;
}

template <class Work>
ScriptOutcome GuardedLoad(const std::string& address, Work&& work) {
  try {
    return work();
  } catch (const ScriptUnwind&) {
    throw;
  } catch (...) {
    LogFormat("Exception catched in LoadScript(%s)\r\n", address.c_str());
    return ScriptOutcome::kUnread;
  }
}

}  // namespace

ScriptOutcome RunScriptAt(Engine& engine, const std::string& address) {
  return GuardedLoad(address, [&] {
    ScriptOutcome outcome = RunCompiled(engine, address, Compile(engine, address));
    if (outcome == ScriptOutcome::kFailed) DiagnoseFailedScript(engine, address, outcome);
    return outcome;
  });
}

int LoadScript(Engine& engine, const std::string& address) {
  return RunScriptAt(engine, address) == ScriptOutcome::kRun ? 0 : -1;
}

void CallScriptFunction(Engine& engine, const char* name, const char* const* args, int count) {
  if (engine.script.stopped) return;  // the game is closing
  // While a loaded game waits to be applied, nothing of the old one runs.
  if (engine.save.LoadPending()) return;
  lua_State* L = engine.script.L;
  if (engine.script.nativeDepth == 0) engine.script.traceback.clear();  // a script's own pcall may have kept one
  lua_pushcfunction(L, NoteTraceback);
  int handler = lua_gettop(L);
  lua_getglobal(L, name);
  for (int i = 0; i < count; ++i) lua_pushstring(L, args[i]);
  int status;
  {
    ScriptCall running(engine);
    status = lua_pcall(L, count, 0, handler);
  }
  lua_remove(L, handler);
  if (status == 0 || StoppedQuietly(L)) return;
  if (engine.save.LoadPending() && engine.script.nativeDepth == 0) {
    lua_pop(L, 1);  // the load's unwinding is over: nothing failed
    return;
  }
  RaiseUnprotectedError(L);
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
                lua_State* L = engine.script.L;
                // The new scene is read and compiled first: one that is missing
                // or broken leaves the old scene as it is, DeInit not called.
                CompiledScript script = Compile(engine, address);
                if (script.status == 0) {
                  int chunk = luaL_ref(L, LUA_REGISTRYINDEX);  // kept aside while DeInit runs
                  LogText("<<< DeInit Scene >>>\r\n");
                  CallDeInit(engine);
                  ForgetSceneAreas(engine);
                  engine.scene = SceneState{};
                  lua_rawgeti(L, LUA_REGISTRYINDEX, chunk);
                  luaL_unref(L, LUA_REGISTRYINDEX, chunk);
                }
                ScriptOutcome outcome = GuardedLoad(address, [&] { return RunCompiled(engine, address, script); });
                if (outcome != ScriptOutcome::kRun) {
                  DiagnoseFailedScript(engine, address, outcome);
                  // Calling the old Init again could load this scene again, and so on until the stack ends.
                  engine.script.failedScene = address;
                  LogFormat("<<< Scene not switched: <<%s>> did not load >>>\r\n", address.c_str());
                  return;
                }
                engine.script.failedScene.clear();
                CallInit(engine);
                engine.view.scrollX = 0;  // the new scene is first seen from its left edge
              });
}

const std::string& SceneToReload(const Engine& engine) {
  return engine.script.failedScene.empty() ? engine.script.currentScript : engine.script.failedScene;
}

// A library of script functions: run where it is, the scene unchanged. A
// library that cannot be read or run is named at the calling line.
int lua_LoadScript(lua_State* L) {
  Engine& engine = EngineOf(L);
  GuardedCall(L, [&] {
    std::string address = ArgString(L, 1);
    ScriptOutcome outcome = GuardedLoad(
        address, [&] { return RunCompiled(engine, address, Compile(engine, address), ScriptRole::kLibrary); });
    DiagnoseFailedScript(engine, address, outcome);
  });
  return 0;
}

int lua_LoadSzene(lua_State* L) {
  Engine& engine = EngineOf(L);
  GuardedCall(L, [&] { LoadScriptScene(engine, ArgString(L, 1)); });
  return 0;
}
