// Which script functions the script-call fuzz entry calls, and by which codes.
#include "fuzz/entries/script_call_codes.h"

#include <algorithm>
#include <iterator>
#include <vector>

#include "fuzz/entries/fuzz_entries.h"
#include "script/script_table.h"

namespace {

static_assert(kFirstFunctionCode + kScriptFunctionCount <= 256, "a step's code is one byte");

// Left out: they read, write and delete slots in the player's own save
// folder, outside the fuzz world, and what they do depends on what earlier
// runs left there (SetAutosave writes when a key quits). The save reader has
// a fuzz entry of its own.
const int kNotFuzzed[] = {kScriptIndex_SaveGame, kScriptIndex_LoadGame, kScriptIndex_SaveSlots,
                          kScriptIndex_DeleteSave, kScriptIndex_SetAutosave};

// The fuzzed functions in list order: the function of code kFirstFunctionCode + i is the i-th.
const std::vector<int>& FuzzedFunctions() {
  static const std::vector<int> functions = [] {
    std::vector<int> list;
    for (int index = 0; index < kScriptFunctionCount; ++index)
      if (std::find(std::begin(kNotFuzzed), std::end(kNotFuzzed), index) == std::end(kNotFuzzed))
        list.push_back(index);
    return list;
  }();
  return functions;
}

}  // namespace

int ScriptStepCodeCount() { return kFirstFunctionCode + static_cast<int>(FuzzedFunctions().size()); }

int ScriptFunctionOfCode(int code) { return FuzzedFunctions().at(code - kFirstFunctionCode); }

int CodeOfScriptFunction(int scriptIndex) {
  const std::vector<int>& functions = FuzzedFunctions();
  auto at = std::find(functions.begin(), functions.end(), scriptIndex);
  Require(at != functions.end(), "a seed calls a script function that is not fuzzed");
  return kFirstFunctionCode + static_cast<int>(at - functions.begin());
}
