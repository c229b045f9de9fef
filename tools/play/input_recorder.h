// Records a player's inputs, frame by frame, as replay steps that play back the same.
#pragma once

#include <SDL/SDL.h>

#include <functional>
#include <string>
#include <vector>

struct Engine;

// An input handled in the frame after frame `frame` is replayed from the
// frame hook of frame `frame`: the player pushes it where the recorder saw it.
class InputRecorder {
 public:
  explicit InputRecorder(Engine& engine);
  ~InputRecorder();
  InputRecorder(const InputRecorder&) = delete;
  InputRecorder& operator=(const InputRecorder&) = delete;

  // From the frame hook. standIn, when set, acts at the window first (tests
  // play the person there); its input is recorded like anyone's.
  void AfterFrame(const std::function<void(Engine&)>& standIn);
  // The steps: moves, clicks, keys, closes with frame waits between them,
  // ending with "expect exit".
  std::string Steps() const;

 private:
  struct Noted {
    Uint32 frame;
    SDL_Event event;
  };
  static int Filter(const SDL_Event* event);
  void Note(const SDL_Event& event, Uint32 frame);

  Engine& engine_;
  std::vector<Noted> noted_;
  bool inHook_ = false;      // events posted now stay queued and are drained here
  bool filterOn_ = false;
};
