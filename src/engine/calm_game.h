// Calm moments of the game, when no script call and no wait runs: what saves hold.
#pragma once

struct Engine;

// A script call, a wait or a click is about to start. When the game is calm
// (no script call and no wait running) and this is the first such start of
// an outermost frame, the game as it is now is kept for an autosave; only
// while an autosave slot is set. Called by the script host, the frame loop
// and input dispatch; defined with saving, which owns the kept game.
void KeepCalmGame(Engine& engine);
