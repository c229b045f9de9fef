// Diagnostics about names and words that scripts pass to the engine.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "engine/diagnostics.h"
#include "util/hashtable.h"

// The known name closest to name, when it is close enough to be a slip of the
// keyboard or of case; empty otherwise.
std::string NearestName(const std::string& name, const std::vector<std::string>& known);

// "no <kind> "<name>"", with the nearest known name when there is one.
void DiagnoseUnknown(Engine& engine, const char* kind, const std::string& name, const std::vector<std::string>& known);

// The value under name; an unknown name is diagnosed as a missing kind.
template <class Table>
auto LookUpNamed(Engine& engine, const Table& table, const std::string& name, const char* kind) {
  auto value = table.Get(name);
  if (!value && DiagnosticsOn(engine)) {
    std::vector<std::string> known;
    for (int i = 0; i < table.Count(); ++i)
      if (table.ValueAt(i)) known.push_back(table.KeyAt(i));
    DiagnoseUnknown(engine, kind, name, known);
  }
  return value;
}

// Diagnoses word when it is none of the words the engine knows for its kind.
void DiagnoseWord(Engine& engine, const char* kind, const std::string& word, const char* const* known, size_t count);
template <size_t N>
void DiagnoseWord(Engine& engine, const char* kind, const std::string& word, const char* const (&known)[N]) {
  DiagnoseWord(engine, kind, word, known, N);
}

// A loose file the script named and the engine could not open.
bool LooseFileMissing(const std::string& address);

struct lua_State;
// An argument at index that is not of the wanted type, and what follows from it.
void DiagnoseArgument(lua_State* L, int index, const char* wanted, const char* consequence);
