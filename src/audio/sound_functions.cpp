// The script functions of the sound manager: LoadSound, RemoveSound, PlaySound, StopSound, StopAllSounds, SetSoundVolume.
#include "audio/sfx.h"
#include "engine/engine.h"
#include "script/script_args.h"
#include "script/script_functions.h"

namespace {

// Runs body with the sound manager; without one the call does nothing.
template <class Body>
void WithSfx(lua_State* L, Body&& body) {
  Engine& engine = EngineOf(L);
  GuardedCall(L, [&] {
    if (Sfx* sfx = engine.audio.sfx.get()) body(*sfx);
  });
}

// The sound name at index; a name the manager does not hold is diagnosed.
std::string SoundName(lua_State* L, Sfx& sfx, int index) {
  std::string name = ArgString(L, index);
  LookUpNamed(EngineOf(L), sfx.Sounds(), name, "sound");
  return name;
}

}  // namespace

int lua_LoadSound(lua_State* L) {
  WithSfx(L, [&](Sfx& sfx) {
    std::string name = ArgString(L, 1);
    std::string address = ArgString(L, 2);
    if (name.empty() || address.empty()) return;
    sfx.LoadSoundFromFile(name, address);
    Engine& engine = EngineOf(L);
    if (DiagnosticsOn(engine) && !sfx.Sounds().Get(name))
      Diagnose(engine, "cannot read sound \"" + address + "\"");
  });
  return 0;
}

int lua_RemoveSound(lua_State* L) {
  WithSfx(L, [&](Sfx& sfx) { sfx.RemoveSound(SoundName(L, sfx, 1)); });
  return 0;
}

int lua_PlaySound(lua_State* L) {
  WithSfx(L, [&](Sfx& sfx) { sfx.PlaySound(SoundName(L, sfx, 1), ArgInt(L, 2), ArgInt(L, 3)); });
  return 0;
}

int lua_StopSound(lua_State* L) {
  WithSfx(L, [&](Sfx& sfx) { sfx.StopSound(SoundName(L, sfx, 1)); });
  return 0;
}

int lua_StopAllSounds(lua_State* L) {
  WithSfx(L, [&](Sfx& sfx) { sfx.StopAllSounds(); });
  return 0;
}

int lua_SetSoundVolume(lua_State* L) {
  WithSfx(L, [&](Sfx& sfx) { sfx.SetSoundVolume(SoundName(L, sfx, 1), ArgInt(L, 2)); });
  return 0;
}
