// Movement toward points and along paths, the standing animation, and facing.
#include <gtest/gtest.h>

#include <algorithm>

#include <tuple>

#include "engine/engine.h"
#include "scene/movement.h"
#include "support/game_harness.h"

namespace {

// An object with an animation in every slot, so the choice of slot shows.
struct Walker {
  Engine engine;
  ManualClock clock;
  AdventureObject object;
  Animation* slot[kSlotCount] = {};
  explicit Walker(float speed = 100) {
    object.speed = speed;
    clock.Attach(engine);
    for (int i = 0; i < kSlotCount; ++i) {
      slot[i] = object.animations.Add("slot" + std::to_string(i), MakeOwned<Animation>());
      slot[i]->frameRate = 10;
      slot[i]->frameCount = 2;
      object.slots[i] = slot[i];
    }
  }
  // Updates until the object stops; returns the number of updates.
  int Walk(float timeFactor, int limit = 100) {
    int steps = 0;
    while (object.moving && steps < limit) {
      UpdateObject(engine, object, timeFactor);
      ++steps;
    }
    return steps;
  }
  int Current() const { return static_cast<int>(std::find(slot, slot + kSlotCount, object.currentAnimation) - slot); }
};

TEST(Movement, ObjectsArriveExactlyAndStandFacingTheWayTheyWent) {
  const struct {
    float speed;
    WalkPoint from, to;
    bool autoAnimation;
    float firstX, firstY;  // after the first update of 20 ms
    int updates;           // until the arrival
    int walking, standing;  // slots shown (walking: with automatic animation only)
  } cases[] = {
      {100, {0, 0}, {10, 5}, false, 2, 1, 5, -1, kIdleRight},
      {300, {0, 0}, {10, 0}, false, 6, 0, 2, -1, kIdleRight},  // a fast object snaps on instead of overshooting
      {100, {0, 0}, {10, 10}, true, 2, 2, 5, kMoveDown, kIdleDown},  // a diagonal tie walks and stands vertically
      {100, {5, 5}, {5, 5}, false, 5, 5, 1, -1, kIdleUp},  // its own position: at once, with the old heading
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "to " << c.to.x << "," << c.to.y << " at speed " << c.speed);
    Walker w(c.speed);
    w.object.autoAnimation = c.autoAnimation;
    w.object.headingUp = true;
    w.object.currentAnimation = w.slot[kIdleLeft];
    w.object.x = c.from.x;
    w.object.y = c.from.y;
    HeadTowards(w.engine, w.object, c.to.x, c.to.y);
    EXPECT_TRUE(w.object.moving);
    UpdateObject(w.engine, w.object, 0.02f);
    EXPECT_NEAR(w.object.x, c.firstX, 1e-4);
    EXPECT_NEAR(w.object.y, c.firstY, 1e-4);
    if (c.updates > 1) EXPECT_EQ(w.Current(), c.walking >= 0 ? c.walking : kIdleLeft);  // only the arrival changes it
    if (c.walking >= 0) EXPECT_TRUE(w.slot[c.walking]->playing && w.slot[c.walking]->mode == kWhileWalking);
    EXPECT_EQ(1 + w.Walk(0.02f), c.updates);
    EXPECT_EQ(std::pair(w.object.x, w.object.y), std::pair(float(c.to.x), float(c.to.y)));
    EXPECT_EQ(w.Current(), c.standing);
    EXPECT_EQ(w.slot[c.standing]->nextStart, w.clock.now);  // armed for its replay
    if (c.walking >= 0) EXPECT_FALSE(w.slot[c.walking]->playing);  // stopped in the arriving update
  }
}

TEST(Movement, WithoutAStandingAnimationForTheHeadingThePictureStaysAndSpeedZeroNeverArrives) {
  Walker w(100);
  w.object.slots[kIdleLeft] = nullptr;
  w.object.currentAnimation = w.slot[kMoveUp];
  HeadTowards(w.engine, w.object, -10, 0);
  w.Walk(0.02f);
  EXPECT_EQ(w.Current(), kMoveUp);  // no standing animation for the heading: unchanged
  w.object.speed = 0;
  HeadTowards(w.engine, w.object, 0, 0);
  EXPECT_EQ(w.Walk(0.02f, 10), 10);  // speed 0 never arrives
}

TEST(Movement, APathSkipsItsStartAndStopsAtItsLastPoint) {
  Walker w(1000);
  w.object.x = w.object.y = 50;
  FollowPath(w.engine, w.object, {{0, 0}, {50, 100}, {100, 100}});
  EXPECT_EQ(w.object.targetX, 50);
  EXPECT_EQ(w.object.targetY, 100);
  std::vector<WalkPoint> reached;
  while (w.object.moving) {
    WalkPoint before{w.object.targetX, w.object.targetY};
    UpdateObject(w.engine, w.object, 0.01f);
    if (w.object.x == before.x && w.object.y == before.y) reached.push_back(before);
  }
  EXPECT_EQ(reached, (std::vector<WalkPoint>{{50, 100}, {100, 100}}));
  EXPECT_FALSE(w.object.followingPath);
  EXPECT_EQ(w.Current(), kIdleRight);
}

TEST(Movement, AutoFlipHeroCountsATieAsSidewaysAndNeedsSomethingToLookAt) {
  Walker w;
  LogCapture log;
  AdventureObject thing;
  AutoFlipHero(w.engine, &thing);  // no hero: nothing
  w.engine.cast.hero = &w.object;
  AutoFlipHero(w.engine, nullptr);
  EXPECT_EQ(log.Text(), "");
  AutoFlipHero(w.engine, &thing);  // no picture to look at
  EXPECT_EQ(log.Text(), "Exception cateched in AutoFlipHero()\r\n");
  EXPECT_EQ(w.object.currentAnimation, nullptr);

  Animation picture;
  picture.hotspotX = 10;
  picture.hotspotY = 20;
  thing.currentAnimation = &picture;
  w.object.slots[kIdleLeft] = nullptr;
  w.slot[kMoveLeft]->playing = false;
  // The point looked at: the picture's corner plus its hotspot, or the hotspot where the object stands.
  for (auto [byHotspot, x, y, shows] : {std::tuple{false, 20, 10, kIdleRight},  // (30, 30): a tie counts as sideways
                                        {true, 0, -50, kIdleUp},
                                        {true, -5, 0, kMoveLeft}}) {  // no standing picture: the walking one
    thing.hotspotPositioning = byHotspot;
    thing.x = x;
    thing.y = y;
    AutoFlipHero(w.engine, &thing);
    EXPECT_EQ(w.Current(), shows) << x << "," << y;
  }
  EXPECT_FALSE(w.slot[kMoveLeft]->playing);  // shown, not set playing
  EXPECT_EQ(w.object.x, 0);
}

}  // namespace
