// Per-frame object update, movement along paths, and facing.
#pragma once

struct Engine;
struct AdventureObject;

// The object's per-frame step: speech timer, movement, animations.
void UpdateObject(Engine& engine, AdventureObject& object, float timeFactor);
