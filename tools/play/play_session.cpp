// One run of a game under quillon-play: a replay played headless, or a player recorded.
#include "play/play_session.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <vector>

#include "engine/engine.h"
#include "core/startup.h"
#include "play/input_recorder.h"
#include "play/replay_file.h"
#include "play/replay_player.h"
#include "play/save_hops.h"
#include "util/log.h"

namespace fs = std::filesystem;

namespace {

const int kDefaultMsPerFrame = 20;
const int kDefaultMaxFrames = 50000;
const int kLogLinesShown = 20;

// Game time moves only at the end of a frame, by the same step every frame,
// so a replay meets the game in the same state on every run.
struct FrameClock {
  Uint32 now = 0;
  void Attach(Engine& engine) {
    engine.clock.context = this;
    engine.clock.source = [](void* self) { return static_cast<FrameClock*>(self)->now; };
  }
};

// The run's log, kept for the steps and mirrored to the tool's streams.
class LogBook {
 public:
  LogBook(std::ostream& out, std::ostream& err, bool quiet) {
    previousOut_ = SetLogSink([this, &out, quiet](std::string_view text) {
      text_.append(text);
      if (!quiet) out.write(text.data(), static_cast<std::streamsize>(text.size()));
    });
    previousErr_ = SetErrorSink([this, &err](std::string_view text) {
      text_.append(text);
      err.write(text.data(), static_cast<std::streamsize>(text.size()));
    });
  }
  ~LogBook() {
    SetLogSink(std::move(previousOut_));
    SetErrorSink(std::move(previousErr_));
  }
  const std::string& Text() const { return text_; }

 private:
  std::string text_;
  LogSink previousOut_, previousErr_;
};

// Unless QUILLON_SAVE_DIR names one, a run's saves go to a folder of its
// own, made empty and removed afterwards: a replay meets no saves of the
// player's, nor of an earlier run.
class FreshSaveFolder {
 public:
  FreshSaveFolder() {
    if (getenv("QUILLON_SAVE_DIR")) {
      chosen_ = true;
      return;
    }
    std::string pattern = (fs::temp_directory_path() / "quillon-play-saves-XXXXXX").string();
    if (mkdtemp(pattern.data())) folder_ = pattern;
    else folder_ = pattern.substr(0, pattern.size() - 6) + std::to_string(getpid());
    setenv("QUILLON_SAVE_DIR", folder_.c_str(), 1);
  }
  ~FreshSaveFolder() {
    if (chosen_) return;
    unsetenv("QUILLON_SAVE_DIR");
    std::error_code ignored;
    fs::remove_all(folder_, ignored);
  }

 private:
  fs::path folder_;
  bool chosen_ = false;
};

class InFolder {
 public:
  explicit InFolder(const fs::path& folder) : previous_(fs::current_path()) { fs::current_path(folder); }
  ~InFolder() {
    std::error_code ignored;
    fs::current_path(previous_, ignored);
  }

