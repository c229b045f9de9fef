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


// Every script function runs inside this boundary. A script error raised by a
// callback inside the function crosses the C++ frames as ScriptUnwind; only
// when they have all released their objects is it raised again in the
// script runtime, which unwinds with longjmp.
template <int (*Body)(lua_State*), int Index>
int Boundary(lua_State* L) {
  int results = 0;
  bool raise = false;
  {
    Engine& engine = EngineOf(L);
    ++engine.script.nativeDepth;
    ++engine.script.callCounts[Index];
    try {
      results = Body(L);
    } catch (const ScriptUnwind&) {
      raise = true;
    } catch (...) {
      // Bodies guard themselves; whatever still escapes must not reach the runtime.
      LogFormat("Exception catched in lua_%s\r\n", kScriptFunctions[Index].name);
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
    {"CreateObject", &Boundary<lua_CreateObject, 0>},
    {"SetName", &Boundary<lua_SetName, 1>},
    {"SetPos", &Boundary<lua_SetPos, 2>},
    {"SetHotSpot", &Boundary<lua_SetHotSpot, 3>},
    {"HotSpotPositionOn", &Boundary<lua_HotSpotPositionOn, 4>},
    {"HotSpotPositionOff", &Boundary<lua_HotSpotPositionOff, 5>},
    {"Goto", &Boundary<lua_Goto, 6>},
    {"SetHero", &Boundary<lua_SetHero, 7>},
    {"SayText", &Boundary<lua_SayText, 8>},
    {"SetTextColor", &Boundary<lua_SetTextColor, 9>},
    {"SetSingleUse", &Boundary<lua_SetSingleUse, 10>},
    {"SetMultiUse", &Boundary<lua_SetMultiUse, 11>},
    {"Show", &Boundary<lua_Show, 12>},
    {"Hide", &Boundary<lua_Hide, 13>},
    {"SetSpeed", &Boundary<lua_SetSpeed, 14>},
    {"LoadAnim", &Boundary<lua_LoadAnim, 15>},
    {"UnloadAnim", &Boundary<lua_UnloadAnim, 16>},
    {"ReloadAnim", &Boundary<lua_ReloadAnim, 17>},
    {"PlayAnim", &Boundary<lua_PlayAnim, 18>},
    {"SetAnim", &Boundary<lua_SetAnim, 19>},
    {"SetAnimTimeout", &Boundary<lua_SetAnimTimeout, 20>},
    {"SetFrame", &Boundary<lua_SetFrame, 21>},
    {"AssignAnim", &Boundary<lua_AssignAnim, 22>},
    {"AutoAnimOn", &Boundary<lua_AutoAnimOn, 23>},
    {"AutoAnimOff", &Boundary<lua_AutoAnimOff, 24>},
    {"TurnLeft", &Boundary<lua_TurnLeft, 25>},
    {"TurnRight", &Boundary<lua_TurnRight, 26>},
    {"TurnUp", &Boundary<lua_TurnUp, 27>},
    {"TurnDown", &Boundary<lua_TurnDown, 28>},
    {"LoadInventoryIcon", &Boundary<lua_LoadInventoryIcon, 29>},
    {"AddToInventory", &Boundary<lua_AddToInventory, 30>},
    {"RemoveFromInventory", &Boundary<lua_RemoveFromInventory, 31>},
    {"IsInInventory", &Boundary<lua_IsInInventory, 32>},
    {"SetWalkToPos", &Boundary<lua_SetWalkToPos, 33>},
    {"SetTextBoxPos", &Boundary<lua_SetTextBoxPos, 34>},
    {"SetTextBoxAutoPos", &Boundary<lua_SetTextBoxAutoPos, 35>},
    {"OverrideColorKey", &Boundary<lua_OverrideColorKey, 36>},
    {"LoadBackground", &Boundary<lua_LoadBackground, 37>},
    {"LoadSzene", &Boundary<lua_LoadSzene, 38>},
    {"FadeOut", &Boundary<lua_FadeOut, 39>},
    {"FadeIn", &Boundary<lua_FadeIn, 40>},
    {"SetMode", &Boundary<lua_SetMode, 41>},
    {"LoadPathMap", &Boundary<lua_LoadPathMap, 42>},
    {"LoadSound", &Boundary<lua_LoadSound, 43>},
    {"PlaySound", &Boundary<lua_PlaySound, 44>},
    {"StopSound", &Boundary<lua_StopSound, 45>},
    {"StopAllSounds", &Boundary<lua_StopAllSounds, 46>},
    {"RemoveSound", &Boundary<lua_RemoveSound, 47>},
    {"SetSoundVolume", &Boundary<lua_SetSoundVolume, 48>},
    {"LoadCursor", &Boundary<lua_LoadCursor, 49>},
    {"ShowCursor", &Boundary<lua_ShowCursor, 50>},
    {"HideCursor", &Boundary<lua_HideCursor, 51>},
    {"LoadSystemFont", &Boundary<lua_LoadSystemFont, 52>},
    {"LoadTalkFont", &Boundary<lua_LoadTalkFont, 53>},
    {"LoadDecisionFont", &Boundary<lua_LoadDecisionFont, 54>},
    {"Wait", &Boundary<lua_Wait, 55>},
    {"WaitFor", &Boundary<lua_WaitFor, 56>},
    {"MakeDecision", &Boundary<lua_MakeDecision, 57>},
    {"SetDecisionPos", &Boundary<lua_SetDecisionPos, 58>},
    {"Exit", &Boundary<lua_Exit, 59>},
    {"LoadMenuBackground", &Boundary<lua_LoadMenuBackground, 60>},
    {"ShowMenuBackground", &Boundary<lua_ShowMenuBackground, 61>},
    {"HideMenuBackground", &Boundary<lua_HideMenuBackground, 62>},
    {"CreateMenuButton", &Boundary<lua_CreateMenuButton, 63>},
    {"ShowMenuButton", &Boundary<lua_ShowMenuButton, 64>},
    {"HideMenuButton", &Boundary<lua_HideMenuButton, 65>},
    {"SetDefaultButton", &Boundary<lua_SetDefaultButton, 66>},
    {"SetActiveButton", &Boundary<lua_SetActiveButton, 67>},
    {"SetStringFile", &Boundary<lua_SetStringFile, 68>},
    {"SetLanguage", &Boundary<lua_SetLanguage, 69>},
    {"GetString", &Boundary<lua_GetString, 70>},
    {"G", &Boundary<lua_G, 71>},
    {"S", &Boundary<lua_S, 72>},
    {"DefineInventory", &Boundary<lua_DefineInventory, 73>},
    {"SetUseWord", &Boundary<lua_SetUseWord, 74>},
    {"SetScreen", &Boundary<lua_SetScreen, 75>},
    {"DebugMode", &Boundary<lua_DebugMode, 76>},
};

void StashScriptError(lua_State* L) { lua_setfield(L, LUA_REGISTRYINDEX, kPendingError); }
