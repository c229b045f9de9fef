// Verbs, the action sentence, hover and clicks on scene objects, the Event call.
#pragma once

#include <string>

struct Engine;
struct AdventureObject;

void UpdateSentence(Engine& engine, const std::string& name);
void HandleObjectMouseOver(Engine& engine);
bool HandleObjectClick(Engine& engine);
// Sends an event to the script's Event, walking the hero to a scene object first.
void lua_Event(Engine& engine, const std::string& verb, const std::string& first, const std::string& second);
