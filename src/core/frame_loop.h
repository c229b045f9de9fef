// The frame loop, one frame, and the nested waits of script functions.
#pragma once

struct Engine;

void GameLoop(Engine& engine);
// What the frame loop does before each of its frames, where the game is calm:
// writes the saves the scripts asked for, applies a pending load.
void BetweenFrames(Engine& engine);
// Sort, compose, dispatch input, update objects, measure: one whole frame.
void FrameStep(Engine& engine);
void UpdateScene(Engine& engine, double timeFactor);
