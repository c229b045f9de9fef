// Script functions of this subsystem not built yet: registered, they do nothing.
#include "script/script_functions.h"

int lua_CreateObject(lua_State*) { return 0; }
int lua_SetName(lua_State*) { return 0; }
int lua_SetPos(lua_State*) { return 0; }
int lua_SetHotSpot(lua_State*) { return 0; }
int lua_HotSpotPositionOn(lua_State*) { return 0; }
int lua_HotSpotPositionOff(lua_State*) { return 0; }
int lua_SetHero(lua_State*) { return 0; }
int lua_SetSingleUse(lua_State*) { return 0; }
int lua_SetMultiUse(lua_State*) { return 0; }
int lua_Show(lua_State*) { return 0; }
int lua_Hide(lua_State*) { return 0; }
int lua_SetSpeed(lua_State*) { return 0; }
int lua_LoadAnim(lua_State*) { return 0; }
int lua_UnloadAnim(lua_State*) { return 0; }
int lua_ReloadAnim(lua_State*) { return 0; }
int lua_PlayAnim(lua_State*) { return 0; }
int lua_SetAnim(lua_State*) { return 0; }
int lua_SetAnimTimeout(lua_State*) { return 0; }
int lua_SetFrame(lua_State*) { return 0; }
int lua_AssignAnim(lua_State*) { return 0; }
int lua_AutoAnimOn(lua_State*) { return 0; }
int lua_AutoAnimOff(lua_State*) { return 0; }
int lua_TurnLeft(lua_State*) { return 0; }
int lua_TurnRight(lua_State*) { return 0; }
int lua_TurnUp(lua_State*) { return 0; }
int lua_TurnDown(lua_State*) { return 0; }
int lua_SetWalkToPos(lua_State*) { return 0; }
int lua_OverrideColorKey(lua_State*) { return 0; }
int lua_LoadBackground(lua_State*) { return 0; }
int lua_LoadCursor(lua_State*) { return 0; }
