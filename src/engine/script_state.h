// Script host state: the one Lua state and what the host remembers about it.
#pragma once

#include <lua.h>

#include <string>
#include <vector>

struct ScriptHostState {
  lua_State* L = nullptr;     // the one script state; closed by CloseScripting, or with the engine
  std::string currentScript;  // address LoadScript last ran; F5 runs it again
  std::string failedScene;    // scene script whose switch last failed; F5 tries it again
  int nativeDepth = 0;        // script functions currently running on the C stack
  int callDepth = 0;          // scripts the engine is running: callbacks and script loads, nested
  int runningFunction = -1;   // table index of the innermost script function running, -1 for none
  std::string traceback;      // frames of the callback error on its way out; printed if it ends the process
  bool diagnostics = false;   // author diagnostics on without DebugMode (QUILLON_DEBUG=1, a strict replay)
  unsigned diagnosticCount = 0;  // diagnostics written so far (a strict replay stops at the first)
  std::string firstDiagnostic;   // the first of them, as written
  bool stopped = false;       // a close request stopped the scripts: no further script instruction runs
  std::vector<unsigned> callCounts;  // calls of each script function, in table order (a game's coverage)

  ScriptHostState() = default;
  ~ScriptHostState() {
    if (L) lua_close(L);
  }
  ScriptHostState(const ScriptHostState&) = delete;
  ScriptHostState& operator=(const ScriptHostState&) = delete;
};
