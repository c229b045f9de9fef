// Movement toward points and along paths, the standing animation, and facing.
#include <gtest/gtest.h>

#include "engine/engine.h"
#include "scene/movement.h"
#include "support/game_harness.h"

namespace {

// An object with an animation in every slot, so the choice of slot shows.
struct Walker {
  Engine engine;
  ManualClock clock;
  AdventureObject object;
  Animation slot[kSlotCount];
  explicit Walker(float speed = 100) {
    object.speed = speed;
    clock.Attach(engine);
    for (int i = 0; i < kSlotCount; ++i) {
      slot[i].frameRate = 10;
      slot[i].frameCount = 2;
      object.slots[i] = &slot[i];
      object.animations.Add("slot" + std::to_string(i), &slot[i]);
    }
  }
  ~Walker() { object.animations.Clear(); }  // the slots live here, not on the heap
  // Updates until the object stops; returns the number of updates.
  int Walk(float timeFactor, int limit = 100) {
    int steps = 0;
    while (object.moving && steps < limit) {
      UpdateObject(engine, object, timeFactor);
      ++steps;
    }
    return steps;
  }
  int Current() const { return static_cast<int>(object.currentAnimation - slot); }
};

TEST(Movement, ToTenFiveAtSpeedHundredEndsExactlyThereFacingRight) {
  Walker w(100);
  HeadTowards(w.engine, w.object, 10, 5);
  EXPECT_FLOAT_EQ(w.object.dirX, 1);
  EXPECT_FLOAT_EQ(w.object.dirY, 0.5f);
  UpdateObject(w.engine, w.object, 0.02f);
  EXPECT_NEAR(w.object.x, 2, 1e-4);
  EXPECT_NEAR(w.object.y, 1, 1e-4);
  w.Walk(0.02f);
  EXPECT_EQ(w.object.x, 10);
  EXPECT_EQ(w.object.y, 5);
  EXPECT_TRUE(w.object.headingRight && w.object.headingDown);
  EXPECT_FALSE(w.object.headingLeft || w.object.headingUp);
  EXPECT_EQ(w.Current(), kIdleRight);
  EXPECT_EQ(w.slot[kIdleRight].nextStart, w.clock.now);  // armed for its replay
}

TEST(Movement, AFastObjectSnapsOntoItsTargetInsteadOfOvershooting) {
  Walker w(300);
  HeadTowards(w.engine, w.object, 10, 0);
  UpdateObject(w.engine, w.object, 0.02f);
  EXPECT_NEAR(w.object.x, 6, 1e-4);
  EXPECT_EQ(w.Walk(0.02f), 1);
  EXPECT_EQ(w.object.x, 10);
}

TEST(Movement, ADiagonalTieWalksAndStandsVertically) {
  Walker w(100);
  w.object.autoAnimation = true;
  HeadTowards(w.engine, w.object, 10, 10);
  UpdateObject(w.engine, w.object, 0.02f);
  EXPECT_EQ(w.Current(), kMoveDown);
  EXPECT_TRUE(w.slot[kMoveDown].playing);
  EXPECT_EQ(w.slot[kMoveDown].mode, kWhileWalking);
  w.Walk(0.02f);
  EXPECT_EQ(w.Current(), kIdleDown);
  EXPECT_FALSE(w.slot[kMoveDown].playing);  // stopped in the arriving update
}

TEST(Movement, WithoutAutomaticAnimationOnlyTheArrivalChangesThePicture) {
  Walker w(100);
  w.object.currentAnimation = &w.slot[kIdleLeft];
  HeadTowards(w.engine, w.object, -10, 0);
  UpdateObject(w.engine, w.object, 0.02f);
  EXPECT_EQ(w.Current(), kIdleLeft);
  w.object.slots[kIdleLeft] = nullptr;
  w.object.currentAnimation = &w.slot[kMoveUp];
  w.Walk(0.02f);
  EXPECT_EQ(w.Current(), kMoveUp);  // no standing animation for the heading: unchanged
  w.object.speed = 0;
  HeadTowards(w.engine, w.object, 0, 0);
  EXPECT_EQ(w.Walk(0.02f, 10), 10);  // speed 0 never arrives
  EXPECT_TRUE(w.object.moving);
}

TEST(Movement, HeadingForTheOwnPositionArrivesAtOnceWithTheOldHeading) {
  Walker w(100);
  w.object.headingUp = true;
  w.object.x = w.object.y = 5;
  HeadTowards(w.engine, w.object, 5, 5);
  EXPECT_TRUE(w.object.moving);
  EXPECT_EQ(w.Walk(0.02f), 1);
  EXPECT_EQ(w.Current(), kIdleUp);
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
  w.engine.scene.hero = &w.object;
  AutoFlipHero(w.engine, nullptr);
  EXPECT_EQ(log.Text(), "");
  AutoFlipHero(w.engine, &thing);  // no picture to look at
  EXPECT_EQ(log.Text(), "Exception cateched in AutoFlipHero()\r\n");
  EXPECT_EQ(w.object.currentAnimation, nullptr);

  Animation picture;
  picture.hotspotX = 10;
  picture.hotspotY = 20;
  thing.currentAnimation = &picture;
  thing.x = 20;
  thing.y = 10;  // reference point (30, 30): 30 right and 30 below
  AutoFlipHero(w.engine, &thing);
  EXPECT_EQ(w.Current(), kIdleRight);
  thing.hotspotPositioning = true;
  thing.x = 0;
  thing.y = -50;
  AutoFlipHero(w.engine, &thing);
  EXPECT_EQ(w.Current(), kIdleUp);
  w.object.slots[kIdleLeft] = nullptr;
  w.slot[kMoveLeft].playing = false;
  thing.x = -5;
  thing.y = 0;
  AutoFlipHero(w.engine, &thing);
  EXPECT_EQ(w.Current(), kMoveLeft);  // the walking picture, not set playing
  EXPECT_FALSE(w.slot[kMoveLeft].playing);
  EXPECT_EQ(w.object.x, 0);
}

}  // namespace
