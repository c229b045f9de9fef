// Areas: parts of the background that take verbs as objects do, given by an outline.
#pragma once

#include <string>
#include <vector>

#include "scene/adventure_object.h"

struct Engine;

// Whether the point lies inside the outline or on one of its edges.
bool InOutline(const std::vector<WalkPoint>& outline, int sceneX, int sceneY);

// The middle of the outline's bounding box, edges included: what the hero
// turns to face after walking to the area.
WalkPoint OutlineMiddle(const std::vector<WalkPoint>& outline);

// Why the outline can be no area of this scene (fewer than three corners, no
// inside, crossing edges, a corner more than a screen beyond the scene), or
// "" when it can.
std::string OutlineFault(Engine& engine, const std::vector<WalkPoint>& outline);
