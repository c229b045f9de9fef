// Scale by depth: how large an object appears at its foot line, and where.
#pragma once

#include <string>

#include "engine/engine.h"
#include "scene/adventure_object.h"

// The largest scale a scene may set, in percent: four times the natural size.
constexpr int kMostDepthPercent = 400;

// Scene y of the object's feet: the draw-order key, and the line its scale is
// read at.
int FootLine(const AdventureObject& object);

// The scale in percent at a foot line: straight between the scene's two
// lines, held beyond them.
double PercentAt(const DepthScale& depth, int footLine);

// Whether the object takes part in the scene's scale: the hero unless told
// otherwise, others when told; areas and objects without a current
// animation never.
bool TakesPartInDepthScale(const Engine& engine, const AdventureObject& object);

// True when the scene sets a scale and the object takes part. Inline, so that
// a scene without a scale pays one flag test wherever objects are drawn, hit
// or moved.
inline bool ScaledByDepth(const Engine& engine, const AdventureObject& object) {
  return engine.scene.depth.on && TakesPartInDepthScale(engine, object);
}

// Where the current frame is drawn in the scene: scaled about the animation's
// hotspot, which stays where it is, so the feet stay on their line. Width and
// height are 0 for a frame of no size.
struct DrawnFrame {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
};
DrawnFrame ScaledFrame(const Engine& engine, const AdventureObject& object);

// The frame as drawn, scaled or not: what the speech box and the pointer keys
// place themselves by.
DrawnFrame DrawnFrameOf(const Engine& engine, const AdventureObject& object);

// Why these lines and scales make no scale by depth, or "" when they do.
std::string DepthScaleFault(const DepthScale& depth);

// The natural pixel a drawn pixel shows (nearest neighbour): the drawing and
// the hit test both read it here, so a hit is exactly a drawn pixel.
inline int NaturalOffset(int drawnOffset, int naturalSize, int drawnSize) {
  return static_cast<int>(static_cast<long long>(drawnOffset) * naturalSize / drawnSize);
}
