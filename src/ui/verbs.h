// Verbs, the action sentence, hover and clicks on scene objects, the Event call.
#pragma once

#include <string>

struct Engine;
struct AdventureObject;
struct MenuButton;

// True when the current verb is the very button registered under the word.
bool CurrentVerbIs(Engine& engine, const char* word);
void ActivateButton(Engine& engine, MenuButton* button);
void UpdateSentence(Engine& engine, const std::string& name);
void HoverObject(Engine& engine, AdventureObject* object);
void HandleObjectMouseOver(Engine& engine);
bool HandleObjectClick(Engine& engine);
// The current verb applied to a clicked scene object or inventory item.
void ApplyVerb(Engine& engine, AdventureObject* object, const std::string& id);
// A registered object that is not carried in the inventory.
bool IsSceneObject(Engine& engine, AdventureObject* object);