 private:
  fs::path previous_;
};

void PrintFailure(const PlayFailure& failure, const std::string& log, std::ostream& err) {
  err << "quillon-play: FAILED";
  if (!failure.where.empty()) err << " at " << failure.where << ": " << failure.step;
  err << "\n  " << failure.reason << "\n";
  std::vector<std::string> lines;
  std::istringstream text(log.substr(0, failure.logLength));
  for (std::string line; std::getline(text, line);) {
    while (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  size_t first = lines.size() > kLogLinesShown ? lines.size() - kLogLinesShown : 0;
  err << "last " << lines.size() - first << " log lines:\n";
  for (size_t i = first; i < lines.size(); ++i) err << "  | " << lines[i] << "\n";
}

// A script error that no protected call can take ends the process from inside
// the engine; the run in progress reports where it was on the way out.
struct RunInProgress {
  const ReplayPlayer* player = nullptr;
  const LogBook* log = nullptr;
  std::ostream* err = nullptr;
};

RunInProgress& Running() {
  static RunInProgress run;
  return run;
}

void ReportUnfinishedRun() {
  RunInProgress& run = Running();
  if (!run.player) return;
  PrintFailure(run.player->Unfinished("the game ended the process (the lines before say why)"), run.log->Text(),
               *run.err);
  run.err->flush();
}

// Fails a strict run at its first diagnostic.
void CheckStrict(const PlayOptions& options, ReplayPlayer& player, const Engine& engine) {
  if (options.strict && !player.Failed() && engine.script.diagnosticCount > 0)
    player.FailHere("a diagnostic (--strict): " + engine.script.firstDiagnostic);
}

// Where the run's files are, made absolute before the game's folder becomes the working directory.
struct RunFiles {
  fs::path game, replay, screenshots, record;
};

bool FindFiles(const PlayOptions& options, Replay* replay, RunFiles* files, std::ostream& err) {
  fs::path target = fs::absolute(options.target);
  bool targetIsReplay = !fs::is_directory(target);
  if (targetIsReplay && (!options.replay.empty() || !options.record.empty())) {
    err << "quillon-play: " << options.target << " is no game folder\n";
    return false;
  }
  if (targetIsReplay) files->replay = target;
  else if (!options.replay.empty()) files->replay = fs::absolute(options.replay);
  if (!files->replay.empty()) {
    std::ifstream in(files->replay, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    std::string error;
    if (!in) {
      err << "quillon-play: cannot read " << files->replay.string() << "\n";
      return false;
    }
    if (!ParseReplay(text.str(), files->replay.string(), replay, &error)) {
      err << "quillon-play: " << error << "\n";
      return false;
    }
  }
  if (!targetIsReplay) files->game = target;
  else files->game = (files->replay.parent_path() / replay->gameFolder).lexically_normal();
  if (!fs::is_directory(files->game)) {
    err << "quillon-play: no game folder " << files->game.string() << "\n";
    return false;
  }
  files->screenshots = fs::absolute(options.screenshotDir.empty() ? "screenshots" : options.screenshotDir);
  if (!options.record.empty()) files->record = fs::absolute(options.record);
  return true;
}

bool WriteRecording(const RunFiles& files, int msPerFrame, const std::string& steps, std::ostream& err) {
  std::ofstream out(files.record, std::ios::binary);
  out << "# A player's inputs, recorded by quillon-play --record.\n";
  fs::path game = files.game.lexically_relative(files.record.parent_path());
  if (game != ".") out << "game " << game.generic_string() << "\n";
  if (msPerFrame != kDefaultMsPerFrame) out << "ms-per-frame " << msPerFrame << "\n";
  out << steps;
  if (!out.flush()) {
    err << "quillon-play: cannot write " << files.record.string() << "\n";
    return false;
  }
  return true;
}

}  // namespace

int RunPlaySession(const PlayOptions& options, std::ostream& out, std::ostream& err) {
  Replay replay;
  RunFiles files;
  if (!FindFiles(options, &replay, &files, err)) return 2;
  bool recording = !files.record.empty();
  int msPerFrame = options.msPerFrame ? options.msPerFrame : replay.msPerFrame ? replay.msPerFrame : kDefaultMsPerFrame;
  int maxFrames = options.maxFrames ? options.maxFrames : kDefaultMaxFrames;
  if (files.replay.empty()) {
    // A game folder alone passes when the game ends by itself.
    Step end{};
    end.kind = StepKind::kExpectExit;
    end.line = "expect exit";
    replay.steps.push_back(end);
  }
  if (!recording) {
    // Playback needs neither a window nor a sound device.
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
  }

  FreshSaveFolder saves;
  FrameClock clock;
  LogBook log(out, err, options.quiet);
  ReplayPlayer player(replay.steps, log.Text(), files.screenshots.string(), maxFrames);
  SaveHops hops;
  std::unique_ptr<Engine> engine;
  std::unique_ptr<InputRecorder> recorder;
  Uint32 realStart = 0;
  bool paced = false, pacingKnown = false;

  auto afterFrame = [&](Engine& e) {
    if (hops.Starting()) {
      // A fresh engine's start-up: no game time passes, no step is due.
      std::string reason;
      if (!hops.DuringStart(e, &reason)) player.FailHere(reason);
      if (player.Failed()) e.core.running = false;
      return;
    }
    clock.now += static_cast<Uint32>(msPerFrame);
    if (recorder) {
      recorder->AfterFrame(options.standIn);
      if (!pacingKnown) {
        char driver[32] = "";
        pacingKnown = true;
        realStart = SDL_GetTicks();
        paced = SDL_VideoDriverName(driver, sizeof driver) && std::string(driver) != "dummy";
      }
      // A person plays in real time: frames wait until the wall clock catches up with game time.
      Uint32 real = SDL_GetTicks() - realStart;
      if (paced && real < clock.now) SDL_Delay(clock.now - real);
      return;
    }
    if (player.Failed()) {
      // The failure cleared the running flag, yet a frame ran: a nested loop
      // that looks at no flag holds the game and may never return.
      PrintFailure(player.Failure(), log.Text(), err);
      out.flush();
      err.flush();
      fflush(stdout);
      fflush(stderr);
      _exit(1);
    }
    if (options.everyFrame) options.everyFrame(e);
    CheckStrict(options, player, e);
    if (!player.Failed()) player.AfterFrame(e);
    std::string reason;
    if (!player.Failed() && options.reloadEachStep && player.StepsDone() < replay.steps.size() &&
        !hops.AfterSteps(e, player.StepsDone(), &reason))
      player.FailHere(reason);
    if (player.Failed()) e.core.running = false;
  };
  // Speech is drawn, never logged: the tool says what is said, beside its
  // verdict. A fresh engine's start-up for a hop is no part of the play.
  auto heard = [&](const std::string& id, const std::string& text) {
    if (hops.Starting()) return;
    player.NoteSpeech(text);
    err << "speech: " << id << ": " << QuotedText(text) << "\n";
  };
  auto beforeFrame = [&](Engine& e) {
    std::string reason;
    if (!player.Failed() && !hops.BeforeFrame(e, &reason)) player.FailHere(reason);
    if (player.Failed()) e.core.running = false;
  };

  int status;
  do {
    if (hops.Stopped()) hops.StartFresh();
    engine.reset();
    engine = std::make_unique<Engine>();
    engine->script.diagnostics = options.strict;
    clock.Attach(*engine);
    if (recording) recorder = std::make_unique<InputRecorder>(*engine);
    engine->core.frameHook = afterFrame;
    engine->core.speechHook = heard;
    if (options.reloadEachStep) engine->core.loopHook = beforeFrame;
    InFolder inGame(files.game);
    static bool reportAtExit = atexit(ReportUnfinishedRun) == 0;
    (void)reportAtExit;
    if (!recording) Running() = {&player, &log, &err};
    status = RunEngine(*engine);
    Running() = {};
  } while (hops.Stopped());
  if (hops.Starting() && !player.Failed()) player.FailHere("the fresh engine ended before it loaded the save");
  engine->core.frameHook = nullptr;
  engine->core.loopHook = nullptr;
  engine->core.speechHook = nullptr;
  if (options.finished) options.finished(*engine);

  if (recording) {
    if (status != 0) {
      err << "quillon-play: the engine could not start the game (status " << status << ")\n";
      return 1;
    }
    if (!WriteRecording(files, msPerFrame, recorder->Steps(), err)) return 1;
    err << "quillon-play: recorded " << engine->timing.frameCounter << " frames into " << files.record.string()
        << "\n";
    return 0;
  }
  CheckStrict(options, player, *engine);
  player.AfterRun(status);
  if (player.Failed()) {
    PrintFailure(player.Failure(), log.Text(), err);
    return 1;
  }
  err << "quillon-play: passed: " << player.StepsDone() << " steps, " << engine->timing.frameCounter << " frames";
  if (options.reloadEachStep) err << ", " << hops.Count() << " reloads";
  err << "\n";
  return 0;
}
