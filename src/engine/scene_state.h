// What belongs to the scene that runs: begun afresh by every scene switch
// (LoadScriptScene), so nothing of one scene's view leaks into the next.
#pragma once

struct SceneState {
  int scrollX = 0;  // scene x + scrollX = screen x
};
