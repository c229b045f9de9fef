// One libFuzzer target: the entry named by QUILLON_FUZZ_TARGET.
#include <cstdlib>
#include <string>

#include "fuzz/entries/fuzz_entries.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static int (*const entry)(const uint8_t*, size_t) = [] {
    for (const FuzzTarget& target : FuzzTargets())
      if (std::string(target.name) == QUILLON_FUZZ_TARGET) return target.entry;
    abort();
  }();
  return entry(data, size);
}
