// Script host internals shared with the 5.0 compatibility layer.
#pragma once

struct lua_State;

// The error object on top of the stack was raised by script code that the
// engine called unprotected. With no script function on the C stack there is
// no protected run to catch it: the runtime's panic handler reports it and the
// process ends. Otherwise it travels out as ScriptUnwind to the boundary of the
// innermost script function, which raises it again in the runtime.
[[noreturn]] void RaiseUnprotectedError(lua_State* L);

// A run of script code that the engine started has failed. After StopScripts
// the error is the stop: inside a script function it goes on out as above;
// at the outermost call it is dropped, and true says so. False: an ordinary
// script error, still on top of the stack.
bool StoppedQuietly(lua_State* L);
