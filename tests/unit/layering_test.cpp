// The map and the code agree: every include of src/ points to the file's own
// floor or one below, in the order docs/architecture.md gives; a frame's
// layers are drawn in the order the map lists them; and every member of the
// engine lives as long as the map's table of lifetimes says, begun afresh at
// the one place the table names.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "core/compose.h"
#include "support/child_process.h"

namespace fs = std::filesystem;

namespace {

// Floor names from the architecture table, top first.
std::vector<std::string> FloorsOf(const std::string& architecture) {
  std::vector<std::string> floors;
  std::regex row(R"(^\| `src/(\w+)/` \|)");
  std::istringstream lines(architecture);
  for (std::string line; std::getline(lines, line);) {
    std::smatch m;
    if (std::regex_search(line, m, row)) floors.push_back(m[1]);
  }
  return floors;
}

// "file: include" for every include of a floor above the file's own, and
// for every folder the table does not name.
std::vector<std::string> UpwardIncludes(const fs::path& src, const std::vector<std::string>& floorsTopFirst) {
  std::map<std::string, size_t> height;  // 0 is the ground
  for (size_t i = 0; i < floorsTopFirst.size(); ++i) height[floorsTopFirst[i]] = floorsTopFirst.size() - 1 - i;
  std::vector<std::string> found;
  std::regex include(R"re(#include "(\w+)/[^"]+")re");
  for (const auto& entry : fs::recursive_directory_iterator(src)) {
    if (!entry.is_regular_file()) continue;
    fs::path relative = fs::relative(entry.path(), src);
    if (relative.begin() == relative.end() || std::next(relative.begin()) == relative.end()) continue;  // main.cpp
    std::string floor = relative.begin()->string();
    if (!height.count(floor)) {
      found.push_back(relative.string() + ": folder " + floor + " is on no floor");
      continue;
    }
    std::string text = ReadFile(entry.path());
    for (std::sregex_iterator m(text.begin(), text.end(), include), end; m != end; ++m) {
      std::string target = (*m)[1];
      if (!height.count(target) || height[target] > height[floor]) found.push_back(relative.string() + ": " + m->str());
    }
  }
  return found;
}

TEST(Layering, NoFileIncludesAFloorAboveItsOwn) {
  std::vector<std::string> floors = FloorsOf(ReadFile(QUILLON_SOURCE_DIR "/docs/architecture.md"));
  ASSERT_GE(floors.size(), 8u) << "the floor table of docs/architecture.md was not found";
  EXPECT_EQ(floors.front(), "core");
  EXPECT_EQ(floors.back(), "util");
  std::vector<std::string> upward = UpwardIncludes(QUILLON_SOURCE_DIR "/src", floors);
  std::string listing;
  for (const std::string& line : upward) listing += line + "\n";
  EXPECT_TRUE(upward.empty()) << listing;
}

// The numbered list under the heading "A frame's picture".
std::vector<std::string> LayersOf(const std::string& architecture) {
  std::vector<std::string> layers;
  std::istringstream lines(architecture);
  bool inSection = false;
  std::regex item(R"(^\d+\. (.+)$)");
  for (std::string line; std::getline(lines, line);) {
    if (line.rfind("## ", 0) == 0) inSection = line == "## A frame's picture";
    std::smatch m;
    if (inSection && std::regex_match(line, m, item)) layers.push_back(m[1]);
  }
  return layers;
}

TEST(Layering, AFrameIsDrawnInTheLayersTheMapLists) {
  std::vector<std::string> drawn;
  for (int i = 0; i < kFrameLayerCount; ++i) drawn.push_back(kFrameLayers[i].name);
  EXPECT_EQ(LayersOf(ReadFile(QUILLON_SOURCE_DIR "/docs/architecture.md")), drawn);
}

// The rows of the table under "What lives how long": lifetime, held by, begins, ends.
std::vector<std::vector<std::string>> LifetimeRows(const std::string& architecture) {
  std::vector<std::vector<std::string>> rows;
  std::istringstream lines(architecture);
  bool inSection = false;
  for (std::string line; std::getline(lines, line);) {
    if (line.rfind("## ", 0) == 0) inSection = line == "## What lives how long";
    if (!inSection || line.rfind("| ", 0) != 0 || line.rfind("| lifetime", 0) == 0) continue;
    std::vector<std::string> cells;
    std::istringstream cellText(line.substr(1));
    for (std::string cell; std::getline(cellText, cell, '|');) cells.push_back(cell);
    if (cells.size() >= 4) rows.push_back(cells);
  }
  return rows;
}

std::vector<std::string> Backticked(const std::string& text) {
  std::vector<std::string> names;
  std::regex quoted("`([^`]+)`");
  for (std::sregex_iterator m(text.begin(), text.end(), quoted), end; m != end; ++m) names.push_back((*m)[1]);
  return names;
}

TEST(Layering, EveryPartOfTheEngineLivesAsTheTableOfLifetimesSays) {
  std::vector<std::vector<std::string>> rows = LifetimeRows(ReadFile(QUILLON_SOURCE_DIR "/docs/architecture.md"));
  ASSERT_GE(rows.size(), 4u) << "the table of lifetimes in docs/architecture.md was not found";
  // The engine's members, as engine.h declares them: "  Type name;  // ...".
  std::string engineHeader = ReadFile(QUILLON_SOURCE_DIR "/src/engine/engine.h");
  std::regex member(R"(\n  [A-Z]\w+ (\w+);)");
  std::map<std::string, int> rowsNaming;
  for (std::sregex_iterator m(engineHeader.begin(), engineHeader.end(), member), end; m != end; ++m)
    rowsNaming[(*m)[1]] = 0;
  ASSERT_GE(rowsNaming.size(), 10u);
  std::map<std::string, std::string> sources;  // every file of src/, by its path below src/
  for (const auto& entry : fs::recursive_directory_iterator(QUILLON_SOURCE_DIR "/src"))
    if (entry.is_regular_file()) sources[fs::relative(entry.path(), QUILLON_SOURCE_DIR "/src").string()] = ReadFile(entry.path());
  for (const std::vector<std::string>& row : rows) {
    for (const std::string& name : Backticked(row[1]))
      if (rowsNaming.count(name)) ++rowsNaming[name];
    // A lifetime begun by a statement: that statement, in that file and nowhere else.
    std::vector<std::string> begins = Backticked(row[2]);
    if (begins.size() < 2 || begins[0].find(" = ") == std::string::npos) continue;
    for (const auto& [path, text] : sources) {
      size_t count = 0;
      for (size_t at = text.find(begins[0]); at != std::string::npos; at = text.find(begins[0], at + 1)) ++count;
      EXPECT_EQ(count, path == begins[1] ? 1u : 0u) << begins[0] << " in " << path;
    }
  }
  for (const auto& [name, count] : rowsNaming) EXPECT_EQ(count, 1) << "Engine::" << name << " in the table of lifetimes";
}

}  // namespace
