// The frame loop, FrameStep and its frame limit, nested frames, and the waiting script functions.
#include <algorithm>

#include "core/browser.h"
#include "core/compose.h"
#include "core/frame_loop.h"
#include "core/input.h"
#include "engine/calm_game.h"
#include "engine/engine.h"
#include "engine/nested_frames.h"
#include "save/save_game.h"
#include "scene/movement.h"
#include "scene/object_lookup.h"
#include "script/script_args.h"
#include "script/script_host.h"
#include "ui/verbs.h"
#include "util/log.h"

void BetweenFrames(Engine& engine) {
  // The game is calm here: the saves the scripts asked for are written, then
  // a load is applied; the next click, script call or wait keeps the game
  // as it is now for an autosave.
  WritePendingSaves(engine);
  ApplyPendingLoad(engine);
  engine.save.calmSeen = true;
  engine.save.calmTaken = false;
}

void GameLoop(Engine& engine) {
  TimingState& t = engine.timing;
  Uint32 now = engine.Ticks();
  t.frameTicks = t.previousFrameTicks = t.loopStartTicks = now;
  while (engine.core.running) {
    BetweenFrames(engine);
    if (engine.core.loopHook) engine.core.loopHook(engine);
    FrameStep(engine);
  }
  WritePendingSaves(engine);
  SaveDueAutosave(engine);
  // Whole seconds only: the divisor is truncated before it becomes a double.
  Uint32 seconds = (t.frameTicks - t.loopStartTicks) / 1000;
  LogFormat("Average FPS = %f\r\n", t.frameCounter / static_cast<double>(seconds));
  LogFormat("Average TimeFactor = %f\r\n", t.timeFactorSum / t.frameCounter);
}

void UpdateScene(Engine& engine, double timeFactor) {
  auto& objects = engine.cast.objects;
  for (int i = 0; i < objects.Count(); ++i) {
    AdventureObject* object = objects.ValueAt(i);
    if (object->visible) UpdateObject(engine, *object, static_cast<float>(timeFactor));
  }
  if (!engine.frame.hover) UpdateSentence(engine, "");
}

namespace {

// With a frame limit, a frame starts no earlier than its slot: the engine
// sleeps the rest of the slot (once, never polling the clock). A frame that
// ran over its slot is followed at once, and the slots count on from there.
void AwaitFrameSlot(Engine& engine) {
  TimingState& t = engine.timing;
  int fps = engine.player.fps > 0 ? engine.player.fps : t.frameLimit;  // the player's --fps wins
  if (fps <= 0) {
    t.slotRate = 0;
    return;
  }
  Uint32 now = engine.Ticks();
  if (t.slotRate != fps) {
    t.slotRate = fps;
    t.slotAnchor = now;
    t.slotNumber = 0;
    return;
  }
  Uint64 next = t.slotNumber + 1;
  Uint32 due = t.slotAnchor + static_cast<Uint32>((next * 1000 + fps - 1) / fps);
  Sint32 early = static_cast<Sint32>(due - now);
  if (early < 0) {
    t.slotAnchor = now;
    t.slotNumber = 0;
    return;
  }
  if (early > 0) engine.clock.Sleep(static_cast<Uint32>(early));
  t.slotNumber = next;
}

}  // namespace

void FrameStep(Engine& engine) {
  AwaitFrameSlot(engine);
#ifdef __EMSCRIPTEN__
  // In a web page every frame, of the loop and of every nested wait, lets the browser run.
  HandBackToBrowser(engine);
#endif
  SortForDepth(engine);
  PresentAndCompose(engine);
  HandleEvents(engine);
  UpdateScene(engine, engine.timing.timeFactor);

  TimingState& t = engine.timing;
  Uint32 now = engine.Ticks();
  t.frameDelta = now - t.previousFrameTicks;
  t.previousFrameTicks = now;
  t.frameTicks = now;
  t.timeFactor = t.frameDelta * 0.001;
  t.timeFactorSum += t.timeFactor;
  ++t.frameCounter;
  if (engine.core.frameHook) engine.core.frameHook(engine);
  engine.frame = FrameState{};
}

namespace {

// A close request ends every wait at once, and the scripts waiting with it.
bool GivesWayToClose(Engine& engine) {
  if (!engine.input.closeRequested) return false;
  StopScripts(engine);
  return true;
}

}  // namespace

bool RunFramesUntil(Engine& engine, const std::function<bool()>& done, const NestedWait& wait) {
  KeepCalmGame(engine);
  struct Depth {
    int& waits;
    explicit Depth(int& w) : waits(++w) {}
    ~Depth() { --waits; }
  } depth(engine.timing.nestedWaits);
  // A close request or a pending load ends every wait: the frame loop then
  // shuts down, or applies the load before any further frame.
  if (GivesWayToClose(engine) || engine.save.LoadPending()) return false;
  if (wait.frameFirst) FrameStep(engine);
  for (;;) {
    if (GivesWayToClose(engine) || engine.save.LoadPending()) return false;
    if (done()) return true;
    if (const char* reason = wait.cannotEnd ? wait.cannotEnd() : nullptr) {
      LogFormat("%s: %s, %s\r\n", wait.who.c_str(), reason, wait.outcome);
      return false;
    }
    FrameStep(engine);
  }
}

