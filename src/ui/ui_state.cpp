// Interaction state teardown: the button registry owns its buttons.
#include "engine/ui_state.h"

UiState::~UiState() {
  for (int i = 0; i < buttons.Count(); ++i) delete buttons.ValueAt(i);
}
