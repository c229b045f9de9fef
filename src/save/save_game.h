// Saving and loading whole games: the one path that the script functions,
// the autosave and quillon-play all take.
#pragma once

#include <string>

struct Engine;

// Saves the running game to slot. False after a log line naming the slot and
// the reason: a bad slot name, a wait running (its frames could not be
// resumed from a save), a load in progress, or a failed write.
bool SaveGameToSlot(Engine& engine, const std::string& slot, const std::string& title);

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
// Writes the autosave that AutosaveOnQuit asked for, if any.
void SaveDueAutosave(Engine& engine);
// Writes the autosave at once, without a quit: for a web page that is being
// hidden or closed, which the browser may end without another frame. Nothing
// happens without an autosave slot, or while a wait runs or a load is on its
// way in (the save would be refused): the last save stands then.
void AutosaveNow(Engine& engine);
