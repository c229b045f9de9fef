// Whole frames run inside a script function that waits: Wait, WaitFor,
// WalkToObject, MakeDecision and the fades all run them through here, so
// every nested wait ends, and gives up, the same way.
#pragma once

#include <functional>
#include <string>

struct Engine;

struct NestedWait {
  std::string who;                         // names the wait in its give-up line, e.g. "WaitFor(door,WALKING)"
  const char* outcome = "not waiting any longer";  // what the script gets after giving up
  std::function<const char*()> cannotEnd;  // why the wait could never end now, or null; may be empty
  bool frameFirst = false;                 // one frame runs before the first check
};

// Runs frames until done() holds; done and then cannotEnd are asked before
// every frame. When cannotEnd names a reason, "<who>: <reason>, <outcome>\r\n"
// is logged and no further frame runs. True when done() ended the wait.
// A close request (the window's close button, SIGTERM, SIGINT) ends the wait
// before its next frame, without a line, and stops the scripts (StopScripts):
// the caller returns as from a wait that gave up, and the script that waited
// runs no further.
// Defined beside the frame loop, which owns the frames.
bool RunFramesUntil(Engine& engine, const std::function<bool()>& done, const NestedWait& wait = {});
