// Saving and loading whole games: the one path that the script functions,
// the autosave and quillon-play all take.
#pragma once

#include <memory>
#include <string>

#include "save/save_data.h"

struct Engine;

// The running game as a save holds it, but for the header (game name, title,
// time): the engine's state and the scripts' globals, every file by its name.
std::shared_ptr<const SaveGameData> CaptureGame(Engine& engine);

// Saves the running game to slot at once. False after a log line naming the
// slot and the reason: a bad slot name, a load in progress, a script call or
// a wait running (the rest of it could not be resumed from a save), or a
// failed write.
bool SaveGameToSlot(Engine& engine, const std::string& slot, const std::string& title);

// Writes the saves that scripts asked for while they ran (SaveGame), now that
// the outermost script call is over; each is refused with its line when a
// load is pending or a close cut the scripts short. The frame loop calls it
// between two outermost frames and once it has ended.
void WritePendingSaves(Engine& engine);

// Reads the save in slot completely. When it is refused: false after a log
// line, and the running game is untouched. Otherwise the load is pending:
// every running script call and wait ends, and the frame loop applies it
// before its next frame (ApplyPendingLoad).
bool RequestLoad(Engine& engine, const std::string& slot);

// Applies a pending load: runs the saved scene script's top level (not Init or
// Main), restores the engine state and the scripts' globals, then calls the
// scene's Restored(slot) if it defines one. Nothing happens without one.
void ApplyPendingLoad(Engine& engine);

// The player closed the window or pressed a quitting key: with an autosave
// slot set, the game is saved when the frame loop has ended.
void AutosaveOnQuit(Engine& engine);
// Writes the autosave that AutosaveOnQuit asked for, if any: the game as it
// is, when the close came between script calls and waits; when it cut one
// short, the last calm game (KeepCalmGame), or, with none since the start or
// the last load, nothing but a line, and the previous save stands.
void SaveDueAutosave(Engine& engine);
// Writes the autosave at once, without a quit: for a web page that is being
// hidden or closed, which the browser may end without another frame. The
// same game as SaveDueAutosave's; nothing happens without an autosave slot or
// while a load is on its way in.
void AutosaveNow(Engine& engine);
