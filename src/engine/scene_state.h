// What belongs to the scene that runs: begun afresh by every scene switch
// (LoadScriptScene, after the old scene's DeInit), so nothing of one scene's
// set-up leaks into the next.
#pragma once

// A scale by depth: objects that take part are drawn, hit and moved at the
// scale of their foot line, straight between the two lines and held beyond
// them. Off until the scene sets one.
struct DepthScale {
  bool on = false;
  int topY = 0;            // the far foot line, above bottomY
  int topPercent = 100;    // the scale there
  int bottomY = 0;         // the near foot line
  int bottomPercent = 100;
};

struct SceneState {
  DepthScale depth;
};
