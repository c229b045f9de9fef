// The reference scene of the benchmarks and of the pixel-identity test: a game folder drawn in code.
#pragma once

#include <string>

struct Engine;

// Writes a 640 x 480 game at the given screen depth into the folder: a background
// twice the screen width, a hero that walks across it, 30 animated objects with
// 64 x 128 colour-keyed frames (about 40 % magenta), one of them talking in three
// lines, ten verb buttons on a menu background with the action sentence, eight
// inventory icons and the cursor. Everything is built through the script functions.
void WriteReferenceGame(const std::string& folder, int depth);

// Keeps the scene busy between frames: turns the hero round at either end of
// the background and lets the speaker talk again when its speech is over.
void KeepReferenceSceneGoing(Engine& engine);

// Where the reference scene puts the pointer: over two overlapping objects.
const int kReferencePointerX = 212;
const int kReferencePointerY = 262;
