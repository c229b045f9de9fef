// Interaction state: verbs, action sentence, menu, inventory and decisions.
#pragma once

#include <SDL/SDL.h>

#include <string>
#include <vector>

#include "engine/image_ref.h"
#include "util/hashtable.h"
#include "util/registry.h"

struct AdventureObject;
struct MenuButton;

struct UiState {
  // Verbs and the action sentence.
  Registry<MenuButton> buttons;          // every button by verb word (custom ones by label)
  MenuButton* currentVerb = nullptr;     // the chosen verb; null until one is chosen
  std::string verbLabel;                 // label of the current verb button
  std::string sentence;                  // the action sentence drawn under the menu
  int selectionCount = 0;                // objects chosen for a two-object USE or GIVE
  AdventureObject* selected[2] = {};     // first and second object of USE or GIVE
  std::string selectedIds[2];            // their registry ids
  std::string useWord;                   // joins the two objects of a USE sentence
  MenuButton* defaultVerb = nullptr;     // made current again after every event
  bool defaultVerbSet = false;           // set with defaultVerb; never cleared

  // Menu background.
  ImageRef menuBackground;                // an image of the registry
  bool menuBackgroundVisible = false;     // drawn only while set
  int menuBackgroundX = 0;                // window position of its top-left corner
  int menuBackgroundY = 0;

  // Inventory.
  Hashtable<AdventureObject*> inventory;  // carried items in the order added; not owned
  int inventoryX = 0;                     // left edge of slot 0
  int inventoryY = 0;                     // top edge of every slot
  int inventorySpacing = 0;               // gap between neighbouring slots
  int iconWidth = 0;                      // slot and icon area width
  int iconHeight = 0;                     // slot and icon area height

  // Decisions.
  std::vector<std::string> options;  // texts of the running decision, in order
  int hoveredOption = 0;             // option under the pointer, -1 for none
  int decisionResult = -1;           // the picked option, -1 while none
  bool decisionPending = false;      // MakeDecision waits for a pick
  int decisionX = 0;                 // left edge of every option line
  int decisionY = 0;                 // top edge of the first option line

};
