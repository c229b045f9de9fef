// Verb buttons, the menu background and the action sentence on screen.
#pragma once

struct Engine;

void HandleButtonMouseOver(Engine& engine);
bool HandleButtonClick(Engine& engine);
void BlitMenu(Engine& engine);
