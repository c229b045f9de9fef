// Where an object's current frame lies in the scene, and whether a point hits it.
#pragma once

#include "scene/adventure_object.h"

struct Engine;

// Scene x and y of the current frame's top-left corner, truncated toward zero.
int FrameLeft(const AdventureObject& object);
int FrameTop(const AdventureObject& object);

// Bounding box of the current frame, both far edges included (one pixel wider
// and higher than the frame). False without a current animation or without an
// image: an object whose picture was released cannot be hit.
bool ContainsPoint(const AdventureObject& object, int sceneX, int sceneY);

// The pixel test: inside the frame and not on a magenta pixel of the strip.
bool OpaqueAt(Engine& engine, const AdventureObject& object, int sceneX, int sceneY);

// The test the pointer handlers use: the bounding box for objects with an
// overridden colour key, the pixel test for all others.
bool HitAt(Engine& engine, const AdventureObject& object, int sceneX, int sceneY);
