// The pointer by keyboard and gamepad.
#include "core/pointer_keys.h"

#include <algorithm>

#include "core/input_events.h"
#include "engine/engine.h"

namespace {

constexpr int kRowHeight = 8;         // spots whose y lie this close read as one row
constexpr Sint16 kStickDeadZone = 8000;  // a stick at rest reports small values
constexpr Uint32 kSlowFor = 300;      // ms a held direction moves slowly, for fine placing
constexpr int kSlowStep = 2, kFastestStep = 12;  // pixels a frame
enum GamepadButton { kButtonA = 0, kButtonY = 3, kShoulderLeft = 4, kShoulderRight = 5 };

bool ReadsBefore(const PointerSpot& a, const PointerSpot& b) {
  if (a.y / kRowHeight != b.y / kRowHeight) return a.y < b.y;
  return a.x < b.x;
}

// Puts the pointer there, as the system's pointer would be: the motion event
// reaches the engine in window pixels, like a mouse's.
void PointAt(Engine& engine, int x, int y) {
  x = std::clamp(x, 0, std::max(engine.core.screenWidth - 1, 0));
  y = std::clamp(y, 0, std::max(engine.core.screenHeight - 1, 0));
  const int scale = engine.window.surface ? engine.window.scale : 1;
  MovePointer(x * scale, y * scale);
  engine.input.mouseX = x;
  engine.input.mouseY = y;
}

void ClickHere(Engine& engine) {
  const int scale = engine.window.surface ? engine.window.scale : 1;
  PushClick(SDL_BUTTON_LEFT, engine.input.mouseX * scale, engine.input.mouseY * scale);
}

// To the next (or previous) spot after the pointer in reading order, round the end.
void Step(Engine& engine, bool forward) {
  std::vector<PointerSpot> spots = SpotsInReadingOrder(engine);
  if (spots.empty()) return;
  PointerSpot here{engine.input.mouseX, engine.input.mouseY, ""};
  const PointerSpot* chosen = nullptr;
  if (forward) {
    auto next = std::find_if(spots.begin(), spots.end(), [&](const PointerSpot& s) { return ReadsBefore(here, s); });
    chosen = next == spots.end() ? &spots.front() : &*next;
  } else {
    auto before = std::find_if(spots.rbegin(), spots.rend(), [&](const PointerSpot& s) { return ReadsBefore(s, here); });
    chosen = before == spots.rend() ? &spots.back() : &*before;
  }
  PointAt(engine, chosen->x, chosen->y);
}

void Hold(Engine& engine, int x, int y) {
  InputState& in = engine.input;
  if ((x || y) && !in.heldX && !in.heldY) in.heldSince = engine.Ticks();
  in.heldX = x, in.heldY = y;
  if (x || y) PointAt(engine, in.mouseX + x * kSlowStep, in.mouseY + y * kSlowStep);
}

bool HandleKeyEvent(Engine& engine, const SDL_KeyboardEvent& key) {
  const bool down = key.type == SDL_KEYDOWN;
  InputState& in = engine.input;
  // A key the game chose for quitting keeps quitting.
  if (std::find(in.quitKeys.begin(), in.quitKeys.end(), key.keysym.sym) != in.quitKeys.end()) return false;
  switch (key.keysym.sym) {
    case SDLK_TAB:
      if (down) Step(engine, !(key.keysym.mod & KMOD_SHIFT));
      return true;
    case SDLK_RETURN:
    case SDLK_KP_ENTER:
    case SDLK_SPACE:
      if (down) ClickHere(engine);
      return true;
    case SDLK_h:
      in.revealHeld = down;
      return true;
    case SDLK_LEFT:
    case SDLK_RIGHT:
      Hold(engine, down ? (key.keysym.sym == SDLK_LEFT ? -1 : 1) : 0, in.heldY);
      return true;
    case SDLK_UP:
    case SDLK_DOWN:
      Hold(engine, in.heldX, down ? (key.keysym.sym == SDLK_UP ? -1 : 1) : 0);
      return true;
    default:
      return false;
  }
}

int AxisDirection(Sint16 value) { return value < -kStickDeadZone ? -1 : value > kStickDeadZone ? 1 : 0; }

bool HandleGamepadEvent(Engine& engine, const SDL_Event& event) {
  InputState& in = engine.input;
  switch (event.type) {
    case SDL_JOYAXISMOTION:  // the left stick; other axes (triggers, the right stick) are not for pointing
      if (event.jaxis.axis == 0) Hold(engine, AxisDirection(event.jaxis.value), in.heldY);
      if (event.jaxis.axis == 1) Hold(engine, in.heldX, AxisDirection(event.jaxis.value));
      return true;
    case SDL_JOYHATMOTION:
      if (event.jhat.hat == 0)
        Hold(engine, (event.jhat.value & SDL_HAT_RIGHT ? 1 : 0) - (event.jhat.value & SDL_HAT_LEFT ? 1 : 0),
             (event.jhat.value & SDL_HAT_DOWN ? 1 : 0) - (event.jhat.value & SDL_HAT_UP ? 1 : 0));
      return true;
    case SDL_JOYBUTTONDOWN:
    case SDL_JOYBUTTONUP: {
      const bool down = event.type == SDL_JOYBUTTONDOWN;
      switch (event.jbutton.button) {
        case kButtonA: if (down) ClickHere(engine); break;
        case kButtonY: in.revealHeld = down; break;
        case kShoulderLeft: if (down) Step(engine, false); break;
        case kShoulderRight: if (down) Step(engine, true); break;
        default: break;
      }
      return true;
    }
    default:
      return false;
  }
}

}  // namespace

bool PointerKeysOn(const Engine& engine) { return !engine.input.anyKeyQuits && !engine.player.noKeys; }

bool HandlePointerInput(Engine& engine, const SDL_Event& event) {
  if (!PointerKeysOn(engine)) return false;
  if (event.type == SDL_KEYDOWN || event.type == SDL_KEYUP) return HandleKeyEvent(engine, event.key);
  return HandleGamepadEvent(engine, event);
}

void MovePointerWhileHeld(Engine& engine) {
  InputState& in = engine.input;
  if (!in.heldX && !in.heldY) return;
  Uint32 held = engine.Ticks() - in.heldSince;
  int step = held < kSlowFor ? kSlowStep : std::min(kSlowStep + static_cast<int>((held - kSlowFor) / 100), kFastestStep);
  PointAt(engine, in.mouseX + in.heldX * step, in.mouseY + in.heldY * step);
}

std::vector<PointerSpot> SpotsInReadingOrder(Engine& engine) {
  std::vector<PointerSpot> spots;
  if (engine.input.interactive) {
    AddButtonSpots(engine, &spots);
    AddInventorySpots(engine, &spots);
    AddObjectSpots(engine, &spots);
  } else if (engine.input.decisionMode) {
    AddDecisionSpots(engine, &spots);
  }
  std::stable_sort(spots.begin(), spots.end(), ReadsBefore);
  return spots;
}

void OpenGamepad(Engine& engine) {
  if (SDL_InitSubSystem(SDL_INIT_JOYSTICK) != 0 || SDL_NumJoysticks() < 1) return;
  engine.input.joystick = SDL_JoystickOpen(0);
  SDL_JoystickEventState(SDL_ENABLE);
}

void CloseGamepad(Engine& engine) {
  if (engine.input.joystick) SDL_JoystickClose(engine.input.joystick);
  engine.input.joystick = nullptr;
}
