// Interaction state: verbs, action sentence, menu, inventory and decisions.
#pragma once

struct UiState {
  bool decisionPending = false;  // MakeDecision waits for a pick
  int sentenceX = 10;            // action sentence position, window pixels (LoadSystemFont)
  int sentenceY = 430;
};
