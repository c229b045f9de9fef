// The diagnostics funnel: where the calling script line is found and the line written.
#include "script/diagnostics.h"

extern "C" {
#include <lua.h>
}

#include <algorithm>
#include <cctype>
#include <cstdio>

#include "script/script_table.h"
#include "util/log.h"
#include "util/resource_address.h"

namespace {

// "file:line" of the innermost script line on the call stack, if any.
bool CallingLine(lua_State* L, std::string* where) {
  lua_Debug ar;
  for (int level = 0; L && lua_getstack(L, level, &ar); ++level) {
    if (lua_getinfo(L, "Sl", &ar) && ar.currentline > 0) {
      *where = FormatText("%s:%d", ar.short_src, ar.currentline);
      return true;
    }
  }
  return false;
}

// Edits that turn a into b, letters compared without case; two neighbouring
// letters swapped count as one edit, as a slip of the keyboard does.
size_t Distance(const std::string& a, const std::string& b) {
  auto same = [](char x, char y) {
    return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
  };
  std::vector<std::vector<size_t>> d(a.size() + 1, std::vector<size_t>(b.size() + 1));
  for (size_t i = 0; i <= a.size(); ++i) d[i][0] = i;
  for (size_t j = 0; j <= b.size(); ++j) d[0][j] = j;
  for (size_t i = 1; i <= a.size(); ++i) {
    for (size_t j = 1; j <= b.size(); ++j) {
      d[i][j] = std::min({d[i - 1][j] + 1, d[i][j - 1] + 1, d[i - 1][j - 1] + (same(a[i - 1], b[j - 1]) ? 0 : 1)});
      if (i > 1 && j > 1 && same(a[i - 1], b[j - 2]) && same(a[i - 2], b[j - 1]))
        d[i][j] = std::min(d[i][j], d[i - 2][j - 2] + 1);
    }
  }
  return d[a.size()][b.size()];
}

}  // namespace

std::string CallingPlace(Engine& engine) {
  std::string where;
  if (!CallingLine(engine.script.L, &where)) where = engine.script.currentScript;
  int running = engine.script.runningFunction;
  return running >= 0 ? where + ": " + kScriptFunctions[running].name : where;
}

void DiagnoseAt(Engine& engine, const std::string& place, const std::string& message) {
  std::string line = place + ": " + message;
  ErrorText(line + "\n");
  if (engine.script.diagnosticCount++ == 0) engine.script.firstDiagnostic = line;
}

void Diagnose(Engine& engine, const std::string& message) { DiagnoseAt(engine, CallingPlace(engine), message); }

std::string NearestName(const std::string& name, const std::vector<std::string>& known) {
  // A third of the letters may be wrong; a difference of case alone always counts as near.
  size_t best = name.size() / 3 + 1;
  std::string nearest;
  for (const std::string& candidate : known) {
    size_t distance = Distance(name, candidate);
    if (distance == 0 || distance < best) {
      best = distance;
      nearest = candidate;
    }
  }
  return nearest;
}

void DiagnoseUnknown(Engine& engine, const char* kind, const std::string& name, const std::vector<std::string>& known) {
  std::string nearest = NearestName(name, known);
  Diagnose(engine, FormatText("no %s \"%s\"", kind, name.c_str()) +
                       (nearest.empty() ? "" : " (nearest: \"" + nearest + "\")"));
}

void DiagnoseWord(Engine& engine, const char* kind, const std::string& word, const char* const* known, size_t count) {
  if (!DiagnosticsOn(engine)) return;
  std::string list;
  for (size_t i = 0; i < count; ++i) {
    if (word == known[i]) return;
    list += std::string(i ? ", " : "") + known[i];
  }
  Diagnose(engine, FormatText("unknown %s \"%s\" (known: %s)", kind, word.c_str(), list.c_str()));
}

bool LooseFileMissing(const std::string& address) {
  if (SplitAddress(address).isPackEntry) return false;
  FILE* file = fopen(address.c_str(), "rb");
  if (file) fclose(file);
  return !file;
}

void DiagnoseArgument(lua_State* L, int index, const char* wanted, const char* consequence) {
  Engine& engine = EngineOf(L);
  if (!DiagnosticsOn(engine)) return;
  Diagnose(engine, FormatText("argument %d is %s, not %s: %s", index, lua_typename(L, lua_type(L, index)), wanted,
                              consequence));
}
