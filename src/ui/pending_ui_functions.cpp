// Script functions of this subsystem not built yet: registered, they do nothing.
#include "script/script_functions.h"

int lua_LoadInventoryIcon(lua_State*) { return 0; }
int lua_AddToInventory(lua_State*) { return 0; }
int lua_RemoveFromInventory(lua_State*) { return 0; }
int lua_IsInInventory(lua_State*) { return 0; }
int lua_MakeDecision(lua_State*) { return 0; }
int lua_SetDecisionPos(lua_State*) { return 0; }
int lua_LoadMenuBackground(lua_State*) { return 0; }
int lua_ShowMenuBackground(lua_State*) { return 0; }
int lua_HideMenuBackground(lua_State*) { return 0; }
int lua_CreateMenuButton(lua_State*) { return 0; }
int lua_ShowMenuButton(lua_State*) { return 0; }
int lua_HideMenuButton(lua_State*) { return 0; }
int lua_SetDefaultButton(lua_State*) { return 0; }
int lua_SetActiveButton(lua_State*) { return 0; }
int lua_DefineInventory(lua_State*) { return 0; }
int lua_SetUseWord(lua_State*) { return 0; }
