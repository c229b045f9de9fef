// Drawing the scene objects into the frame.
#include "scene/draw_objects.h"

#include <cmath>

#include "engine/engine.h"
#include "resources/image_blit.h"
#include "scene/adventure_object.h"
#include "scene/animation.h"
#include "util/numbers.h"

void DrawObjects(Engine& engine) {
  auto& objects = engine.cast.objects;
  for (int i = 0; i < objects.Count(); ++i) {
    AdventureObject& object = *objects.ValueAt(i);
    Animation* animation = object.currentAnimation;
    if (!object.visible || !animation || !animation->image || !object.area.empty()) continue;
    SDL_Rect source;
    source.x = Clip16(static_cast<double>(animation->frameWidth) * animation->currentFrame);
    source.y = 0;
    source.w = static_cast<Uint16>(animation->frameWidth);
    source.h = static_cast<Uint16>(animation->image->h);
    int ox = object.hotspotPositioning ? animation->hotspotX : 0;
    int oy = object.hotspotPositioning ? animation->hotspotY : 0;
    SDL_Rect target;
    target.x = Clip16(std::trunc((engine.scene.scrollX + object.x) - ox));
    target.y = Clip16(std::trunc(object.y - oy));
    BlitImage(engine, animation->image, &source, engine.core.screen, &target);
  }
}
