// Interaction state: verbs, action sentence, menu, inventory and decisions.
#pragma once

struct UiState {
  bool decisionPending = false;  // MakeDecision waits for a pick
  int sentenceX = 10;            // action sentence position, window pixels
  int sentenceY = 430;           // (both replaced by every LoadSystemFont)
};
