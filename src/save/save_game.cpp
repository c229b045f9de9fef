// Saving and loading whole games, and the script functions that do it.
#include "save/save_game.h"

extern "C" {
#include <lua.h>
}

#include <chrono>

#include "engine/engine.h"
#include "save/engine_state_io.h"
#include "save/save_format.h"
#include "save/save_globals.h"
#include "save/save_slots.h"
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

bool SaveGameToSlot(Engine& engine, const std::string& slot, const std::string& title) {
  const char* notSaved = "not saved";
  if (!IsSlotName(slot)) return Refuse("SaveGame", slot, kBadSlot, notSaved);
  // A wait runs frames inside a script call; a save holds no script call, so
  // the rest of that call could never run after loading.
  if (engine.timing.nestedWaits > 0)
    return Refuse("SaveGame", slot, "a wait is running (Wait, WaitFor, a walk, a decision or a fade)", notSaved);
  if (engine.save.LoadPending()) return Refuse("SaveGame", slot, "a saved game is being loaded", notSaved);
  std::string path = SlotPath(engine, slot);
  if (path.empty()) return Refuse("SaveGame", slot, "no folder for saves (HOME is not set)", notSaved);
  SaveGameData data;
  data.gameName = GameNameOf(engine);
  data.title = title;
  data.timeMs = NowMs();
  CaptureEngineState(engine, &data);
  CaptureGlobals(engine.script.L, &data.globals);
  std::string reason;
  if (!WriteSlotFile(engine, path, EncodeSave(data), &reason)) return Refuse("SaveGame", slot, reason, notSaved);
  LogFormat("SaveGame(%s): saved\r\n", slot.c_str());
  return true;
}

bool RequestLoad(Engine& engine, const std::string& slot) {
  const char* notLoaded = "not loaded";
  if (!IsSlotName(slot)) return Refuse("LoadGame", slot, kBadSlot, notLoaded);
  auto data = std::make_shared<SaveGameData>();
  std::string reason;
  if (!ReadSlot(engine, slot, data.get(), &reason)) return Refuse("LoadGame", slot, reason, notLoaded);
  engine.save.pendingLoad = std::move(data);
  engine.save.pendingSlot = slot;
  return true;
}

void ApplyPendingLoad(Engine& engine) {
  if (!engine.save.LoadPending()) return;
  std::shared_ptr<const SaveGameData> data = std::move(engine.save.pendingLoad);
  engine.save.pendingLoad.reset();
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
  ApplyPendingLoad(engine);  // a load asked for in the last frame is what the player has
  SaveGameToSlot(engine, engine.save.autosaveSlot, "Autosave");
}

void AutosaveNow(Engine& engine) {
  if (engine.save.autosaveSlot.empty() || engine.timing.nestedWaits > 0 || engine.save.LoadPending()) return;
  SaveGameToSlot(engine, engine.save.autosaveSlot, "Autosave");
}

int lua_SaveGame(lua_State* L) {
  Engine& engine = EngineOf(L);
  bool saved = false;
  GuardedCall(L, [&] {
    std::string title = lua_isstring(L, 2) ? ArgString(L, 2) : std::string();
    saved = SaveGameToSlot(engine, ArgString(L, 1), title);
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
