// The animation's play state over time: frame advance, play modes, automatic replay.
#include "scene/animation.h"

#include "engine/engine.h"

int FrameTime(const Animation& animation) {
  return animation.frameRate > 0 ? 1000 / animation.frameRate : 0;
}

void Advance(Animation& animation) {
  long long next = static_cast<long long>(animation.currentFrame) + 1;  // SetFrame may have put any number here
  animation.currentFrame = next < animation.frameCount ? static_cast<int>(next) : 0;
  if (animation.framesPlayed < 2147483647) ++animation.framesPlayed;
}

void ArmTimeout(Engine& engine, Animation& animation) {
  animation.nextStart = engine.Ticks() + static_cast<Uint32>(animation.timeout);
}

void UpdateAnimation(Engine& engine, Animation& animation, double timeFactor, bool walking, bool talking) {
  Uint32 now = engine.Ticks();
  if (!animation.playing && animation.autoRestart && animation.nextStart != 0 && animation.nextStart <= now) {
    animation.playing = true;
    animation.mode = kOneShot;
    animation.framesPlayed = 0;
  }
  if (!animation.playing) return;
  animation.elapsed += timeFactor * 1000.0;
  if (animation.frameRate > 0) {
    // Whole milliseconds: 3 frames per second hold each frame 333 ms.
    if (FrameTime(animation) <= animation.elapsed) {
      Advance(animation);
      animation.elapsed = 0;
    }
  }
  switch (animation.mode) {
    case kOneShot:
      // Without a frame rate a one-shot could never reach its end: it is a
      // still picture whose single showing is over at once.
      if (animation.framesPlayed >= animation.frameCount || animation.frameRate <= 0) {
        animation.playing = false;
        if (animation.autoRestart) ArmTimeout(engine, animation);
      }
      break;
    case kWhileWalking:
      if (!walking) animation.playing = false;
      break;
    case kWhileTalking:
      if (!talking) animation.playing = false;
      break;
    default:
      break;
  }
}
