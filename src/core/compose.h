// Frame composition: depth order, hero-following scroll, and the layers of a frame.
#pragma once

struct Engine;

void SortForDepth(Engine& engine);
bool IsSorted(Engine& engine);
void FollowHero(Engine& engine);

// One layer of a frame's picture, drawn by the subsystem whose state it shows.
struct FrameLayer {
  const char* name;
  void (*draw)(Engine& engine);
};
// The layers from the back to the front: the one place that orders them.
extern const FrameLayer kFrameLayers[];
extern const int kFrameLayerCount;

// The window gets the frame composed last time (Present); then the next frame
// is composed into the screen, layer by layer. A failure on the way is
// caught and logged as the frame's drawing failure.
void PresentAndCompose(Engine& engine);
