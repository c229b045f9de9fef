// Saving state: the game's name for its save folder, the autosave slot and a load on its way in.
#pragma once

#include <memory>
#include <string>
#include <utility>
#include <vector>

struct SaveGameData;

struct SaveState {
  std::string gameName;       // SetGameName; empty: the game folder's name
  std::string autosaveSlot;   // SetAutosave; empty: no autosave
  bool autosaveDue = false;   // the player closed the window or pressed a quitting key
  std::shared_ptr<const SaveGameData> pendingLoad;  // read and checked, applied before the next top-level frame
  std::string pendingSlot;    // slot of pendingLoad, handed to Restored
  long long diskSpace = -1;   // bytes a save may still write; -1: no limit (tests play a full disk)
  // Saves the scripts asked for (slot, title): written once the outermost
  // script call has returned, before the next frame, so each holds a calm game.
  std::vector<std::pair<std::string, std::string>> pendingSaves;
  // The last calm game, for an autosave that a close in a wait or script call
  // asks for: taken when the first script call, wait or click of an outermost
  // frame starts, while an autosave slot is set.
  std::shared_ptr<const SaveGameData> calmGame;
  bool calmSeen = false;       // an outermost frame began since the start or the last load
  bool calmTaken = false;      // calmGame holds the state from the start of this outermost frame

  bool LoadPending() const { return pendingLoad != nullptr; }
};
