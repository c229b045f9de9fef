// Fades: the script functions FadeOut and FadeIn ramp the display gamma while frames go on.
#include "engine/display.h"
#include "engine/engine.h"
#include "engine/nested_frames.h"
#include "script/script_args.h"
#include "script/script_functions.h"

namespace {

// Ramps the gamma from `from` to `to` over duration ms, one frame per step,
// and ends on exactly `to`. Time is measured as elapsed ticks, so a fade that
// spans the wrap of the tick counter still lasts its duration; a duration of
// 0 or below runs no frame.
void Fade(Engine& engine, int duration, float from, float to) {
  float gamma = from;
  if (duration > 0) {
    Uint32 start = engine.Ticks();
    // Each frame's step of the ramp is set just before the frame.
    RunFramesUntil(engine, [&] {
      Uint32 elapsed = engine.Ticks() - start;
      if (elapsed >= static_cast<Uint32>(duration)) return true;
      gamma = static_cast<float>(from + (to - from) * (static_cast<double>(elapsed) / duration));
      SetDisplayGamma(engine, gamma);
      return false;
    });
  }
  if (gamma != to) SetDisplayGamma(engine, to);
}

}  // namespace

int lua_FadeOut(lua_State* L) {
  Engine& engine = EngineOf(L);
  GuardedCall(L, [&] { Fade(engine, ArgInt(L, 1), 1.0f, 0.0f); });
  return 0;
}

int lua_FadeIn(lua_State* L) {
  Engine& engine = EngineOf(L);
  GuardedCall(L, [&] { Fade(engine, ArgInt(L, 1), 0.0f, 1.0f); });
  return 0;
}
