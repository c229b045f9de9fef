// Playing without a mouse, once a game has chosen its quitting keys with
// SetQuitKeys (before that, every key but F5 ends the game): Tab and Shift+Tab
// step the pointer through what can be clicked, in reading order; the arrow
// keys move it, faster while held; Return or Space clicks; H held shows the
// hotspots. A gamepad does the same: stick or pad moves, A clicks, the
// shoulder buttons step, Y shows the hotspots. --no-keys turns it all off.
#pragma once

#include <SDL/SDL.h>

#include <vector>

#include "ui/pointer_spots.h"

struct Engine;

bool PointerKeysOn(const Engine& engine);

// A key or gamepad event for pointing; true when it was one and is handled.
bool HandlePointerInput(Engine& engine, const SDL_Event& event);

// Moves the pointer on while a direction is held; called once a frame.
void MovePointerWhileHeld(Engine& engine);

// What can be clicked now, top to bottom, and left to right within a row.
std::vector<PointerSpot> SpotsInReadingOrder(Engine& engine);

// The first gamepad, if one is plugged in; closed again with the window.
void OpenGamepad(Engine& engine);
void CloseGamepad(Engine& engine);
