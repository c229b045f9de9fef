// Hops through saves: the game saved after a step, loaded into a fresh engine that plays on.
#include "play/save_hops.h"

#include <algorithm>
#include <cstdio>

#include "engine/engine.h"
#include "save/save_game.h"
#include "save/save_slots.h"

namespace {

const char kHopSlot[] = "play-hop";

void CopyScreen(SDL_Surface* screen, std::vector<Uint8>* pixels, int* pitch, bool toScreen) {
  if (!screen || SDL_LockSurface(screen) != 0) return;
  size_t size = static_cast<size_t>(screen->pitch) * screen->h;
  auto* at = static_cast<Uint8*>(screen->pixels);
  if (!toScreen) {
    pixels->assign(at, at + size);
    *pitch = screen->pitch;
  } else if (*pitch == screen->pitch && pixels->size() == size) {
    std::copy(pixels->begin(), pixels->end(), at);
  }
  SDL_UnlockSurface(screen);
}

}  // namespace

bool SaveHops::AfterSteps(Engine& engine, size_t stepsDone, std::string* reason) {
  // Where a wait or a script runs, a save could not hold the rest of it.
  bool atRest = engine.timing.nestedWaits == 0 && engine.script.nativeDepth == 0 && !engine.save.LoadPending();
  if (stepsDone == stepsAtLastHop_ || !engine.core.running || !atRest) return true;
  stepsAtLastHop_ = stepsDone;
  if (!SaveGameToSlot(engine, kHopSlot, "")) {
    *reason = "the game could not be saved for a hop (the lines before say why)";
    return false;
  }
  timing_ = engine.timing;
  SDL_GetMouseState(&pointerX_, &pointerY_);
  mouseX_ = engine.input.mouseX, mouseY_ = engine.input.mouseY;
  buttonHeld_ = engine.input.buttonPressed;
  heldX_ = engine.input.heldX, heldY_ = engine.input.heldY, heldSince_ = engine.input.heldSince;
  revealHeld_ = engine.input.revealHeld;
  CopyScreen(engine.core.screen, &shown_, &shownPitch_, false);
  queued_.clear();
  for (SDL_Event event; SDL_PeepEvents(&event, 1, SDL_GETEVENT, SDL_ALLEVENTS) > 0;) queued_.push_back(event);
  engine.core.running = false;
  phase_ = Phase::kStopped;
  loadAsked_ = false;
  return true;
}

bool SaveHops::DuringStart(Engine& engine, std::string* reason) {
  // A game that goes on from its newest save at start may have asked for this one itself.
  if (engine.save.pendingSlot == kHopSlot) loadAsked_ = true;
  if (loadAsked_) return true;
  loadAsked_ = true;
  if (RequestLoad(engine, kHopSlot)) return true;
  *reason = "the save of the hop did not load (the lines before say why)";
  return false;
}

bool SaveHops::BeforeFrame(Engine& engine, std::string* reason) {
  if (phase_ != Phase::kStarting) return true;
  if (!DuringStart(engine, reason)) return false;
  ApplyPendingLoad(engine);
  // Without hops the save folder would not hold it: the game finds what it left there.
  remove(SlotPath(engine, kHopSlot).c_str());
  TimingState& t = engine.timing;
  t.frameCounter = timing_.frameCounter;
  t.loopStartTicks = timing_.loopStartTicks;
  t.frameTicks = timing_.frameTicks;
  t.previousFrameTicks = timing_.previousFrameTicks;
  t.frameDelta = timing_.frameDelta;
  t.timeFactor = timing_.timeFactor;
  t.timeFactorSum = timing_.timeFactorSum;
  // The pointer goes back without a motion of its own: the fresh engine sees
  // exactly the input the closed one had yet to handle.
  SDL_WarpMouse(static_cast<Uint16>(pointerX_), static_cast<Uint16>(pointerY_));
  for (SDL_Event event; SDL_PeepEvents(&event, 1, SDL_GETEVENT, SDL_ALLEVENTS) > 0;) {
  }
  for (SDL_Event& event : queued_) SDL_PushEvent(&event);
  engine.input.mouseX = mouseX_, engine.input.mouseY = mouseY_;
  engine.input.buttonPressed = buttonHeld_;
  // Keys the player holds stay held, as they would for one who never left.
  engine.input.heldX = heldX_, engine.input.heldY = heldY_, engine.input.heldSince = heldSince_;
  engine.input.revealHeld = revealHeld_;
  CopyScreen(engine.core.screen, &shown_, &shownPitch_, true);
  phase_ = Phase::kPlaying;
  ++count_;
  return true;
}
