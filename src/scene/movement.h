// Per-frame object update, movement along paths, and facing.
#pragma once

#include <vector>

#include "scene/adventure_object.h"

struct Engine;

// The object's per-frame step: speech timer, movement, animations.
void UpdateObject(Engine& engine, AdventureObject& object, float timeFactor);
// Starts a straight movement to the point.
void HeadTowards(Engine& engine, AdventureObject& object, int targetX, int targetY);
// Starts moving along a copy of the path (at least two waypoints; waypoint 0 is skipped).
void FollowPath(Engine& engine, AdventureObject& object, const std::vector<WalkPoint>& path);
// Turns the hero toward the object.
void AutoFlipHero(Engine& engine, AdventureObject* object);

// One movement step of a moving object, arrival included.
void ProcessMovement(Engine& engine, AdventureObject& object, float timeFactor);
// The standing animation for the heading of the movement that just ended.
void ShowIdleAnimation(Engine& engine, AdventureObject& object);
