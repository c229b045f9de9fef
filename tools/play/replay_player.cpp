// Runs a replay's steps from the frame hook, inside nested frames too, and judges the run.
#include "play/replay_player.h"

#include <filesystem>

#include "engine/engine.h"
#include "core/input_events.h"
#include "save/save_game.h"

namespace {

bool EndsWith(const std::string& text, const std::string& end) {
  return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

}  // namespace

ReplayPlayer::ReplayPlayer(std::vector<Step> steps, const std::string& log, const std::string& screenshotDir,
                           int maxFrames)
    : steps_(std::move(steps)), log_(log), screenshotDir_(screenshotDir), maxFrames_(maxFrames) {}

void ReplayPlayer::AfterFrame(Engine& engine) {
  if (failed_) return;
  Uint32 frame = engine.timing.frameCounter;
  // Once the game is ending, the steps left read the log of the whole run.
  while (next_ < steps_.size() && engine.core.running) {
    if (!started_) {
      started_ = true;
      startFrame_ = frame;
      startTicks_ = engine.Ticks();
      clickMoved_ = false;
    }
    Outcome outcome = Run(steps_[next_], &engine);
    if (outcome == Outcome::kFailed) return FailRun(&steps_[next_], pendingReason_);
    if (outcome == Outcome::kBlocked) break;
    ++next_;
    started_ = false;
  }
  const Step* current = next_ < steps_.size() ? &steps_[next_] : nullptr;
  if (frame >= static_cast<Uint32>(maxFrames_)) {
    FailRun(current, "the frame budget of " + std::to_string(maxFrames_) + " frames is spent");
  } else if (!current && engine.core.running) {
    // Nothing could end the game any more: a replay says how it ends.
    FailRun(steps_.empty() ? nullptr : &steps_.back(),
            "the replay is over but the game goes on (end the replay with \"expect exit\")");
  }
}

void ReplayPlayer::AfterRun(int engineStatus) {
  if (failed_) return;
  if (engineStatus != 0) {
    return FailRun(nullptr, "the engine could not start the game (status " + std::to_string(engineStatus) + ")");
  }
  for (; next_ < steps_.size(); ++next_) {
    started_ = false;
    if (Run(steps_[next_], nullptr) != Outcome::kDone) return FailRun(&steps_[next_], pendingReason_);
  }
}

ReplayPlayer::Outcome ReplayPlayer::Run(const Step& step, Engine* engine) {
  bool logOnly = step.kind == StepKind::kExpect || step.kind == StepKind::kExpectNo ||
                 step.kind == StepKind::kWaitFor || step.kind == StepKind::kWaitForSpeech ||
                 step.kind == StepKind::kExpectExit;
  if (!engine && !logOnly) return Fail("the game ended before this step");
  int x = 0, y = 0;
  SDL_GetMouseState(&x, &y);
  Uint32 frames = engine ? engine->timing.frameCounter - startFrame_ : 0;
  switch (step.kind) {
    case StepKind::kMove:
      MovePointer(step.x, step.y);
      return Outcome::kDone;
    case StepKind::kClick:
      // A player's pointer rests on the spot before the click: hover is
      // worked out from the position of earlier frames.
      if (step.at && !clickMoved_ && (x != step.x || y != step.y)) {
        MovePointer(step.x, step.y);
        clickMoved_ = true;
        return Outcome::kBlocked;
      }
      PushClick(step.button, x, y);
      return Outcome::kDone;
    case StepKind::kMouseDown:
    case StepKind::kMouseUp:
      PushButton(step.kind == StepKind::kMouseDown ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP, step.button, x, y);
      return Outcome::kDone;
    case StepKind::kKey:
      PushKey(SDL_KEYDOWN, step.key, step.shift ? KMOD_LSHIFT : KMOD_NONE);
      return Outcome::kDone;
    case StepKind::kKeyUp:
      PushKey(SDL_KEYUP, step.key, KMOD_NONE);
      return Outcome::kDone;
    case StepKind::kPadDown:
    case StepKind::kPadUp:
      PushGamepadButton(step.kind == StepKind::kPadDown, static_cast<Uint8>(step.x));
      return Outcome::kDone;
    case StepKind::kPadStick:
      PushGamepadStick(static_cast<Sint16>(step.x), static_cast<Sint16>(step.y));
      return Outcome::kDone;
    case StepKind::kClose:
      PushQuit();
      return Outcome::kDone;
    case StepKind::kWaitFrames:
      return frames >= static_cast<Uint32>(step.count) ? Outcome::kDone : Outcome::kBlocked;
    case StepKind::kWaitMs:
      return engine->Ticks() - startTicks_ >= static_cast<Uint32>(step.count) ? Outcome::kDone : Outcome::kBlocked;
    case StepKind::kWaitFor: {
      Outcome found = FindText(step, engine != nullptr);
      if (found == Outcome::kBlocked && step.count > 0 && frames >= static_cast<Uint32>(step.count))
        return Fail("not in the log within " + std::to_string(step.count) + " frames");
      return found;
    }
    case StepKind::kWaitForSpeech: {
      Outcome found = FindSpeech(step, engine != nullptr);
      if (found == Outcome::kBlocked && step.count > 0 && frames >= static_cast<Uint32>(step.count))
        return Fail("no speech line held it within " + std::to_string(step.count) + " frames");
      return found;
    }
    case StepKind::kScreenshot: {
      std::error_code made;
      std::filesystem::create_directories(screenshotDir_, made);
      std::string path = screenshotDir_ + "/" + step.text + (EndsWith(step.text, ".bmp") ? "" : ".bmp");
      if (!engine->core.screen || SDL_SaveBMP(engine->core.screen, path.c_str()) != 0)
        return Fail("cannot write " + path);
      return Outcome::kDone;
    }
    case StepKind::kExpect:
    case StepKind::kExpectNo:
      return FindText(step, false);
    case StepKind::kSave:
      // A save holds no running script call: it waits for the top-level frame loop.
      if (engine->timing.nestedWaits > 0 || engine->script.nativeDepth > 0) return Outcome::kBlocked;
      return SaveGameToSlot(*engine, step.text, "") ? Outcome::kDone : Fail("the game was not saved");
    case StepKind::kLoad:
      return RequestLoad(*engine, step.text) ? Outcome::kDone : Fail("the save was not loaded");
    case StepKind::kExpectExit:
      if (!engine || !engine->core.running) return Outcome::kDone;
      if (step.count > 0 && frames >= static_cast<Uint32>(step.count))
        return Fail("the game still runs after " + std::to_string(step.count) + " frames");
      return Outcome::kBlocked;
  }
  return Fail("unknown step");
}

ReplayPlayer::Outcome ReplayPlayer::FindText(const Step& step, bool waiting) {
  if (step.kind == StepKind::kExpectNo)
    return log_.find(step.text) == std::string::npos ? Outcome::kDone : Fail("the text is in the log");
  size_t at = log_.find(step.text, step.sinceStart ? 0 : matchEnd_);
  if (at != std::string::npos) {
    if (!step.sinceStart) matchEnd_ = at + step.text.size();
    return Outcome::kDone;
  }
  if (waiting) return Outcome::kBlocked;
  if (step.kind == StepKind::kWaitFor) return Fail("not in the log when the game ended");
  return Fail(step.sinceStart || matchEnd_ == 0 ? "not in the log" : "not in the log after the previous match");
}

// Speech lines are searched after the one the previous wait for speech
// found: two waits for the same words wait for two lines.
ReplayPlayer::Outcome ReplayPlayer::FindSpeech(const Step& step, bool waiting) {
  for (size_t i = speechMatched_; i < speech_.size(); ++i) {
    if (speech_[i].find(step.text) == std::string::npos) continue;
    speechMatched_ = i + 1;
    return Outcome::kDone;
  }
  return waiting ? Outcome::kBlocked : Fail("no speech line held it when the game ended");
}

ReplayPlayer::Outcome ReplayPlayer::Fail(const std::string& reason) {
  pendingReason_ = reason;
  return Outcome::kFailed;
}

PlayFailure ReplayPlayer::Unfinished(const std::string& reason) const {
  const Step* step = next_ < steps_.size() ? &steps_[next_] : nullptr;
  return {step ? step->where : "", step ? step->line : "", reason, log_.size()};
}

void ReplayPlayer::FailRun(const Step* step, const std::string& reason) {
  failed_ = true;
  failure_ = {step ? step->where : "", step ? step->line : "", reason, log_.size()};
}
