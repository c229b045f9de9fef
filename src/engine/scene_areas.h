// The areas a scene made end with it: a scene switch calls up to the scene floor.
#pragma once

struct Engine;

// Takes every area's outline away and hides it, between the old scene's
// DeInit and the new one's script; the objects stay, named, for the next
// CreateArea of their ids. Defined in scene/areas.cpp.
void ForgetSceneAreas(Engine& engine);
