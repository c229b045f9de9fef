// Hops through saves (quillon-play --reload-each-step): after every step at
// which no wait runs, the game is saved, its engine closed, and a fresh engine
// loads the save and plays on. Whatever a save loses then shows in the rest
// of the run: another story, other pictures.
#pragma once

#include <SDL/SDL.h>

#include <string>
#include <vector>

#include "engine/core_state.h"

struct Engine;

class SaveHops {
 public:
  // After the steps due at the end of a top-level frame. When a step was done
  // since the last hop and neither a wait nor a script runs, saves the game,
  // takes the player's hand (the pointer, input not yet handled), the frame
  // clock and the window's pixels off the engine, and stops it. False with the reason when the
  // game could not be saved.
  bool AfterSteps(Engine& engine, size_t stepsDone, std::string* reason);

  // The engine stopped for a hop: a fresh one is to go on.
  bool Stopped() const { return phase_ == Phase::kStopped; }
  void StartFresh() { phase_ = Phase::kStarting; }
  // The fresh engine runs its start-up: its frames belong to no step.
  bool Starting() const { return phase_ == Phase::kStarting; }

  // A frame of the start-up (Main waiting, say): asks for the save, which ends every wait.
  bool DuringStart(Engine& engine, std::string* reason);
  // Before the fresh engine's first frame: loads the save and gives the
  // player's hand, the frame clock and the window's pixels back, so the frame
  // that follows is the one the closed engine would have run.
  bool BeforeFrame(Engine& engine, std::string* reason);

  int Count() const { return count_; }

 private:
  enum class Phase { kPlaying, kStopped, kStarting };
  Phase phase_ = Phase::kPlaying;
  bool loadAsked_ = false;           // the fresh engine has the save pending or applied
  size_t stepsAtLastHop_ = 0;
  int count_ = 0;                    // hops completed
  TimingState timing_;               // the closed engine's frame clock
  int pointerX_ = 0, pointerY_ = 0;  // SDL's pointer
  int mouseX_ = 0, mouseY_ = 0;      // the pointer where the engine last saw it
  bool buttonHeld_ = false;          // a button went down and is not yet released
  int heldX_ = 0, heldY_ = 0;        // a direction held on the keys or a gamepad
  Uint32 heldSince_ = 0;
  bool revealHeld_ = false;          // the hotspot reveal held
  std::vector<SDL_Event> queued_;    // input pushed for the next frame, not yet handled
  std::vector<Uint8> shown_;         // the screen's pixels: where a frame draws nothing, the window keeps them
  int shownPitch_ = 0;
};
