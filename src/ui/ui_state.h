// Interaction state: verbs, action sentence, menu, inventory and decisions.
#pragma once

#include "ui/menu_button.h"
#include "util/hashtable.h"

struct UiState {
  bool decisionPending = false;        // MakeDecision waits for a pick
  Hashtable<MenuButton*> buttons;      // every button by verb word (custom: label); owns them
  MenuButton* currentVerb = nullptr;   // the chosen verb button; null until one is chosen

  UiState() = default;
  ~UiState();
  UiState(const UiState&) = delete;
  UiState& operator=(const UiState&) = delete;
};
