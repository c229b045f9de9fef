// The verb table and the verb word of a button.
#include "ui/menu_button.h"


namespace {

const char* const kVerbWords[] = {"WALK", "TALK", "TAKE", "GIVE", "USE", "OPEN", "CLOSE", "PUSH", "PULL", "LOOK"};

}  // namespace

const char* BuiltInVerbWord(int verbType) {
  return verbType >= 0 && verbType < kCustomVerb ? kVerbWords[verbType] : nullptr;
}

int VerbTypeOf(const std::string& word) {
  for (int type = 0; type < kCustomVerb; ++type)
    if (word == kVerbWords[type]) return type;
  return word == "CUSTOM" ? kCustomVerb : -1;
}

std::string MenuButton::VerbWord() const {
  const char* word = BuiltInVerbWord(verbType);
  return word ? word : label;
}
