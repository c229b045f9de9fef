// Saving and loading whole games, and the script functions that do it.
#include "save/save_game.h"

extern "C" {
#include <lua.h>
}

#include <algorithm>
#include <chrono>

#include "engine/calm_game.h"
#include "engine/engine.h"
#include "save/engine_state_io.h"
#include "save/save_format.h"
#include "save/save_globals.h"
#include "save/save_slots.h"
#include "save/saved_files.h"
#include "script/script_args.h"
#include "script/script_functions.h"
#include "script/script_host.h"
#include "util/log.h"

namespace {

const char kBadSlot[] = "a slot name is 1 to 32 letters, digits, - or _";

bool Refuse(const char* who, const std::string& slot, const std::string& reason, const char* outcome) {
  LogFormat("%s(%s): %s, %s\r\n", who, slot.c_str(), reason.c_str(), outcome);
  return false;
}

long long NowMs() {
  using namespace std::chrono;
  return duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
}

}  // namespace

std::shared_ptr<const SaveGameData> CaptureGame(Engine& engine) {
  auto data = std::make_shared<SaveGameData>();
  CaptureEngineState(engine, data.get());
  CaptureGlobals(engine.script.L, &data->globals);
  NameSavedFiles(engine, data.get());
  return data;
}

namespace {

// Why a save cannot be made at all, or null.
const char* CannotSave(Engine& engine, const std::string& slot) {
  if (!IsSlotName(slot)) return kBadSlot;
  if (engine.save.LoadPending()) return "a saved game is being loaded";
  if (SlotPath(engine, slot).empty()) return "no folder for saves (HOME is not set)";
  return nullptr;
}

bool WriteGame(Engine& engine, const std::string& slot, const std::string& title, const SaveGameData& game) {
  SaveGameData data = game;
  data.gameName = GameNameOf(engine);
  data.title = title;
  data.timeMs = NowMs();
  std::string reason;
  if (!WriteSlotFile(engine, SlotPath(engine, slot), EncodeSave(data), &reason))
    return Refuse("SaveGame", slot, reason, "not saved");
  LogFormat("SaveGame(%s): saved\r\n", slot.c_str());
  return true;
}

bool Calm(const Engine& engine) { return engine.script.callDepth == 0 && engine.timing.nestedWaits == 0; }

// The autosave of a close that came while something ran: the last calm game.
void AutosaveCalmGame(Engine& engine) {
  const std::string& slot = engine.save.autosaveSlot;
  if (!engine.save.calmGame) {
    Refuse("SaveGame", slot, "the game was closed before it had come to rest since it started or was loaded",
           "not saved");
    return;
  }
  if (const char* reason = CannotSave(engine, slot)) {
    Refuse("SaveGame", slot, reason, "not saved");
    return;
  }
  WriteGame(engine, slot, "Autosave", *engine.save.calmGame);
}

}  // namespace

bool SaveGameToSlot(Engine& engine, const std::string& slot, const std::string& title) {
  if (const char* reason = CannotSave(engine, slot)) return Refuse("SaveGame", slot, reason, "not saved");
  // A save holds no script call and no wait: the rest of either could never
  // run after loading.
  if (!Calm(engine))
    return Refuse("SaveGame", slot, "a wait is running (Wait, WaitFor, a walk, a decision or a fade)", "not saved");
  return WriteGame(engine, slot, title, *CaptureGame(engine));
}

void WritePendingSaves(Engine& engine) {
  if (engine.save.pendingSaves.empty()) return;
  auto saves = std::move(engine.save.pendingSaves);
  engine.save.pendingSaves.clear();
  for (const auto& [slot, title] : saves) {
    if (engine.script.stopped) {
      Refuse("SaveGame", slot, "the game was closed before the script that asked for the save had ended", "not saved");
    } else {
      SaveGameToSlot(engine, slot, title);  // a load asked for after the save wins: refused then
    }
  }
}

void KeepCalmGame(Engine& engine) {
  SaveState& s = engine.save;
  if (s.autosaveSlot.empty() || !s.calmSeen || s.calmTaken || !Calm(engine)) return;
  s.calmTaken = true;
  s.calmGame = CaptureGame(engine);
}

bool RequestLoad(Engine& engine, const std::string& slot) {
  const char* notLoaded = "not loaded";
  if (!IsSlotName(slot)) return Refuse("LoadGame", slot, kBadSlot, notLoaded);
  auto data = std::make_shared<SaveGameData>();
  std::string reason, missing;
  if (!ReadSlot(engine, slot, data.get(), &reason)) return Refuse("LoadGame", slot, reason, notLoaded);
  if (!FindSavedFiles(engine, data.get(), &missing))
    return Refuse("LoadGame", slot, "it needs the file " + missing + ", which the game does not have", notLoaded);
  engine.save.pendingLoad = std::move(data);
  engine.save.pendingSlot = slot;
  return true;
}

