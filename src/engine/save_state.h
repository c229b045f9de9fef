// Saving state: the game's name for its save folder, the autosave slot and a load on its way in.
#pragma once

#include <memory>
#include <string>

struct SaveGameData;

struct SaveState {
  std::string gameName;       // SetGameName; empty: the game folder's name
  std::string autosaveSlot;   // SetAutosave; empty: no autosave
  bool autosaveDue = false;   // the player closed the window or pressed a quitting key
  std::shared_ptr<const SaveGameData> pendingLoad;  // read and checked, applied before the next top-level frame
  std::string pendingSlot;    // slot of pendingLoad, handed to Restored
  long long diskSpace = -1;   // bytes a save may still write; -1: no limit (tests play a full disk)

  bool LoadPending() const { return pendingLoad != nullptr; }
};
