// Runs a replay's steps from the frame hook, inside nested frames too, and judges the run.
#pragma once

#include <string>
#include <vector>

#include "play/replay_file.h"

struct Engine;

struct PlayFailure {
  std::string where;   // FILE:LINE of the step, or empty for the run as a whole
  std::string step;    // the step as written
  std::string reason;
  size_t logLength = 0;  // the log up to here is shown with the failure
};

class ReplayPlayer {
 public:
  // log is the run's whole log so far, read at every step; maxFrames bounds the run.
  ReplayPlayer(std::vector<Step> steps, const std::string& log, const std::string& screenshotDir,
               int maxFrames);

  // Runs every step that is due after the frame just completed.
  void AfterFrame(Engine& engine);
  // After the engine returned: the remaining steps that only read the log.
  void AfterRun(int engineStatus);

  // A speech line has started (SayText): wait for speech steps look for it.
  void NoteSpeech(const std::string& text) { speech_.push_back(text); }

  // Fails the run at the step running or due (a strict run's first diagnostic).
  void FailHere(const std::string& reason) { FailRun(next_ < steps_.size() ? &steps_[next_] : nullptr, reason); }
  // The failure of a run that ends now, unfinished: the step it was at, the log so far.
  PlayFailure Unfinished(const std::string& reason) const;

  bool Failed() const { return failed_; }
  const PlayFailure& Failure() const { return failure_; }
  size_t StepsDone() const { return next_; }

 private:
  enum class Outcome { kDone, kBlocked, kFailed };
  Outcome Run(const Step& step, Engine* engine);
  Outcome Fail(const std::string& reason);
  Outcome FindText(const Step& step, bool waiting);
  Outcome FindSpeech(const Step& step, bool waiting);
  void FailRun(const Step* step, const std::string& reason);

  std::vector<Step> steps_;
  const std::string& log_;
  std::string screenshotDir_;
  int maxFrames_;

  size_t next_ = 0;              // the step running or due
  bool started_ = false;         // steps_[next_] has begun
  Uint32 startFrame_ = 0;        // frame counter when it began
  Uint32 startTicks_ = 0;        // game time when it began
  bool clickMoved_ = false;      // a positioned click has moved the pointer
  size_t matchEnd_ = 0;          // the log after the last expect or wait for match
  std::vector<std::string> speech_;  // every speech line started so far, in order
  size_t speechMatched_ = 0;     // the speech lines after the last wait for speech match begin here
  std::string pendingReason_;
  bool failed_ = false;
  PlayFailure failure_;
};
