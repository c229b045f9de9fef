// The checks of quillon-check over the scripts of a game folder.
#include "check/game_check.h"

extern "C" {
#include <lauxlib.h>
#include <lua.h>
}

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>

#include "check/script_calls.h"
#include "font/font_check.h"
#include "map/map_check.h"
#include "resources/pack_readers.h"
#include "script/script_list.h"
#include "util/resource_address.h"
#include "walk/path_map.h"

namespace fs = std::filesystem;

namespace {

struct Script {
  std::string name, source;
  ScriptReading reading;
};

// What the leading arguments of each script function name, from the one list
// of script functions, so that no function can be added without saying it.
namespace arguments {
enum Kind { Any, Object, Button, Sound, File };
#define QUILLON_KINDS(...) std::vector<Kind>{__VA_ARGS__}
#define QUILLON_ARGUMENTS_ROW(Name, Arguments, ...) {#Name, QUILLON_KINDS Arguments},
const std::map<std::string, std::vector<Kind>> kOfFunction = {
    QUILLON_SCRIPT_FUNCTIONS(QUILLON_ARGUMENTS_ROW, QUILLON_ARGUMENTS_ROW)};
#undef QUILLON_ARGUMENTS_ROW
#undef QUILLON_KINDS

const std::vector<Kind>& Of(const std::string& function) {
  static const std::vector<Kind> kNone;
  auto row = kOfFunction.find(function);
  return row == kOfFunction.end() ? kNone : row->second;
}
}  // namespace arguments

// The kind of thing made by a script that the first argument of a function
// names ("object", "button", "sound"), or null.
const char* FirstArgumentKind(const std::string& function) {
  const std::vector<arguments::Kind>& kinds = arguments::Of(function);
  if (kinds.empty()) return nullptr;
  switch (kinds[0]) {
    case arguments::Object: return "object";
    case arguments::Button: return "button";
    case arguments::Sound: return "sound";
    default: return nullptr;
  }
}

std::string ReadAll(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

bool CanRead(const fs::path& folder, const std::string& address, const std::string& function) {
  ResourceAddress where = SplitAddress(address);
  if (!fs::is_regular_file(folder / where.file)) return false;
  if (!where.isPackEntry || (function != "LoadSzene" && function != "LoadPathMap")) return true;
  std::vector<char> bytes;
  TXTPackReader reader;
  return where.entry >= 0 && reader.LoadTXT((folder / where.file).string().c_str(), where.entry, &bytes) > 0;
}

bool Compiles(const Script& script, std::vector<std::string>* problems) {
  lua_State* L = luaL_newstate();
  std::string chunk = "=" + script.name;
  bool compiles = luaL_loadbuffer(L, script.source.data(), script.source.size(), chunk.c_str()) == 0;
  if (!compiles) problems->push_back(lua_tostring(L, -1));
  lua_close(L);
  return compiles;
}

std::string At(const Script& script, const ScriptCall& call) {
  return script.name + ":" + std::to_string(call.line) + ": ";
}

std::optional<std::string> Text(const ScriptCall& call, size_t index) {
  return index < call.args.size() ? call.args[index] : std::nullopt;
}

std::optional<double> Number(const ScriptCall& call, size_t index) {
  return index < call.numbers.size() ? call.numbers[index] : std::nullopt;
}

// The errors of quillon-map check on a loose map; the map stays loaded for
// the walk-to positions of its script.
void CheckWalkMap(const fs::path& folder, const std::string& at, const std::string& file, PathMap* map,
                  std::vector<std::string>* problems) {
  map->LoadBoxesFromFile((folder / file).string().c_str());
  if (map->BoxCount() == 0) {
    problems->push_back(at + "walk map \"" + file + "\" has no boxes");
    return;
  }
  PathMap trial;  // the checks search paths, which must not disturb the map kept
  trial.LoadBoxesFromFile((folder / file).string().c_str());
  for (const MapFinding& finding : CheckMap(trial, MapCheckOptions{-1, -1, file}).findings)
    if (finding.error) problems->push_back(at + file + ": " + finding.text);
}

// The errors of quillon-font check on a loose font image, each led by the script line.
void CheckFont(const fs::path& folder, const std::string& at, const std::string& file, int cellHeight,
               std::vector<std::string>* problems) {
  std::ostringstream notes, findings;
  CheckFontImage((folder / file).string(), cellHeight, false, notes, findings);
  std::istringstream lines(findings.str());
  std::string prefix = (folder / file).string() + ": ";
  for (std::string line; std::getline(lines, line);) {
    if (line.rfind(prefix, 0) == 0) line = line.substr(prefix.size());
    if (line.rfind("warning: ", 0) == 0) continue;  // as quillon-font check without --strict
    problems->push_back(at + file + ": " + line);
  }
}

// String files base.XX: every language has as many lines, none longer than the engine reads.
void CheckStringFiles(const fs::path& folder, const std::string& base, std::vector<std::string>* problems) {
  std::vector<std::pair<std::string, size_t>> counts;
  for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
    std::string name = entry.path().filename().string();
    if (name.rfind(base + ".", 0) != 0 || name.size() == base.size() + 1) continue;
    std::istringstream lines(ReadAll(entry.path()));
    size_t count = 0;
    for (std::string line; std::getline(lines, line);) {
      ++count;
      if (!line.empty() && line.back() == '\r') line.pop_back();
      if (line.size() > 255)
        problems->push_back(name + ":" + std::to_string(count) + ": the line is " + std::to_string(line.size()) +
                            " characters long; the engine reads 255");
    }
    counts.push_back({name, count});
  }
  std::sort(counts.begin(), counts.end());
  // Each file that lacks lines is named at its end, against the longest.
  auto longest = std::max_element(counts.begin(), counts.end(),
                                  [](const auto& a, const auto& b) { return a.second < b.second; });
  for (const auto& [name, count] : counts)
    if (count < longest->second)
      problems->push_back(name + ":" + std::to_string(count + 1) + ": " + std::to_string(count) + " lines, but " +
                          longest->first + " has " + std::to_string(longest->second));
}

}  // namespace

