// The frame loop, one frame, and the nested waits of script functions.
#pragma once

struct Engine;

void GameLoop(Engine& engine);
// Sort, compose, dispatch input, update objects, measure: one whole frame.
void FrameStep(Engine& engine);
void UpdateScene(Engine& engine, double timeFactor);