int lua_SetFrameLimit(lua_State* L) {
  Engine& engine = EngineOf(L);
  GuardedCall(L, [&] { engine.timing.frameLimit = std::max(ArgInt(L, 1), 0); });
  return 0;
}

int lua_Wait(lua_State* L) {
  Engine& engine = EngineOf(L);
  GuardedCall(L, [&] {
    Uint32 end = engine.Ticks() + static_cast<Uint32>(ArgInt(L, 1));
    // A duration of 0 or below runs no frame, even where the addition wraps.
    if (ArgInt(L, 1) <= 0) return;
    RunFramesUntil(engine, [&] { return engine.Ticks() >= end; });
  });
  return 0;
}

namespace {

int FramesTheStripHolds(const Animation& animation) {
  if (animation.frameWidth <= 0) return 1;
  return animation.image->w / animation.frameWidth > 1 ? animation.image->w / animation.frameWidth : 1;
}

// Why a wait on this object can never end by itself, or null when it can.
const char* WaitCannotEnd(Engine& engine, const AdventureObject& object, const std::string& kind) {
  if ((kind == "WALKING" || kind == "ANIMATING") && object.moving) {
    // ANIMATING too: a walking animation plays as long as its object walks.
    const Animation* animation = object.currentAnimation;
    bool walkBound = kind == "WALKING" || (animation && animation->playing && animation->mode == kWhileWalking);
    if (walkBound && !object.visible) return "the object is hidden and cannot move";
    if (walkBound && object.speed == 0) return "the object has speed 0 and cannot arrive";
    if (walkBound && object.dirX == 0 && object.dirY == 0 && (object.x != object.targetX || object.y != object.targetY))
      return "the object was moved off a target it had reached and cannot arrive";
  }
  if (kind == "TALKING" && object.talking && !object.visible &&
      static_cast<Sint32>(engine.Ticks() - object.talkUntil) >= 0) {
    return "the object is hidden and its speech is over";
  }
  if (kind == "ANIMATING" && object.currentAnimation && object.currentAnimation->playing) {
    const Animation& animation = *object.currentAnimation;
    if (!object.visible) return "the object is hidden and does not animate";
    if (animation.mode == kLoop) return "the animation loops for ever";
    // A one-shot counts its frames to the end; more frames than its strip
    // holds is a script mistake (a count of millions), not a real animation.
    if (animation.mode == kOneShot && animation.image && animation.frameCount > FramesTheStripHolds(animation))
      return "the one-shot has more frames than its picture holds";
  }
  return nullptr;
}

}  // namespace

int lua_WaitFor(lua_State* L) {
  Engine& engine = EngineOf(L);
  TimingState& t = engine.timing;
  bool cursorWasVisible = engine.view.cursorVisible;
  GuardedCall(L, [&] {
    std::string name = ArgString(L, 1);
    std::string kind = ArgString(L, 2);
    t.waiting = true;
    t.waitKind = kind;
    t.waitObject = FindObject(engine, name);
    engine.input.interactive = false;
    engine.view.cursorVisible = false;
    AdventureObject* object = t.waitObject;
    if (!object) throw std::runtime_error("no such object");
    if (kind != "WALKING" && kind != "TALKING" && kind != "ANIMATING") {
      static const char* const kKinds[] = {"WALKING", "TALKING", "ANIMATING"};
      DiagnoseWord(engine, "wait kind", kind, kKinds);
      // Nothing could ever end such a wait.
      LogFormat("WaitFor(%s): unknown kind <<%s>>, not waiting\r\n", name.c_str(), kind.c_str());
      return;
    }
    if (kind == "ANIMATING" && !object->currentAnimation) throw std::runtime_error("no current animation");
    NestedWait wait;
    wait.who = "WaitFor(" + name + "," + kind + ")";
    wait.cannotEnd = [&] { return WaitCannotEnd(engine, *object, kind); };
    wait.frameFirst = true;
    RunFramesUntil(
        engine,
        [&] {
          // A WaitFor inside an event of this one's frames ends this one too.
          if (!t.waiting) return true;
          if (kind == "WALKING") return !object->moving;
          if (kind == "TALKING") return !object->talking;
          return !object->currentAnimation || !object->currentAnimation->playing;
        },
        wait);
  });
  t.waiting = false;
  if (!engine.input.decisionMode) engine.input.interactive = true;
  engine.view.cursorVisible = cursorWasVisible;
  return 0;
}