void ApplyPendingLoad(Engine& engine) {
  if (!engine.save.LoadPending()) return;
  std::shared_ptr<const SaveGameData> data = std::move(engine.save.pendingLoad);
  engine.save.pendingLoad.reset();
  // The game before the load is no calm state of the loaded one.
  engine.save.calmSeen = false;
  engine.save.calmGame.reset();
  std::string slot = engine.save.pendingSlot;
  lua_State* L = engine.script.L;
  // Only the restored scene's own Restored is called, not one left by the scene before.
  lua_pushnil(L);
  lua_setglobal(L, "Restored");
  LoadScript(engine, data->sceneAddress);
  ApplyEngineState(engine, *data);
  ApplyGlobals(engine.script.L, data->globals);
  LogFormat("LoadGame(%s): restored\r\n", slot.c_str());
  lua_getglobal(L, "Restored");
  bool defined = lua_isfunction(L, -1);
  lua_pop(L, 1);
  const char* args[] = {slot.c_str()};
  if (defined) CallScriptFunction(engine, "Restored", args, 1);
}

void AutosaveOnQuit(Engine& engine) {
  if (!engine.save.autosaveSlot.empty()) engine.save.autosaveDue = true;
}

void SaveDueAutosave(Engine& engine) {
  if (!engine.save.autosaveDue) return;
  engine.save.autosaveDue = false;
  if (engine.save.LoadPending()) {
    ApplyPendingLoad(engine);  // a load asked for in the last frame is what the player has
  } else if (engine.script.stopped) {
    // The close cut a wait or a script call short: what it left is half made.
    AutosaveCalmGame(engine);
    return;
  }
  SaveGameToSlot(engine, engine.save.autosaveSlot, "Autosave");
}

void AutosaveNow(Engine& engine) {
  if (engine.save.autosaveSlot.empty() || engine.save.LoadPending()) return;
  if (Calm(engine)) SaveGameToSlot(engine, engine.save.autosaveSlot, "Autosave");
  else AutosaveCalmGame(engine);
}

int lua_SaveGame(lua_State* L) {
  Engine& engine = EngineOf(L);
  bool saved = false;
  GuardedCall(L, [&] {
    std::string slot = ArgString(L, 1);
    std::string title = lua_isstring(L, 2) ? ArgString(L, 2) : std::string();
    if (const char* reason = CannotSave(engine, slot)) {
      Refuse("SaveGame", slot, reason, "not saved");
    } else if (Calm(engine)) {
      saved = WriteGame(engine, slot, title, *CaptureGame(engine));
    } else {
      // Saved once the outermost script call is over, holding all it did;
      // the log line then tells how it went.
      auto& pending = engine.save.pendingSaves;
      pending.erase(std::remove_if(pending.begin(), pending.end(), [&](const auto& p) { return p.first == slot; }),
                    pending.end());
      pending.emplace_back(slot, title);
      saved = true;
    }
  });
  lua_pushboolean(L, saved);
  return 1;
}

int lua_LoadGame(lua_State* L) {
  Engine& engine = EngineOf(L);
  // On success the boundary ends this call and every script call under it.
  GuardedCall(L, [&] { RequestLoad(engine, ArgString(L, 1)); });
  lua_pushboolean(L, false);
  return 1;
}

int lua_SaveSlots(lua_State* L) {
  Engine& engine = EngineOf(L);
  std::vector<SlotInfo> slots;
  GuardedCall(L, [&] { slots = ListSlots(engine); });
  lua_createtable(L, static_cast<int>(slots.size()), 0);
  for (size_t i = 0; i < slots.size(); ++i) {
    lua_createtable(L, 0, 3);
    lua_pushstring(L, slots[i].slot.c_str());
    lua_setfield(L, -2, "slot");
    lua_pushlstring(L, slots[i].title.data(), slots[i].title.size());
    lua_setfield(L, -2, "title");
    lua_pushnumber(L, static_cast<double>(slots[i].timeMs / 1000));
    lua_setfield(L, -2, "time");
    lua_rawseti(L, -2, static_cast<int>(i + 1));
  }
  return 1;
}

int lua_DeleteSave(lua_State* L) {
  Engine& engine = EngineOf(L);
  bool existed = false;
  GuardedCall(L, [&] {
    std::string slot = ArgString(L, 1);
    if (!IsSlotName(slot)) {
      Refuse("DeleteSave", slot, kBadSlot, "not deleted");
      return;
    }
    std::string path = SlotPath(engine, slot);
    existed = !path.empty() && remove(path.c_str()) == 0;
  });
  lua_pushboolean(L, existed);
  return 1;
}

int lua_SetGameName(lua_State* L) {
  Engine& engine = EngineOf(L);
  GuardedCall(L, [&] {
    std::string name = ArgString(L, 1);
    if (IsSlotName(name)) engine.save.gameName = name;
    else Refuse("SetGameName", name, "a game name is 1 to 32 letters, digits, - or _", "ignored");
  });
  return 0;
}

int lua_SetAutosave(lua_State* L) {
  Engine& engine = EngineOf(L);
  GuardedCall(L, [&] {
    if (lua_isnoneornil(L, 1)) {
      engine.save.autosaveSlot.clear();
      return;
    }
    std::string slot = ArgString(L, 1);
    if (IsSlotName(slot)) engine.save.autosaveSlot = slot;
    else Refuse("SetAutosave", slot, kBadSlot, "no autosave");
  });
  return 0;
}
