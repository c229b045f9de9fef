// Replays every fuzz target's seeds and kept findings through the very entries the fuzzers run.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <set>

#include "fuzz/entries/fuzz_entries.h"
#include "fuzz/entries/script_call_codes.h"
#include "script/script_table.h"
#include "support/child_process.h"

namespace {

std::vector<std::string> FindingsOf(const std::string& target) {
  std::filesystem::path folder = std::string(QUILLON_SOURCE_DIR) + "/tests/regression/" + target;
  std::vector<std::string> files;
  std::error_code none;  // a target without findings has no folder
  for (const auto& entry : std::filesystem::directory_iterator(folder, none)) files.push_back(entry.path());
  std::sort(files.begin(), files.end());
  return files;
}

int Replay(const FuzzTarget& target, const std::string& input) {
  return target.entry(reinterpret_cast<const uint8_t*>(input.data()), input.size());
}

class FuzzReplay : public ::testing::TestWithParam<FuzzTarget> {
 protected:
  void TearDown() override { CloseFuzzWorld(); }
};

// An entry aborts on a broken promise; a sanitizer report fails the run.
TEST_P(FuzzReplay, SeedsAndKeptFindingsRunCleanly) {
  const FuzzTarget& target = GetParam();
  std::vector<std::string> seeds = SeedInputs(target.name);
  ASSERT_FALSE(seeds.empty());
  for (const std::string& seed : seeds) EXPECT_EQ(Replay(target, seed), 0);
  for (const std::string& file : FindingsOf(target.name)) {
    SCOPED_TRACE(file);
    EXPECT_EQ(Replay(target, ReadFile(file)), 0);
  }
}

INSTANTIATE_TEST_SUITE_P(Targets, FuzzReplay, ::testing::ValuesIn(FuzzTargets()),
                         [](const ::testing::TestParamInfo<FuzzTarget>& info) { return std::string(info.param.name); });

// Each script function has a step code of its own, but those that touch the player's save folder.
TEST(ScriptStepCodes, EveryScriptFunctionButTheSaveFolderOnesIsCalled) {
  std::set<std::string> notCalled;
  for (const ScriptFunction& f : kScriptFunctions) notCalled.insert(f.name);
  for (int code = kFirstFunctionCode; code < ScriptStepCodeCount(); ++code) {
    int function = ScriptFunctionOfCode(code);
    EXPECT_EQ(CodeOfScriptFunction(function), code);
    EXPECT_EQ(notCalled.erase(kScriptFunctions[function].name), 1u) << "code " << code;
  }
  EXPECT_EQ(notCalled, (std::set<std::string>{"DeleteSave", "LoadGame", "SaveGame", "SaveSlots", "SetAutosave"}));
}

}  // namespace
