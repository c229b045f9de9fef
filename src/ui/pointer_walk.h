// Clicks with WALK and the arrival that follows them.
#pragma once

struct Engine;

// A click of the WALK verb: walks the hero to the clicked point, or to the
// object chosen with WALK; an unreachable one is told to the script.
void ClickWalk(Engine& engine);
// Tells the script REACHED once the walk to the chosen object has ended.
void CheckArrival(Engine& engine);
