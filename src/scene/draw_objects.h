// The scene objects' layer of a frame: each visible object's current animation frame.
#pragma once

struct Engine;

// Draws the visible objects in the registry's order (the depth sort has put
// them by foot line), at their scene places shifted by the scroll.
void DrawObjects(Engine& engine);
