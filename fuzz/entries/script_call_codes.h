// The first byte of every step of the script-call fuzz entry: an input event
// or a script function. The entry reads it modulo ScriptStepCodeCount(); the
// seeds and the kept inputs are written with the codes themselves.
#pragma once

// The events come first and the functions follow in the order of the one
// list, so that a function added at the end of the list takes a code of its
// own and every code already written keeps its meaning. The kept inputs of
// tests/regression/script_calls are written so: they were found while steps
// were read modulo 80 (77 functions, then click, move and key) and were
// rewritten step by step, each first byte replaced by the code of the same
// call, the bytes of the arguments untouched.
enum ScriptStepCode { kClickCode = 0, kMoveCode = 1, kKeyCode = 2, kFirstFunctionCode = 3 };

// The number of codes: the events and every script function that is fuzzed.
int ScriptStepCodeCount();

// The script function (its kScriptIndex_<Name>) of a code from
// kFirstFunctionCode to ScriptStepCodeCount() - 1.
int ScriptFunctionOfCode(int code);

// The code of a script function; aborts for one left out of fuzzing.
int CodeOfScriptFunction(int scriptIndex);
