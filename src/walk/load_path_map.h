// Loading the walk map of a scene from a resource address.
#pragma once

#include <string>

struct Engine;

// Replaces the walk map's boxes from a loose file or a script/text pack
// entry: 0 on success (also for a missing loose file), -1 on failure.
int LoadPathMap(Engine& engine, const std::string& address);
