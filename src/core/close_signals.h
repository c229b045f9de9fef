// SIGTERM and SIGINT as the player's close request.
#pragma once

// Takes SIGTERM and SIGINT over from SDL once it is open. SDL's own handler
// pushes its quit event from inside the signal, which can interrupt the
// event queue in the middle of its own work and be lost; this one only
// notes the signal, and input dispatch reads the note.
void WatchCloseSignals();

// True once for each arrival of SIGTERM or SIGINT since the last call.
bool TakeCloseSignal();
