// The table of script functions, in registration order, and the boundary
// through which every one of them is entered from a script.
#include "script/script_table.h"

extern "C" {
#include <lua.h>
}

#include "core/engine.h"
#include "script/script_args.h"
#include "script/script_functions.h"

namespace {

// Key in the Lua registry of a script error on its way out (see ScriptUnwind).
const char kPendingError[] = "quillon.pending_error";

const char* NameOf(int (*function)(lua_State*));

// Every script function runs inside this boundary. A script error raised by a
// callback inside the function crosses the C++ frames as ScriptUnwind; only
// when they have all released their objects is it raised again in the
// script runtime, which unwinds with longjmp.
template <int (*Body)(lua_State*)>
int Boundary(lua_State* L) {
  int results = 0;
  bool raise = false;
  {
    Engine& engine = EngineOf(L);
    ++engine.script.nativeDepth;
    try {
      results = Body(L);
    } catch (const ScriptUnwind&) {
      raise = true;
    } catch (...) {
      // Bodies guard themselves; whatever still escapes must not reach the runtime.
      LogFormat("Exception catched in lua_%s\r\n", NameOf(&Boundary<Body>));
    }
    --engine.script.nativeDepth;
  }
  if (raise) {
    lua_getfield(L, LUA_REGISTRYINDEX, kPendingError);
    lua_pushnil(L);
    lua_setfield(L, LUA_REGISTRYINDEX, kPendingError);
    return lua_error(L);
  }
  return results;
}

}  // namespace

const ScriptFunction kScriptFunctions[kScriptFunctionCount] = {
    {"CreateObject", &Boundary<lua_CreateObject>},
    {"SetName", &Boundary<lua_SetName>},
    {"SetPos", &Boundary<lua_SetPos>},
    {"SetHotSpot", &Boundary<lua_SetHotSpot>},
    {"HotSpotPositionOn", &Boundary<lua_HotSpotPositionOn>},
    {"HotSpotPositionOff", &Boundary<lua_HotSpotPositionOff>},
    {"Goto", &Boundary<lua_Goto>},
    {"SetHero", &Boundary<lua_SetHero>},
    {"SayText", &Boundary<lua_SayText>},
    {"SetTextColor", &Boundary<lua_SetTextColor>},
    {"SetSingleUse", &Boundary<lua_SetSingleUse>},
    {"SetMultiUse", &Boundary<lua_SetMultiUse>},
    {"Show", &Boundary<lua_Show>},
    {"Hide", &Boundary<lua_Hide>},
    {"SetSpeed", &Boundary<lua_SetSpeed>},
    {"LoadAnim", &Boundary<lua_LoadAnim>},
    {"UnloadAnim", &Boundary<lua_UnloadAnim>},
    {"ReloadAnim", &Boundary<lua_ReloadAnim>},
    {"PlayAnim", &Boundary<lua_PlayAnim>},
    {"SetAnim", &Boundary<lua_SetAnim>},
    {"SetAnimTimeout", &Boundary<lua_SetAnimTimeout>},
    {"SetFrame", &Boundary<lua_SetFrame>},
    {"AssignAnim", &Boundary<lua_AssignAnim>},
    {"AutoAnimOn", &Boundary<lua_AutoAnimOn>},
    {"AutoAnimOff", &Boundary<lua_AutoAnimOff>},
    {"TurnLeft", &Boundary<lua_TurnLeft>},
    {"TurnRight", &Boundary<lua_TurnRight>},
    {"TurnUp", &Boundary<lua_TurnUp>},
    {"TurnDown", &Boundary<lua_TurnDown>},
    {"LoadInventoryIcon", &Boundary<lua_LoadInventoryIcon>},
    {"AddToInventory", &Boundary<lua_AddToInventory>},
    {"RemoveFromInventory", &Boundary<lua_RemoveFromInventory>},
    {"IsInInventory", &Boundary<lua_IsInInventory>},
    {"SetWalkToPos", &Boundary<lua_SetWalkToPos>},
    {"SetTextBoxPos", &Boundary<lua_SetTextBoxPos>},
    {"SetTextBoxAutoPos", &Boundary<lua_SetTextBoxAutoPos>},
    {"OverrideColorKey", &Boundary<lua_OverrideColorKey>},
    {"LoadBackground", &Boundary<lua_LoadBackground>},
    {"LoadSzene", &Boundary<lua_LoadSzene>},
    {"FadeOut", &Boundary<lua_FadeOut>},
    {"FadeIn", &Boundary<lua_FadeIn>},
    {"SetMode", &Boundary<lua_SetMode>},
    {"LoadPathMap", &Boundary<lua_LoadPathMap>},
    {"LoadSound", &Boundary<lua_LoadSound>},
    {"PlaySound", &Boundary<lua_PlaySound>},
    {"StopSound", &Boundary<lua_StopSound>},
    {"StopAllSounds", &Boundary<lua_StopAllSounds>},
    {"RemoveSound", &Boundary<lua_RemoveSound>},
    {"SetSoundVolume", &Boundary<lua_SetSoundVolume>},
    {"LoadCursor", &Boundary<lua_LoadCursor>},
    {"ShowCursor", &Boundary<lua_ShowCursor>},
    {"HideCursor", &Boundary<lua_HideCursor>},
    {"LoadSystemFont", &Boundary<lua_LoadSystemFont>},
    {"LoadTalkFont", &Boundary<lua_LoadTalkFont>},
    {"LoadDecisionFont", &Boundary<lua_LoadDecisionFont>},
    {"Wait", &Boundary<lua_Wait>},
    {"WaitFor", &Boundary<lua_WaitFor>},
    {"MakeDecision", &Boundary<lua_MakeDecision>},
    {"SetDecisionPos", &Boundary<lua_SetDecisionPos>},
    {"Exit", &Boundary<lua_Exit>},
    {"LoadMenuBackground", &Boundary<lua_LoadMenuBackground>},
    {"ShowMenuBackground", &Boundary<lua_ShowMenuBackground>},
    {"HideMenuBackground", &Boundary<lua_HideMenuBackground>},
    {"CreateMenuButton", &Boundary<lua_CreateMenuButton>},
    {"ShowMenuButton", &Boundary<lua_ShowMenuButton>},
    {"HideMenuButton", &Boundary<lua_HideMenuButton>},
    {"SetDefaultButton", &Boundary<lua_SetDefaultButton>},
    {"SetActiveButton", &Boundary<lua_SetActiveButton>},
    {"SetStringFile", &Boundary<lua_SetStringFile>},
    {"SetLanguage", &Boundary<lua_SetLanguage>},
    {"GetString", &Boundary<lua_GetString>},
    {"G", &Boundary<lua_G>},
    {"S", &Boundary<lua_S>},
    {"DefineInventory", &Boundary<lua_DefineInventory>},
    {"SetUseWord", &Boundary<lua_SetUseWord>},
    {"SetScreen", &Boundary<lua_SetScreen>},
    {"DebugMode", &Boundary<lua_DebugMode>},
};

namespace {

const char* NameOf(int (*function)(lua_State*)) {
  for (const ScriptFunction& f : kScriptFunctions)
    if (f.function == function) return f.name;
  return "?";
}

}  // namespace

void StashScriptError(lua_State* L) { lua_setfield(L, LUA_REGISTRYINDEX, kPendingError); }
