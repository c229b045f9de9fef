// Interaction state teardown: the button registry owns its buttons.
#include "engine/ui_state.h"

#include "ui/menu_button.h"

UiState::~UiState() {
  for (int i = 0; i < buttons.Count(); ++i) delete buttons.ValueAt(i);
}
