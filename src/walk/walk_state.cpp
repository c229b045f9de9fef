// Walking state teardown: the walk map goes with it.
#include "engine/walk_state.h"

#include "walk/path_map.h"

WalkState::WalkState() = default;
WalkState::~WalkState() = default;
