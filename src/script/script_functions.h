// The bodies of the script functions; each lives beside its subsystem.
#pragma once

#include "script/script_list.h"

struct lua_State;

#define QUILLON_DECLARE_BODY(Name, ...) int lua_##Name(lua_State* L);
QUILLON_SCRIPT_FUNCTIONS(QUILLON_DECLARE_BODY, QUILLON_DECLARE_BODY)
#undef QUILLON_DECLARE_BODY
