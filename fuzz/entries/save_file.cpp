// Fuzz entry of the save file reader: any bytes are refused or read whole, never run; the globals
// of a save read are set in a script state and must be captured from it as they were saved.
#include <cstdio>
#include <cstdlib>
#include <cstring>

extern "C" {
#include <lauxlib.h>
#include <lua.h>
}

#include "fuzz/entries/fuzz_entries.h"
#include "fuzz/entries/saved_globals_match.h"
#include "save/save_format.h"
#include "save/save_globals.h"

namespace {

void PutU32(std::string& bytes, size_t at, uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<char>(value >> (8 * i));
}

}  // namespace

int FuzzSaveFile(const uint8_t* data, size_t size) {
  std::string bytes(reinterpret_cast<const char*>(data), size);
  // An even first byte: the rest is a payload given a true header, so the
  // fuzzer reaches the field reader past the checksum.
  if (size > 0 && data[0] % 2 == 0) {
    std::string payload = bytes.substr(1);
    bytes = std::string("QSAVE\r\n\x1a", 8) + std::string(12, '\0') + payload;
    PutU32(bytes, 8, kSaveFormatVersion);
    PutU32(bytes, 12, static_cast<uint32_t>(payload.size()));
    PutU32(bytes, 16, SaveChecksum(payload.data(), payload.size()));
  }
  SaveGameData save;
  std::string reason;
  if (!DecodeSave(bytes, &save, &reason)) {
    Require(!reason.empty(), "a refused save has no reason");
    return 0;
  }
  // The format has one spelling of every save: what was read is written back byte for byte.
  Require(EncodeSave(save) == bytes, "a read save is written back differently");
  lua_State* L = luaL_newstate();
  ApplyGlobals(L, save.globals);
  SavedGlobals again;
  CaptureGlobals(L, &again);
  lua_close(L);
  std::string difference;
  if (!LoadsAsSaved(save.globals, again, &difference)) {
    fprintf(stderr, "fuzz entry: the globals a save sets are not the ones it holds: %s\n", difference.c_str());
    abort();
  }
  return 0;
}

std::vector<std::string> SaveFileSeeds() {
  SaveGameData save;
  save.gameName = "seed";
  save.title = "A seed";
  save.sceneAddress = "lua.dat:2";
  SavedObject hero;
  hero.id = "hero";
  hero.animations.push_back({});
  hero.animations[0].name = "idle";
  hero.currentAnimation = "idle";
  hero.slots.assign(8, "idle");
  hero.path = {{1, 2}, {3, 4}};
  save.objects.push_back(hero);
  save.buttons.push_back({"WALK", "walk.bmp", "Walk", 1, 2, 3, 4, 0, 0, true});
  save.inventory = {"hero"};
  save.variables = {{"door_open", 1}};
  save.sounds = {{"tune", "tune.wav", 35}};
  SavedValue number, text, table;
  number.kind = SavedValue::kNumber, number.number = 0.1;
  text.kind = SavedValue::kString, text.text = std::string("a\0b", 3);
  table.kind = SavedValue::kTable, table.table = 0;
  save.globals.tables = {{{text, number}, {number, table}}};
  save.globals.globals = {{"ring", table}, {"name", text}};
  std::string whole = EncodeSave(save);
  std::string payload = whole.substr(20);
  return {whole, std::string(1, '\0') + payload, whole.substr(0, whole.size() / 2)};
}
