// Dialogue decisions: hover, the pick and drawing of the options.
#pragma once

struct Engine;

void HandleDecisionMouseOver(Engine& engine);
// A click while the interactive flag is clear and a decision waits.
void PickDecision(Engine& engine);
void BlitDecisions(Engine& engine);
