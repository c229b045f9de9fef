// The script host: one Lua state, script loading, callbacks and scene switches.
#pragma once

#include <string>

struct Engine;

// Creates the script state, opens the base library and registers the script functions.
void OpenScripting(Engine& engine);
// Closes the script state (nothing happens when there is none).
void CloseScripting(Engine& engine);

// How a script load ended. kUnread: no script was found at the address (or
// a failure was caught); kFailed: it was read but did not compile or run.
enum class ScriptOutcome { kRun, kUnread, kFailed };

// Runs one script from a loose file or a pack entry; a load that did not run
// the whole script completes its log line with "ERR: ..." instead of "OK".
ScriptOutcome RunScriptAt(Engine& engine, const std::string& address);
// RunScriptAt as a status: 0 when the script ran, -1 otherwise.
int LoadScript(Engine& engine, const std::string& address);

// Scene switch: the old DeInit, the new script, its Init and Main. When the
// new script does not load, Init and Main are not called and the scene stays.
void LoadScriptScene(Engine& engine, const std::string& address);
// The scene that F5 reloads: the one that last failed to load, else the current one.
const std::string& SceneToReload(const Engine& engine);

// Calls a global script function with string arguments, unprotected: a script
// error ends the process through the runtime's panic handler, or, inside a
// script that is itself being run, ends that run. After StopScripts: nothing.
void CallScriptFunction(Engine& engine, const char* name, const char* const* args, int count);

// Stops every script for a close request: the next script instruction, and
// every one after it, raises an error that unwinds the running scripts the
// way a script error does, without a message, and ends quietly at the
// outermost call the engine made. C++ frames are left by returning, never
// skipped, so every guard and destructor runs.
void StopScripts(Engine& engine);

void CallInit(Engine& engine);    // Init, then Main
void CallMain(Engine& engine);
void CallDeInit(Engine& engine);