int FileArgumentOf(const std::string& function) {
  const std::vector<arguments::Kind>& kinds = arguments::Of(function);
  auto file = std::find(kinds.begin(), kinds.end(), arguments::File);
  return file == kinds.end() ? 0 : static_cast<int>(file - kinds.begin()) + 1;
}

std::vector<std::string> CheckGame(const std::string& folder) {
  std::vector<Script> scripts;
  for (const fs::directory_entry& entry : fs::directory_iterator(folder))
    if (entry.is_regular_file() && entry.path().extension() == ".lua")
      scripts.push_back({entry.path().filename().string(), ReadAll(entry.path()), {}});
  std::sort(scripts.begin(), scripts.end(), [](const Script& a, const Script& b) { return a.name < b.name; });

  // A name that some string outside the uses of its kind spells may be made
  // through a table or a helper; only a name spelt in uses alone is surely wrong.
  std::map<std::string, int> spelt;
  std::map<std::string, std::map<std::string, int>> used;
  for (Script& script : scripts) {
    script.reading = ReadScript(script.source);
    for (const std::string& text : script.reading.strings) ++spelt[text];
    for (const ScriptCall& call : script.reading.calls)
      if (const char* kind = FirstArgumentKind(call.function); kind && !call.args.empty() && call.args[0])
        ++used[kind][*call.args[0]];
  }

  std::vector<std::string> problems;
  for (const Script& script : scripts) {
    if (!Compiles(script, &problems)) continue;  // its calls cannot be read reliably
    std::vector<ScriptCall> calls = script.reading.calls;
    std::stable_sort(calls.begin(), calls.end(), [](const ScriptCall& a, const ScriptCall& b) { return a.line < b.line; });
    PathMap map;  // the walk map this script loads, when it names one
    bool mapKnown = false;
    for (const ScriptCall& call : calls) {
      int fileArgument = FileArgumentOf(call.function);
      if (fileArgument > 0 && static_cast<int>(call.args.size()) >= fileArgument) {
        const std::optional<std::string>& address = call.args[fileArgument - 1];
        if (address && !address->empty() && !CanRead(folder, *address, call.function)) {
          problems.push_back(At(script, call) + call.function + ": \"" + *address + "\" cannot be read");
        } else if (address && !SplitAddress(*address).isPackEntry && call.function == "LoadPathMap") {
          CheckWalkMap(folder, At(script, call), *address, &map, &problems);
          mapKnown = map.BoxCount() > 0;
        } else if (address && !SplitAddress(*address).isPackEntry && call.function.find("Font") != std::string::npos &&
                   Number(call, 1) && *Number(call, 1) >= 1) {
          CheckFont(folder, At(script, call), *address, static_cast<int>(*Number(call, 1)), &problems);
        }
      }
      if (call.function == "SetWalkToPos" && mapKnown && Number(call, 1) && Number(call, 2)) {
        int x = static_cast<int>(*Number(call, 1)), y = static_cast<int>(*Number(call, 2));
        if (!(x == -1 && y == -1) && !map.PointInAnyBox(WalkPoint{x, y}))
          problems.push_back(At(script, call) + "SetWalkToPos: (" + std::to_string(x) + ", " + std::to_string(y) +
                             ") is outside every box of the walk map this script loads");
      }
      const char* kind = FirstArgumentKind(call.function);
      if (kind && !call.args.empty() && call.args[0] && spelt[*call.args[0]] <= used[kind][*call.args[0]])
        problems.push_back(At(script, call) + call.function + ": no script makes the " + kind + " \"" +
                           *call.args[0] + "\"");
    }
  }
  std::set<std::string> bases;
  for (const Script& script : scripts)
    for (const ScriptCall& call : script.reading.calls)
      if (call.function == "SetStringFile" && Text(call, 0)) bases.insert(*Text(call, 0));
  for (const std::string& base : bases) CheckStringFiles(folder, base, &problems);
  return problems;
}
