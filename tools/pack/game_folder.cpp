// Sorting a loose game folder into lua.dat, gfx.dat, sfx.dat and loose files.
#include "pack/game_folder.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <map>
#include <set>
#include <sstream>

#include "check/game_check.h"
#include "check/script_calls.h"
#include "pack/pack_index.h"
#include "util/resource_address.h"

namespace fs = std::filesystem;

namespace {

const char kIcon[] = "icon1.bmp";  // the window icon, which the engine reads only as a loose file

std::string Extension(const std::string& name) {
  std::string extension = fs::path(name).extension().string();
  for (char& c : extension) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return extension;
}

// Every file of the game, relative to folder, sorted by name.
std::vector<std::string> ListFiles(const std::string& folder, const std::vector<std::string>& skip) {
  std::vector<std::string> names;
  std::error_code error;
  for (auto it = fs::recursive_directory_iterator(folder, error); !error && it != fs::recursive_directory_iterator();
       it.increment(error)) {
    std::string name = fs::relative(it->path(), folder).generic_string();
    bool hidden = it->path().filename().string().front() == '.';
    if (hidden || std::find(skip.begin(), skip.end(), name) != skip.end()) {
      if (it->is_directory()) it.disable_recursion_pending();
      continue;
    }
    if (it->is_regular_file()) names.push_back(name);
  }
  std::sort(names.begin(), names.end());
  return names;
}

struct ScriptNames {
  std::set<std::string> stringFileBases;  // literal arguments of SetStringFile
  std::vector<std::string> problems;
};

// What the scripts name: string files, and the files they ask R for or name directly.
ScriptNames ReadScriptNames(const std::string& folder, const std::vector<std::string>& files,
                            const std::set<std::string>& packed) {
  ScriptNames names;
  std::set<std::string> present(files.begin(), files.end());
  for (const std::string& file : files) {
    std::string source;
    if (Extension(file) != ".lua" || !ReadFile(folder + "/" + file, &source)) continue;
    for (const ScriptCall& call : ReadScript(source).calls) {
      int fileArgument = FileArgumentOf(call.function);
      const std::optional<std::string>& first = call.args.empty() ? std::nullopt : call.args[0];
      std::string at = file + ":" + std::to_string(call.line) + ": ";
      if (call.function == "SetStringFile" && first) names.stringFileBases.insert(*first);
      if (call.function == "R" && first && !present.count(*first))
        names.problems.push_back(at + "R(\"" + *first + "\"): no file of that name in the game folder");
      if (fileArgument == 0 || static_cast<int>(call.args.size()) < fileArgument) continue;
      const std::optional<std::string>& named = call.args[fileArgument - 1];
      bool asked = call.throughR[fileArgument - 1];  // R("name") finds the packed file
      if (named && !asked && packed.count(*named) && !SplitAddress(*named).isPackEntry)
        names.problems.push_back(at + call.function + ": \"" + *named +
                                 "\" goes into a pack, so the packed game cannot read it by name; ask R(\"" +
                                 *named + "\") for its address");
    }
  }
  return names;
}

bool IsStringFile(const std::string& name, const std::set<std::string>& bases) {
  for (const std::string& base : bases)
    if (name.size() > base.size() + 1 && name.compare(0, base.size() + 1, base + ".") == 0 &&
        name.find('/', base.size()) == std::string::npos)
      return true;
  return false;
}

// Listed names first, in their listed order; the rest keep their sorted order.
void Arrange(std::vector<std::string>* names, const std::map<std::string, size_t>& rank) {
  auto at = [&](const std::string& name) {
    auto found = rank.find(name);
    return found == rank.end() ? rank.size() : found->second;
  };
  std::stable_sort(names->begin(), names->end(),
                   [&](const std::string& a, const std::string& b) { return at(a) < at(b); });
}

void AddEntries(std::string* table, const std::vector<std::string>& names, const char* pack, size_t first) {
  for (size_t i = 0; i < names.size(); ++i) {
    std::string quoted;
    for (char c : names[i]) quoted += (c == '"' || c == '\\') ? std::string("\\") + c : std::string(1, c);
    *table += "  [\"" + quoted + "\"] = \"" + pack + ":" + std::to_string(first + i) + "\",\n";
  }
}

}  // namespace

GameLayout PlanGame(const std::string& folder, const std::vector<std::string>& order,
                    const std::vector<std::string>& skip) {
  GameLayout layout;
  std::vector<std::string> files = ListFiles(folder, skip);
  std::set<std::string> packed;
  for (const std::string& name : files) {
    std::string extension = Extension(name);
    if (extension == ".lua" || extension == ".map" || (extension == ".bmp" && name != kIcon) || extension == ".wav" ||
        extension == ".ogg" || extension == ".aif" || extension == ".aiff" || extension == ".voc")
      packed.insert(name);
  }
  ScriptNames named = ReadScriptNames(folder, files, packed);
  layout.problems = named.problems;

  for (const std::string& name : files) {
    if (name == "conf.lua") {
      layout.hasConf = true;
    } else if (Extension(name) == ".replay") {
      layout.replays.push_back(name);
    } else if (name == kIcon || (IsStringFile(name, named.stringFileBases) && !packed.count(name))) {
      layout.loose.push_back(name);
    } else if (!packed.count(name)) {
      layout.problems.push_back(name + ": the engine reads no file of this kind (scripts .lua, walk maps .map, "
                                       "pictures .bmp, sounds .wav .ogg .aiff .voc, string files and icon1.bmp); "
                                       "move it out of the game folder");
    } else {
      std::string extension = Extension(name);
      if (extension == ".lua" || extension == ".map") layout.scripts.push_back(name);
      else if (extension == ".bmp") layout.images.push_back(name);
      else layout.sounds.push_back(name);
    }
  }

  std::map<std::string, size_t> rank;
  for (const std::string& name : order) {
    if (!std::binary_search(files.begin(), files.end(), name))
      layout.problems.push_back("the order names " + name + ", which is not in the game folder");
    rank.emplace(name, rank.size());
  }
  for (std::vector<std::string>* names : {&layout.scripts, &layout.images, &layout.sounds}) Arrange(names, rank);
  // The engine runs lua.dat entry 1 as the initial script, wherever the order puts init.lua.
  std::stable_partition(layout.scripts.begin(), layout.scripts.end(),
                        [](const std::string& name) { return name == "init.lua"; });
  if (layout.scripts.empty() || layout.scripts[0] != "init.lua")
    layout.problems.push_back("init.lua: missing; the packed game starts with it as lua.dat entry 1");
  return layout;
}

std::string AssetTable(const GameLayout& layout, const std::string& comment) {
  std::string table = "-- " + comment + "\nASSETS = {\n";
  AddEntries(&table, layout.images, "gfx.dat", 0);
  AddEntries(&table, layout.sounds, "sfx.dat", 0);
  AddEntries(&table, layout.scripts, "lua.dat", 1);
  return table + "}\n";
}

std::vector<std::string> ReadOrder(const std::string& text) {
  std::vector<std::string> names;
  std::istringstream lines(text);
  for (std::string line; std::getline(lines, line);) {
    while (!line.empty() && std::isspace(static_cast<unsigned char>(line.back()))) line.pop_back();
    if (!line.empty() && line[0] != '#') names.push_back(line);
  }
  return names;
}
