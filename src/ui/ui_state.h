// Interaction state: verbs, action sentence, menu, inventory and decisions.
#pragma once

struct UiState {
  bool decisionPending = false;  // MakeDecision waits for a pick
};
