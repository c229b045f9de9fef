// The engine's state to and from a saved game: every object, the interface, text and sound.
#pragma once

#include "save/save_data.h"

struct Engine;

// Everything a player can see or a script can observe, but the scripts' own
// globals (save_globals.h). Times are kept relative to the save.
void CaptureEngineState(Engine& engine, SaveGameData* data);

// Makes the engine's state that of data. Images, fonts, sounds, the walk map
// and the string file load again by address (what is loaded already is
// reused). Objects and buttons the save does not know are hidden and kept;
// an inventory item that no longer exists is dropped.
void ApplyEngineState(Engine& engine, const SaveGameData& data);
