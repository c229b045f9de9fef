// Input as a player's would arrive: pointer moves and button, key and close events in SDL's queue.
#pragma once

#include <SDL/SDL.h>

// Moves the pointer: updates the mouse state and queues a motion event.
void MovePointer(int x, int y);
// Queues a press or a release of a mouse button; a real button event carries
// the pointer's position, so x and y are normally where the pointer is.
void PushButton(Uint8 type, Uint8 button, int x, int y);
// Queues a press and a release: one click.
void PushClick(Uint8 button, int x, int y);
void PushKeyDown(SDLKey key);
// A key going down or coming up (type SDL_KEYDOWN or SDL_KEYUP), with modifiers held.
void PushKey(Uint8 type, SDLKey key, SDLMod modifiers);
// The window's close button.
void PushQuit();
// The first gamepad: a button going down or coming up, and the left stick at
// (x, y), each from -32768 to 32767.
void PushGamepadButton(bool down, Uint8 button);
void PushGamepadStick(Sint16 x, Sint16 y);
