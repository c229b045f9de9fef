// Finding objects and their animations by the names scripts use.
#pragma once

#include <string>

#include "engine/engine.h"
#include "scene/animation.h"
#include "script/diagnostics.h"

// The registered object with exactly this id, or null (a mistake the
// diagnostics name: scripts look up only objects they mean to exist).
inline AdventureObject* FindObject(Engine& engine, const std::string& id) {
  return LookUpNamed(engine, engine.cast.objects, id, "object");
}

// The object's animation with exactly this name, or null (also for a null object).
inline Animation* FindAnimation(AdventureObject* object, const std::string& name) {
  return object ? object->animations.Get(name) : nullptr;
}
