// The object's per-frame update, straight movement and paths, and facing.
#include "scene/movement.h"

#include <cmath>

#include "engine/engine.h"
#include "scene/areas.h"
#include "scene/depth_scale.h"
#include "util/guard.h"
#include "util/log.h"
#include "util/numbers.h"

namespace {

// Makes the slot's animation current and arms its replay; false when the slot is empty.
bool StandWith(Engine& engine, AdventureObject& object, AnimationSlot slot) {
  Animation* animation = object.slots[slot];
  if (!animation) return false;
  object.currentAnimation = animation;
  ArmTimeout(engine, *animation);
  return true;
}

void WalkWith(AdventureObject& object) {
  AnimationSlot slot;
  if (std::fabs(object.dirX) > std::fabs(object.dirY))
    slot = object.dirX < 0 ? kMoveLeft : kMoveRight;
  else
    slot = object.dirY < 0 ? kMoveUp : kMoveDown;  // a tie walks vertically
  Animation* animation = object.slots[slot];
  if (!animation) return;
  object.currentAnimation = animation;
  animation->playing = true;
  animation->mode = kWhileWalking;
}

bool Overshot(const AdventureObject& o) {
  return (o.headingLeft && o.targetX > o.x) || (o.headingRight && o.targetX < o.x) ||
         (o.headingUp && o.targetY > o.y) || (o.headingDown && o.targetY < o.y);
}

void Arrive(Engine& engine, AdventureObject& object) {
  if (object.followingPath) {
    ++object.pathIndex;
    if (object.pathIndex < static_cast<int>(object.path.size())) {
      const WalkPoint& next = object.path[object.pathIndex];
      HeadTowards(engine, object, next.x, next.y);
      return;
    }
    object.followingPath = false;
  }
  object.moving = false;
  ShowIdleAnimation(engine, object);
}

// Idle (or, when the idle slot is empty, walking) animation facing one way.
void FaceWith(Engine& engine, AdventureObject& hero, AnimationSlot idle, AnimationSlot move) {
  if (StandWith(engine, hero, idle)) return;
  if (hero.slots[move]) hero.currentAnimation = hero.slots[move];
}

}  // namespace

void UpdateObject(Engine& engine, AdventureObject& object, float timeFactor) {
  Uint32 now = engine.Ticks();
  if (object.talking && now >= object.talkUntil) object.talking = false;
  if (object.moving) ProcessMovement(engine, object, timeFactor);
  for (int i = 0; i < object.animations.Count(); ++i)
    UpdateAnimation(engine, *object.animations.ValueAt(i), timeFactor, object.moving, object.talking);
}

void HeadTowards(Engine& engine, AdventureObject& object, int targetX, int targetY) {
  object.targetX = targetX;
  object.targetY = targetY;
  float dirX = targetX - object.x;
  float dirY = targetY - object.y;
  object.dirX = dirX;
  object.dirY = dirY;
  if (dirX == 0 && dirY == 0) {
    object.moving = true;  // the next step arrives at once
    return;
  }
  float absX = std::fabs(dirX);
  float absY = std::fabs(dirY);
  if (absY < absX) {
    object.dirY = dirY / absX;
    object.dirX = dirX / absX;
  } else {
    object.dirX = dirX / absY;
    object.dirY = dirY / absY;
  }
  object.headingDown = object.dirY > 0;
  object.headingUp = object.dirY < 0;
  object.headingRight = object.dirX > 0;
  object.headingLeft = object.dirX < 0;
  object.moving = true;
}

void ProcessMovement(Engine& engine, AdventureObject& object, float timeFactor) {
  Guarded("Exception catched in AdventureObject.ProcessMovement.\r\n", [&] {
    float speed = object.speed;
    // Farther away, a step covers fewer of the scene's pixels.
    if (ScaledByDepth(engine, object))
      speed = static_cast<float>(speed * PercentAt(engine.scene.depth, FootLine(object)) / 100);
    object.x = object.x + timeFactor * object.dirX * speed;
    object.y = object.y + timeFactor * object.dirY * speed;
    if (Overshot(object)) {
      object.x = static_cast<float>(object.targetX);
      object.y = static_cast<float>(object.targetY);
    }
    if (object.autoAnimation) WalkWith(object);
    if (object.x == object.targetX && object.y == object.targetY) Arrive(engine, object);
  });
}

void FollowPath(Engine& engine, AdventureObject& object, const std::vector<WalkPoint>& path) {
  object.pathIndex = 1;
  object.followingPath = true;
  object.path = path;
  if (path.size() < 2) {
    // Nothing beyond the starting point: the walk is over before it began.
    object.followingPath = false;
    return;
  }
  HeadTowards(engine, object, path[1].x, path[1].y);
}

void ShowIdleAnimation(Engine& engine, AdventureObject& object) {
  if (std::fabs(object.dirY) < std::fabs(object.dirX)) {
    if (object.headingRight && StandWith(engine, object, kIdleRight)) return;
    if (object.headingLeft) StandWith(engine, object, kIdleLeft);
  } else {
    if (object.headingDown && StandWith(engine, object, kIdleDown)) return;
    if (object.headingUp) StandWith(engine, object, kIdleUp);
  }
}

void AutoFlipHero(Engine& engine, AdventureObject* object) {
  Guarded("Exception cateched in AutoFlipHero()\r\n", [&] {
    AdventureObject* hero = engine.cast.hero;
    if (!hero || !object) return;
    float referenceX = object->x;
    float referenceY = object->y;
    if (!object->area.empty()) {
      WalkPoint middle = OutlineMiddle(object->area);
      referenceX = static_cast<float>(middle.x);
      referenceY = static_cast<float>(middle.y);
    } else if (!object->hotspotPositioning) {
      if (!object->currentAnimation) throw std::runtime_error("no current animation to look at");
      referenceX += object->currentAnimation->hotspotX;
      referenceY += object->currentAnimation->hotspotY;
    }
    int dx = TruncateToInt(referenceX - hero->x);
    int dy = TruncateToInt(referenceY - hero->y);
    // Compared in 64 bits: the absolute value of the lowest int does not fit in one.
    long long absX = std::llabs(static_cast<long long>(dx));
    long long absY = std::llabs(static_cast<long long>(dy));
    if (absX >= absY) {  // a tie looks sideways
      if (dx >= 0) FaceWith(engine, *hero, kIdleRight, kMoveRight);
      else FaceWith(engine, *hero, kIdleLeft, kMoveLeft);
    } else {
      if (dy >= 0) FaceWith(engine, *hero, kIdleDown, kMoveDown);
      else FaceWith(engine, *hero, kIdleUp, kMoveUp);
    }
  });
}
