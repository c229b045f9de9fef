// Frame placement and the two hit tests of adventure objects.
#include "engine/engine.h"
#include "resources/pixels.h"
#include "scene/depth_scale.h"
#include "scene/hit_test.h"
#include "util/numbers.h"

int FrameLeft(const AdventureObject& object) {
  const Animation* animation = object.currentAnimation;
  if (object.hotspotPositioning && animation) return TruncateToInt(object.x - animation->hotspotX);
  return TruncateToInt(object.x);
}

int FrameTop(const AdventureObject& object) {
  const Animation* animation = object.currentAnimation;
  if (object.hotspotPositioning && animation) return TruncateToInt(object.y - animation->hotspotY);
  return TruncateToInt(object.y);
}

bool ContainsPoint(const AdventureObject& object, int sceneX, int sceneY) {
  const Animation* animation = object.currentAnimation;
  if (!animation || !animation->image) return false;
  double left = object.x;
  double top = object.y;
  if (object.hotspotPositioning) {
    left = object.x - animation->hotspotX;
    top = object.y - animation->hotspotY;
  }
  return left <= sceneX && sceneX <= left + animation->frameWidth && top <= sceneY &&
         sceneY <= top + animation->frameHeight;
}

bool OpaqueAt(Engine& engine, const AdventureObject& object, int sceneX, int sceneY) {
  const Animation* animation = object.currentAnimation;
  if (!animation || !animation->image) return false;
  SDL_Rect frame;
  // Beyond the reach of a 16-bit rectangle lies no pixel of any strip.
  double frameX = static_cast<double>(animation->frameWidth) * animation->currentFrame;
  frame.x = static_cast<Sint16>(frameX > 32767 ? 32767 : frameX < -32768 ? -32768 : frameX);
  frame.y = 0;
  frame.w = static_cast<Uint16>(animation->frameWidth);
  frame.h = static_cast<Uint16>(animation->frameHeight);
  PixelHitTester tester;
  const PixelHitTester& hits = engine.resources.hitTester ? *engine.resources.hitTester : tester;
  return hits.IsOpaqueAt(animation->image, frame, FrameLeft(object), FrameTop(object), sceneX, sceneY);
}

namespace {

// The hit tests of a frame drawn at the scale of its foot line: the same
// rectangle, far edges included, and the same pixels as the drawing.
bool ScaledHitAt(Engine& engine, const AdventureObject& object, int sceneX, int sceneY) {
  const Animation& animation = *object.currentAnimation;
  if (!animation.image) return false;
  DrawnFrame drawn = ScaledFrame(engine, object);
  if (drawn.width <= 0) return false;
  long long dx = static_cast<long long>(sceneX) - drawn.left, dy = static_cast<long long>(sceneY) - drawn.top;
  if (object.colorKeyOverride) return dx >= 0 && dx <= drawn.width && dy >= 0 && dy <= drawn.height;
  if (dx < 0 || dx >= drawn.width || dy < 0 || dy >= drawn.height) return false;
  long long column = static_cast<long long>(animation.frameWidth) * animation.currentFrame +
                     NaturalOffset(static_cast<int>(dx), animation.frameWidth, drawn.width);
  int row = NaturalOffset(static_cast<int>(dy), animation.frameHeight, drawn.height);
  SDL_Surface* image = animation.image;
  if (column < 0 || column >= image->w || row >= image->h) return false;
  return GetPixel(image, static_cast<int>(column), row) != SDL_MapRGB(image->format, 255, 0, 255);
}

}  // namespace

bool HitAt(Engine& engine, const AdventureObject& object, int sceneX, int sceneY) {
  if (ScaledByDepth(engine, object)) return ScaledHitAt(engine, object, sceneX, sceneY);
  return object.colorKeyOverride ? ContainsPoint(object, sceneX, sceneY) : OpaqueAt(engine, object, sceneX, sceneY);
}
