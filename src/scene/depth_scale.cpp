// Scale by depth: the scene's two lines, the objects that take part, and the
// size and place of their frames.
#include "scene/depth_scale.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "engine/diagnostics.h"
#include "engine/engine.h"
#include "scene/hit_test.h"
#include "scene/object_lookup.h"
#include "script/script_args.h"
#include "script/script_functions.h"
#include "util/log.h"
#include "util/numbers.h"

int FootLine(const AdventureObject& object) {
  if (object.hotspotPositioning) return TruncateToInt(object.y);
  int hotspotY = object.currentAnimation ? object.currentAnimation->hotspotY : 0;
  return TruncateToInt(object.y + hotspotY);
}

double PercentAt(const DepthScale& depth, int footLine) {
  if (footLine <= depth.topY) return depth.topPercent;
  if (footLine >= depth.bottomY) return depth.bottomPercent;
  double along = (static_cast<double>(footLine) - depth.topY) / (static_cast<double>(depth.bottomY) - depth.topY);
  return depth.topPercent + (depth.bottomPercent - depth.topPercent) * along;
}

bool TakesPartInDepthScale(const Engine& engine, const AdventureObject& object) {
  if (!object.area.empty() || !object.currentAnimation) return false;
  switch (object.depthScaling) {
    case kScaledAlways: return true;
    case kScaledNever: return false;
    default: return &object == engine.cast.hero;
  }
}

namespace {

// A length at the scale, to the nearest pixel.
int AtScale(int length, double percent) { return TruncateToInt(std::floor(length * percent / 100 + 0.5)); }

}  // namespace

DrawnFrame ScaledFrame(const Engine& engine, const AdventureObject& object) {
  const Animation& animation = *object.currentAnimation;
  DrawnFrame drawn;
  if (animation.frameWidth <= 0 || animation.frameHeight <= 0) return drawn;
  double percent = PercentAt(engine.scene.depth, FootLine(object));
  drawn.width = std::max(1, AtScale(animation.frameWidth, percent));
  drawn.height = std::max(1, AtScale(animation.frameHeight, percent));
  long long anchorX = static_cast<long long>(FrameLeft(object)) + animation.hotspotX;
  long long anchorY = static_cast<long long>(FrameTop(object)) + animation.hotspotY;
  drawn.left = TruncateToInt(static_cast<double>(anchorX - AtScale(animation.hotspotX, percent)));
  drawn.top = TruncateToInt(static_cast<double>(anchorY - AtScale(animation.hotspotY, percent)));
  return drawn;
}

DrawnFrame DrawnFrameOf(const Engine& engine, const AdventureObject& object) {
  if (ScaledByDepth(engine, object)) return ScaledFrame(engine, object);
  DrawnFrame drawn;
  drawn.left = FrameLeft(object);
  drawn.top = FrameTop(object);
  if (const Animation* animation = object.currentAnimation) {
    drawn.width = animation->frameWidth;
    drawn.height = animation->frameHeight;
  }
  return drawn;
}

std::string DepthScaleFault(const DepthScale& depth) {
  for (int percent : {depth.topPercent, depth.bottomPercent})
    if (percent <= 0 || percent > kMostDepthPercent)
      return FormatText("a scale of %d %%, where a scale lies above 0 and at most %d %%", percent, kMostDepthPercent);
  if (depth.topY >= depth.bottomY)
    return FormatText("the far line y %d is not above the near line y %d: give the upper line first", depth.topY,
                      depth.bottomY);
  return "";
}

namespace {

void SetDepthScaling(lua_State* L, DepthScaling scaling) {
  Engine& engine = EngineOf(L);
  GuardedCall(L, [&] {
    if (AdventureObject* object = FindObject(engine, ArgString(L, 1))) object->depthScaling = scaling;
  });
}

}  // namespace

// SetDepthScale(farY, farPercent, nearY, nearPercent): the scale of the
// scene's characters by the foot line, until the next scene switch. A faulty
// scale changes nothing.
int lua_SetDepthScale(lua_State* L) {
  Engine& engine = EngineOf(L);
  GuardedCall(L, [&] {
    DepthScale depth;
    depth.on = true;
    depth.topY = ArgInt(L, 1);
    depth.topPercent = ArgInt(L, 2);
    depth.bottomY = ArgInt(L, 3);
    depth.bottomPercent = ArgInt(L, 4);
    std::string fault = DepthScaleFault(depth);
    if (!fault.empty()) {
      if (DiagnosticsOn(engine)) Diagnose(engine, "no scale by depth: " + fault);
      throw std::runtime_error(fault);
    }
    engine.scene.depth = depth;
  });
  return 0;
}

int lua_DepthScaleOn(lua_State* L) {
  SetDepthScaling(L, kScaledAlways);
  return 0;
}

int lua_DepthScaleOff(lua_State* L) {
  SetDepthScaling(L, kScaledNever);
  return 0;
}
