// Records a player's inputs, frame by frame, as replay steps that play back the same.
#include "play/input_recorder.h"

#include <sstream>

#include "engine/engine.h"
#include "util/key_names.h"
#include "play/replay_file.h"

namespace {

// SDL's event filter takes no context: one recorder at a time.
InputRecorder* activeRecorder = nullptr;

bool IsInput(Uint8 type) {
  return type == SDL_MOUSEMOTION || type == SDL_MOUSEBUTTONDOWN || type == SDL_MOUSEBUTTONUP ||
         type == SDL_KEYDOWN || type == SDL_QUIT;
}

}  // namespace

InputRecorder::InputRecorder(Engine& engine) : engine_(engine) { activeRecorder = this; }

InputRecorder::~InputRecorder() {
  if (filterOn_) SDL_SetEventFilter(nullptr);
  activeRecorder = nullptr;
}

// Events the window system posts while a frame reads the queue are handled in
// that frame; the filter sees them as they arrive (and SDL's own start-up
// clears any filter, so it is set from the first frame hook on).
int InputRecorder::Filter(const SDL_Event* event) {
  InputRecorder* self = activeRecorder;
  if (self && !self->inHook_) self->Note(*event, self->engine_.timing.frameCounter);
  return 1;
}

void InputRecorder::AfterFrame(const std::function<void(Engine&)>& standIn) {
  inHook_ = true;
  Uint32 frame = engine_.timing.frameCounter;
  if (!filterOn_) {
    filterOn_ = true;
    SDL_SetEventFilter(&InputRecorder::Filter);
    // A pointer that moved in the first frame, before the filter was set.
    if (engine_.input.mouseX != 0 || engine_.input.mouseY != 0) {
      SDL_Event motion = {};
      motion.type = motion.motion.type = SDL_MOUSEMOTION;
      motion.motion.x = static_cast<Uint16>(engine_.input.mouseX);
      motion.motion.y = static_cast<Uint16>(engine_.input.mouseY);
      Note(motion, frame);
    }
  }
  if (standIn) standIn(engine_);
  // What waits in the queue now is what the next frame handles.
  SDL_PumpEvents();
  std::vector<SDL_Event> queued;
  SDL_Event event;
  while (SDL_PeepEvents(&event, 1, SDL_GETEVENT, SDL_ALLEVENTS) > 0) queued.push_back(event);
  for (SDL_Event& waiting : queued) {
    Note(waiting, frame);
    SDL_PushEvent(&waiting);
  }
  inHook_ = false;
}

void InputRecorder::Note(const SDL_Event& event, Uint32 frame) {
  if (IsInput(event.type)) noted_.push_back({frame < 1 ? 1 : frame, event});
}

std::string InputRecorder::Steps() const {
  std::ostringstream out;
  Uint32 frame = 1;  // the first frame hook, where a replay's steps begin
  for (size_t i = 0; i < noted_.size(); ++i) {
    const Noted& noted = noted_[i];
    if (noted.frame > frame) out << "wait " << noted.frame - frame << " frames\n";
    frame = noted.frame;
    const SDL_Event& e = noted.event;
    switch (e.type) {
      case SDL_MOUSEMOTION:
        out << "move " << e.motion.x << " " << e.motion.y << "\n";
        break;
      case SDL_MOUSEBUTTONDOWN: {
        const Noted* next = i + 1 < noted_.size() ? &noted_[i + 1] : nullptr;
        bool click = next && next->frame == frame && next->event.type == SDL_MOUSEBUTTONUP &&
                     next->event.button.button == e.button.button;
        out << (click ? "click " : "mouse down ") << WordOfButton(e.button.button) << "\n";
        if (click) ++i;
        break;
      }
      case SDL_MOUSEBUTTONUP:
        out << "mouse up " << WordOfButton(e.button.button) << "\n";
        break;
      case SDL_KEYDOWN:
        out << "key " << NameOfKey(e.key.keysym.sym) << "\n";
        break;
      case SDL_QUIT:
        out << "close\n";
        break;
    }
  }
  out << "expect exit\n";
  return out.str();
}
