// Adventure object records and the object registry's ownership.
#include "scene/adventure_object.h"

#include "engine/scene_state.h"

AdventureObject::~AdventureObject() {
  for (int i = 0; i < animations.Count(); ++i) delete animations.ValueAt(i);
}

SceneState::~SceneState() {
  for (int i = 0; i < objects.Count(); ++i) delete objects.ValueAt(i);
}
