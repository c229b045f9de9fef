// The Event call: how the engine tells the script what the player did.
#pragma once

#include <string>

struct Engine;

// Sends an event to the script's Event, walking the hero to a scene object first.
void lua_Event(Engine& engine, const std::string& verb, const std::string& first, const std::string& second);
