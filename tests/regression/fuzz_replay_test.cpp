// Replays every fuzz target's seeds and kept findings through the very entries the fuzzers run.
#include <gtest/gtest.h>

#include <dirent.h>

#include <algorithm>
#include <fstream>
#include <sstream>

#include "fuzz/entries/fuzz_entries.h"

namespace {

std::vector<std::string> FindingsOf(const std::string& target) {
  std::string folder = std::string(QUILLON_SOURCE_DIR) + "/tests/regression/" + target;
  std::vector<std::string> files;
  if (DIR* dir = opendir(folder.c_str())) {
    while (dirent* entry = readdir(dir))
      if (entry->d_name[0] != '.') files.push_back(folder + "/" + entry->d_name);
    closedir(dir);
  }
  std::sort(files.begin(), files.end());
  return files;
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
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

}  // namespace
