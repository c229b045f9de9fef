// Script functions of this subsystem not built yet: registered, they do nothing.
#include "script/script_functions.h"

int lua_SayText(lua_State*) { return 0; }
int lua_SetTextColor(lua_State*) { return 0; }
int lua_SetTextBoxPos(lua_State*) { return 0; }
int lua_SetTextBoxAutoPos(lua_State*) { return 0; }
int lua_LoadSystemFont(lua_State*) { return 0; }
int lua_LoadTalkFont(lua_State*) { return 0; }
int lua_LoadDecisionFont(lua_State*) { return 0; }
int lua_SetStringFile(lua_State*) { return 0; }
int lua_SetLanguage(lua_State*) { return 0; }
int lua_GetString(lua_State*) { return 0; }
int lua_G(lua_State*) { return 0; }
int lua_S(lua_State*) { return 0; }
