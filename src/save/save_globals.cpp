// The scripts' own data to and from a save; the runtime is asked only for plain values.
#include "save/save_globals.h"

extern "C" {
#include <lauxlib.h>
#include <lua.h>
#include <lualib.h>
}

#include <algorithm>
#include <string>
#include <unordered_set>

#include "script/name_table.h"
#include "script/script_table.h"

namespace {

// A global's name with every byte: a name may hold a zero byte.
std::string NameAt(lua_State* L, int index) {
  size_t length = 0;
  const char* text = lua_tolstring(L, index, &length);
  return std::string(text, length);
}

bool IsData(int type) {
  return type == LUA_TBOOLEAN || type == LUA_TNUMBER || type == LUA_TSTRING || type == LUA_TTABLE;
}

// Numbers the tables met while capturing: ids[table] = index, list[index + 1] = table.
class TableCatalogue {
 public:
  TableCatalogue(lua_State* L, SavedGlobals* saved) : L_(L), saved_(saved) {
    lua_newtable(L);
    ids_ = lua_gettop(L);
    lua_newtable(L);
    list_ = lua_gettop(L);
  }

  // The value at index as a saved value; false when it is of a kind not saved.
  bool Capture(int index, SavedValue* value) {
    switch (lua_type(L_, index)) {
      case LUA_TBOOLEAN:
        value->kind = lua_toboolean(L_, index) ? SavedValue::kTrue : SavedValue::kFalse;
        return true;
      case LUA_TNUMBER:
        value->kind = SavedValue::kNumber;
        value->number = lua_tonumber(L_, index);
        return true;
      case LUA_TSTRING: {
        size_t length = 0;
        const char* text = lua_tolstring(L_, index, &length);
        value->kind = SavedValue::kString;
        value->text.assign(text, length);
        return true;
      }
      case LUA_TTABLE:
        value->kind = SavedValue::kTable;
        value->table = IdOf(index);
        return true;
      default:
        return false;
    }
  }

  // Fills the entries of every table met, including those met on the way.
  void CaptureTables() {
    for (size_t i = 0; i < saved_->tables.size(); ++i) {
      std::vector<std::pair<SavedValue, SavedValue>> entries;
      lua_rawgeti(L_, list_, static_cast<int>(i + 1));
      int table = lua_gettop(L_);
      lua_pushnil(L_);
      while (lua_next(L_, table)) {
        std::pair<SavedValue, SavedValue> entry;
        if (Capture(-2, &entry.first) && Capture(-1, &entry.second)) entries.push_back(std::move(entry));
        lua_pop(L_, 1);
      }
      lua_pop(L_, 1);
      saved_->tables[i] = std::move(entries);
    }
  }

 private:
  uint32_t IdOf(int index) {
    index = index < 0 ? lua_gettop(L_) + index + 1 : index;
    lua_pushvalue(L_, index);
    lua_rawget(L_, ids_);
    if (lua_isnumber(L_, -1)) {
      uint32_t id = static_cast<uint32_t>(lua_tonumber(L_, -1));
      lua_pop(L_, 1);
      return id;
    }
    lua_pop(L_, 1);
    uint32_t id = static_cast<uint32_t>(saved_->tables.size());
    saved_->tables.emplace_back();
    lua_pushvalue(L_, index);
    lua_pushnumber(L_, id);
    lua_rawset(L_, ids_);
    lua_pushvalue(L_, index);
    lua_rawseti(L_, list_, static_cast<int>(id + 1));
    return id;
  }

  lua_State* L_;
  SavedGlobals* saved_;
  int ids_ = 0, list_ = 0;
};

void Push(lua_State* L, const SavedValue& value, int tables) {
  switch (value.kind) {
    case SavedValue::kFalse:
    case SavedValue::kTrue:
      lua_pushboolean(L, value.kind == SavedValue::kTrue);
      break;
    case SavedValue::kNumber:
      lua_pushnumber(L, value.number);
      break;
    case SavedValue::kString:
      lua_pushlstring(L, value.text.data(), value.text.size());
      break;
    default:
      lua_rawgeti(L, tables, static_cast<int>(value.table + 1));
      break;
  }
}

}  // namespace

bool IsReservedGlobal(const std::string& name) {
  // Fixed for the process: a fresh state tells the library's names exactly,
  // whatever the runtime's version puts there; it is asked once.
  static const std::unordered_set<std::string> names = [] {
    std::unordered_set<std::string> all = {"print", kNameTableGlobal};
    for (const ScriptFunction& f : kScriptFunctions) all.insert(f.name);
    lua_State* L = luaL_newstate();
    lua_pushcfunction(L, luaopen_base);
    lua_call(L, 0, 0);
    lua_pushnil(L);
    while (lua_next(L, LUA_GLOBALSINDEX)) {
      if (lua_type(L, -2) == LUA_TSTRING) all.insert(lua_tostring(L, -2));
      lua_pop(L, 1);
    }
    lua_close(L);
    return all;
  }();
  return names.count(name) > 0;
}

void CaptureGlobals(lua_State* L, SavedGlobals* saved) {
  int top = lua_gettop(L);
  TableCatalogue catalogue(L, saved);
  lua_pushnil(L);
  while (lua_next(L, LUA_GLOBALSINDEX)) {
    SavedValue value;
    if (lua_type(L, -2) == LUA_TSTRING && !IsReservedGlobal(NameAt(L, -2)) && catalogue.Capture(-1, &value))
      saved->globals.emplace_back(NameAt(L, -2), std::move(value));
    lua_pop(L, 1);
  }
  catalogue.CaptureTables();
  lua_settop(L, top);
  std::sort(saved->globals.begin(), saved->globals.end(),
            [](const auto& a, const auto& b) { return a.first < b.first; });
}

void ApplyGlobals(lua_State* L, const SavedGlobals& saved) {
  std::unordered_set<std::string> kept;
  for (const auto& global : saved.globals) kept.insert(global.first);
  std::vector<std::string> gone;
  lua_pushnil(L);
  while (lua_next(L, LUA_GLOBALSINDEX)) {
    if (lua_type(L, -2) == LUA_TSTRING && IsData(lua_type(L, -1))) {
      std::string name = NameAt(L, -2);
      if (!IsReservedGlobal(name) && !kept.count(name)) gone.push_back(name);
    }
    lua_pop(L, 1);
  }
  for (const std::string& name : gone) {
    lua_pushlstring(L, name.data(), name.size());
    lua_pushnil(L);
    lua_rawset(L, LUA_GLOBALSINDEX);
  }

  int top = lua_gettop(L);
  lua_createtable(L, static_cast<int>(std::min<size_t>(saved.tables.size(), 1 << 20)), 0);
  int tables = lua_gettop(L);
  for (size_t i = 0; i < saved.tables.size(); ++i) {
    lua_newtable(L);
    lua_rawseti(L, tables, static_cast<int>(i + 1));
  }
  for (size_t i = 0; i < saved.tables.size(); ++i) {
    lua_rawgeti(L, tables, static_cast<int>(i + 1));
    for (const auto& entry : saved.tables[i]) {
      Push(L, entry.first, tables);
      Push(L, entry.second, tables);
      lua_rawset(L, -3);
    }
    lua_pop(L, 1);
  }
  for (const auto& global : saved.globals) {
    if (IsReservedGlobal(global.first)) continue;  // a save never replaces the engine or the library
    lua_pushlstring(L, global.first.data(), global.first.size());
    Push(L, global.second, tables);
    lua_rawset(L, LUA_GLOBALSINDEX);
  }
  lua_settop(L, top);
}
