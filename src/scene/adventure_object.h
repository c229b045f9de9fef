// Adventure objects: the hero, characters, items and hotspots of a scene.
#pragma once

#include <SDL/SDL.h>

#include <string>
#include <vector>

#include "engine/image_ref.h"
#include "scene/animation.h"
#include "util/registry.h"

struct WalkPoint {
  int x = 0;
  int y = 0;
  bool operator==(const WalkPoint& o) const { return x == o.x && y == o.y; }
};

// Slots of the walking and standing animations, in slot order.
enum AnimationSlot {
  kMoveLeft, kMoveRight, kMoveUp, kMoveDown,
  kIdleLeft, kIdleRight, kIdleUp, kIdleDown,
  kSlotCount
};

// Whether an object is drawn at the scale of its foot line once the scene
// sets a scale by depth: the hero is unless told otherwise, others when told.
enum DepthScaling : unsigned char { kScaledIfHero, kScaledAlways, kScaledNever };

struct AdventureObject {
  std::string name;              // display name in the sentence and walk messages
  std::string speechText;        // text being spoken
  float x = 0;                   // scene x of the reference point
  float y = 0;                   // scene y of the reference point
  float dirX = 0;                // heading vector; the dominant component is +-1
  float dirY = 0;
  int targetX = 0;               // point being headed for
  int targetY = 0;
  int walkToX = -1;              // where the hero stands to act on this object
  int walkToY = -1;              // (-1, -1): none
  std::string walkToPlace;       // the script line that set the walk-to position, with diagnostics on
  int textBoxX = 0;              // fixed speech box position, screen pixels
  int textBoxY = 0;
  bool textBoxAuto = true;       // speech box follows the object
  bool visible = false;          // updated, drawn, hoverable, clickable
  bool moving = false;           // heading for a target point
  bool followingPath = false;    // moving along path
  bool singleUse = true;         // USE acts on this object alone
  int pathIndex = 0;             // waypoint being headed for
  bool talking = false;          // speech is running
  bool hotspotPositioning = false;  // x, y denote the current animation's hotspot
  Uint32 talkUntil = 0;          // ticks when the speech ends
  int textColor = 0;             // colour row of the talk font
  float speed = 0;               // pixels per second along the dominant axis
  bool colorKeyOverride = false; // hit test by frame rectangle, not pixels
  bool passesClicks = false;     // hover and clicks go to what lies behind
  DepthScaling depthScaling = kScaledIfHero;
  std::vector<WalkPoint> area;   // an area's corners in scene pixels: hit by this outline, never drawn; empty for none
  bool headingUp = false;        // signs of the last heading vector
  bool headingDown = false;
  bool headingLeft = false;
  bool headingRight = false;
  Registry<Animation> animations;       // by animation name
  Animation* currentAnimation = nullptr;  // drawn and hit-tested
  bool autoAnimation = false;    // movement picks the MOVE slot animations
  Animation* slots[kSlotCount] = {};     // references into animations
  std::vector<WalkPoint> path;   // waypoints being followed
  ImageRef inventoryIcon;        // an image of the registry
};
