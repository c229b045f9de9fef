// Names of keys, as replay files and SetQuitKeys write them: F5, ESCAPE, A, 7, LSHIFT ... or a decimal SDL key code.
#pragma once

#include <SDL/SDL.h>

#include <string>

// False when the name names no key.
bool KeyFromName(const std::string& name, SDLKey* key);
// The name KeyFromName reads back: a known name, else the decimal key code.
std::string NameOfKey(SDLKey key);
