// Drawing the scene objects into the frame.
#include "scene/draw_objects.h"

#include <cmath>

#include "engine/engine.h"
#include "resources/image_blit.h"
#include "scene/adventure_object.h"
#include "scene/animation.h"
#include "scene/depth_scale.h"
#include "util/numbers.h"

namespace {

// The current frame at the scale of the object's foot line, nearest neighbour.
void DrawScaled(Engine& engine, const AdventureObject& object) {
  const Animation& animation = *object.currentAnimation;
  DrawnFrame drawn = ScaledFrame(engine, object);
  if (drawn.width <= 0) return;
  SDL_Rect source;
  source.x = Clip16(static_cast<double>(animation.frameWidth) * animation.currentFrame);
  source.y = 0;
  source.w = ClipU16(animation.frameWidth);
  source.h = ClipU16(animation.image->h);
  BlitScaled(animation.image, source, animation.frameHeight, engine.core.screen,
             static_cast<long long>(drawn.left) + engine.view.scrollX, drawn.top, drawn.width, drawn.height);
}

}  // namespace

void DrawObjects(Engine& engine) {
  auto& objects = engine.cast.objects;
  for (int i = 0; i < objects.Count(); ++i) {
    AdventureObject& object = *objects.ValueAt(i);
    Animation* animation = object.currentAnimation;
    if (!object.visible || !animation || !animation->image || !object.area.empty()) continue;
    if (ScaledByDepth(engine, object)) {
      DrawScaled(engine, object);
      continue;
    }
    SDL_Rect source;
    source.x = Clip16(static_cast<double>(animation->frameWidth) * animation->currentFrame);
    source.y = 0;
    source.w = static_cast<Uint16>(animation->frameWidth);
    source.h = static_cast<Uint16>(animation->image->h);
    int ox = object.hotspotPositioning ? animation->hotspotX : 0;
    int oy = object.hotspotPositioning ? animation->hotspotY : 0;
    SDL_Rect target;
    target.x = Clip16(std::trunc((engine.view.scrollX + object.x) - ox));
    target.y = Clip16(std::trunc(object.y - oy));
    BlitImage(engine, animation->image, &source, engine.core.screen, &target);
  }
}
