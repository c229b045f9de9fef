// Save slots on disk: names, the save folder, atomic writing and checked reading.
#pragma once

#include <string>
#include <vector>

#include "save/save_data.h"

struct Engine;

// 1 to 32 letters, digits, '-' or '_': slot names and game names alike.
bool IsSlotName(const std::string& name);

// SetGameName's name, else the game folder's (characters other than those of a
// slot name become '_').
std::string GameNameOf(const Engine& engine);

// The folder of this game's saves: $QUILLON_SAVE_DIR, else
// $XDG_DATA_HOME/quillon/<game name>, else ~/.local/share/quillon/<game name>.
// Empty when none can be named (no HOME).
std::string SaveFolder(const Engine& engine);
std::string SlotPath(const Engine& engine, const std::string& slot);

// Writes bytes to path through a temporary file that is flushed, synced and
// renamed over it: whatever stops the write, the file at path is the old one
// or the new one whole. engine.save.diskSpace limits the bytes written.
bool WriteSlotFile(Engine& engine, const std::string& path, const std::string& bytes, std::string* reason);

// Reads and checks the save in slot completely: false with the reason when it
// is missing, unreadable, refused by the reader, or saved by another game.
bool ReadSlot(const Engine& engine, const std::string& slot, SaveGameData* data, std::string* reason);

struct SlotInfo {
  std::string slot, title;
  long long timeMs = 0;
};
// The readable saves of this game, newest first.
std::vector<SlotInfo> ListSlots(const Engine& engine);
