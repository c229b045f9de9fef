// Script functions of this subsystem not built yet: registered, they do nothing.
#include "script/script_functions.h"

int lua_FadeOut(lua_State*) { return 0; }
int lua_FadeIn(lua_State*) { return 0; }
int lua_LoadSound(lua_State*) { return 0; }
int lua_PlaySound(lua_State*) { return 0; }
int lua_StopSound(lua_State*) { return 0; }
int lua_StopAllSounds(lua_State*) { return 0; }
int lua_RemoveSound(lua_State*) { return 0; }
int lua_SetSoundVolume(lua_State*) { return 0; }
