// An animation: a horizontal strip of equal frames in one image, with its play state.
#pragma once

#include <SDL/SDL.h>

#include <string>

#include "engine/image_ref.h"

enum AnimationMode { kLoop = 0, kOneShot = 1, kWhileWalking = 2, kWhileTalking = 3 };

struct Engine;

struct Animation {
  ImageRef image;                // the strip; an image of the registry
  int frameCount = 0;            // frames in the strip
  int currentFrame = 0;          // frame shown, 0-based
  int frameHeight = 0;           // height of every frame
  int frameWidth = 0;            // width of every frame
  int timeout = 0;               // ms of rest before an automatic replay
  Uint32 nextStart = 0;          // ticks of the next automatic replay; 0: not armed
  int frameRate = 0;             // frames per second
  bool autoRestart = false;      // replays itself as a one-shot after timeout
  bool playing = false;          // frames advance
  int mode = kLoop;              // AnimationMode
  int framesPlayed = 0;          // advances counted toward the end of a one-shot
  int hotspotX = 0;              // hotspot inside the frame, from its left edge
  int hotspotY = 0;              // hotspot inside the frame, from its top edge
  std::string imageAddress;      // address the image was loaded from
  double elapsed = 0.0;          // ms gathered toward the next frame
};

// One time step of the animation (timeFactor in seconds): automatic replay,
// frame advance by the frame time, and the end of its play mode.
void UpdateAnimation(Engine& engine, Animation& animation, double timeFactor, bool walking, bool talking);
// Next frame, wrapping to 0 after the last; counts toward the end of a one-shot.
void Advance(Animation& animation);
// Arms the automatic replay for timeout milliseconds from now.
void ArmTimeout(Engine& engine, Animation& animation);
// Milliseconds each frame stays; 0 when the animation has no frame rate and
// therefore never advances by itself.
int FrameTime(const Animation& animation);
