// Author diagnostics: one line on standard error for each mistake a script
// makes that the engine would otherwise let pass in silence. Never in the log.
#pragma once

#include <string>

#include "engine/engine.h"

// On with DebugMode() or QUILLON_DEBUG=1. Callers test this before they build
// a message, so a game without diagnostics pays one test per mistake.
inline bool DiagnosticsOn(const Engine& engine) { return engine.core.debug || engine.script.diagnostics; }

// Writes "file:line: Function: message" for the script line now calling into
// the engine (the current script's address when none is). Defined on the
// script floor, which knows the script's call stack.
void Diagnose(Engine& engine, const std::string& message);

// "file:line: Function" of the script line now calling into the engine (the
// current script's address when none is): where a value comes from, kept for
// a mistake that shows only later, when it is used.
std::string CallingPlace(Engine& engine);
// Writes "place: message" for a place that CallingPlace gave earlier.
void DiagnoseAt(Engine& engine, const std::string& place, const std::string& message);
