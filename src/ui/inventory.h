// The inventory row: hover, clicks and drawing.
#pragma once

struct Engine;

void HandleInventoryMouseOver(Engine& engine);
bool HandleInventoryClick(Engine& engine);
void BlitInventory(Engine& engine);
