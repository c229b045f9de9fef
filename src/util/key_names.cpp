// Names of keys, as replay files and SetQuitKeys write them: F5, ESCAPE, A, 7, LSHIFT ... or a decimal SDL key code.
#include "util/key_names.h"

#include <cctype>
#include <cstdlib>

namespace {

struct NamedKey {
  const char* name;
  SDLKey key;
};

const NamedKey kNamedKeys[] = {
    {"ESCAPE", SDLK_ESCAPE},     {"RETURN", SDLK_RETURN}, {"SPACE", SDLK_SPACE},   {"TAB", SDLK_TAB},
    {"BACKSPACE", SDLK_BACKSPACE}, {"DELETE", SDLK_DELETE}, {"INSERT", SDLK_INSERT}, {"HOME", SDLK_HOME},
    {"END", SDLK_END},           {"PAGEUP", SDLK_PAGEUP}, {"PAGEDOWN", SDLK_PAGEDOWN}, {"UP", SDLK_UP},
    {"DOWN", SDLK_DOWN},         {"LEFT", SDLK_LEFT},     {"RIGHT", SDLK_RIGHT},   {"LSHIFT", SDLK_LSHIFT},
    {"RSHIFT", SDLK_RSHIFT},     {"LCTRL", SDLK_LCTRL},   {"RCTRL", SDLK_RCTRL},   {"LALT", SDLK_LALT},
    {"RALT", SDLK_RALT},
};

}  // namespace

bool KeyFromName(const std::string& name, SDLKey* key) {
  if (name.empty()) return false;
  for (const NamedKey& named : kNamedKeys) {
    if (name == named.name) {
      *key = named.key;
      return true;
    }
  }
  if (name.size() == 1 && std::isupper(static_cast<unsigned char>(name[0]))) {
    *key = static_cast<SDLKey>(std::tolower(static_cast<unsigned char>(name[0])));
    return true;
  }
  if (name[0] == 'F' && name.size() <= 3) {
    int number = std::atoi(name.c_str() + 1);
    if (number >= 1 && number <= 15 && name == "F" + std::to_string(number)) {
      *key = static_cast<SDLKey>(SDLK_F1 + number - 1);
      return true;
    }
  }
  for (char c : name)
    if (!std::isdigit(static_cast<unsigned char>(c))) return false;
  if (name.size() == 1) {  // a digit key
    *key = static_cast<SDLKey>(SDLK_0 + (name[0] - '0'));
    return true;
  }
  int code = name.size() <= 3 ? std::atoi(name.c_str()) : 0;  // any other key by its code
  if (code <= 0 || code >= SDLK_LAST) return false;
  *key = static_cast<SDLKey>(code);
  return true;
}

std::string NameOfKey(SDLKey key) {
  for (const NamedKey& named : kNamedKeys)
    if (key == named.key) return named.name;
  if (key >= SDLK_a && key <= SDLK_z) return std::string(1, static_cast<char>('A' + (key - SDLK_a)));
  if (key >= SDLK_F1 && key <= SDLK_F15) return "F" + std::to_string(key - SDLK_F1 + 1);
  if (key >= SDLK_0 && key <= SDLK_9) return std::string(1, static_cast<char>('0' + (key - SDLK_0)));
  return std::to_string(static_cast<int>(key));
}
