// The scripts' own data: the globals a game made, with their tables, to and from a save.
#pragma once

#include <string>

#include "save/save_data.h"

struct lua_State;

// The globals a save neither keeps nor replaces: the base library's, print,
// the engine's script functions, and the packed game's name table, which a
// repacked game or its loose files answer differently.
bool IsReservedGlobal(const std::string& name);

// Every global of the script state but those of the base library and the
// engine's script functions, holding a boolean, number, string or table;
// tables keep their sharing and cycles. Other values (functions above all)
// and table entries holding them are left out.
void CaptureGlobals(lua_State* L, SavedGlobals* saved);

// Sets the saved globals. The game's data globals that the save does not
// hold are cleared, as they did not exist when it was made; functions stay,
// since the scripts define them. Names of the library and the engine are
// never touched.
void ApplyGlobals(lua_State* L, const SavedGlobals& saved);
