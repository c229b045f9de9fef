// Writes the seed corpus of every fuzz target: quillon-fuzz-seeds FOLDER makes FOLDER/<target>/seed-N.
#include <sys/stat.h>

#include <cstdio>
#include <fstream>
#include <string>

#include "fuzz/entries/fuzz_entries.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    fprintf(stderr, "usage: quillon-fuzz-seeds FOLDER\n");
    return 2;
  }
  std::string root = argv[1];
  mkdir(root.c_str(), 0755);
  for (const FuzzTarget& target : FuzzTargets()) {
    std::string folder = root + "/" + target.name;
    mkdir(folder.c_str(), 0755);
    int n = 0;
    for (const std::string& seed : SeedInputs(target.name)) {
      std::ofstream out(folder + "/seed-" + std::to_string(n++), std::ios::binary);
      out << seed;
    }
  }
  CloseFuzzWorld();
  return 0;
}
