// Showing the hotspots: while the player holds the reveal (H, a gamepad's Y,
// a long touch), every named thing that can be clicked gets a mark and its
// name, drawn over the whole frame. Nothing else changes: no event, no log.
#pragma once

struct Engine;

void DrawHotSpotReveal(Engine& engine);
