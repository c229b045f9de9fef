// Script functions of this subsystem not built yet: registered, they do nothing.
#include "script/script_functions.h"

int lua_Goto(lua_State*) { return 0; }
int lua_LoadPathMap(lua_State*) { return 0; }
