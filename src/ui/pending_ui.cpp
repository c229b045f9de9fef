// Interaction hooks not built yet: they do nothing.
#include "core/engine.h"
#include "ui/decisions.h"
#include "ui/inventory.h"
#include "ui/menus.h"
#include "ui/verbs.h"

void UpdateSentence(Engine&, const std::string&) {}
void HandleObjectMouseOver(Engine&) {}
bool HandleObjectClick(Engine&) { return false; }
void HandleButtonMouseOver(Engine&) {}
bool HandleButtonClick(Engine&) { return false; }
void BlitMenu(Engine&) {}
void HandleInventoryMouseOver(Engine&) {}
bool HandleInventoryClick(Engine&) { return false; }
void BlitInventory(Engine&) {}
void HandleDecisionMouseOver(Engine&) {}
void PickDecision(Engine&) {}
void BlitDecisions(Engine&) {}
