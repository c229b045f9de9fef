// The call of the script's Event with a verb and two object ids.
#include "core/engine.h"
#include "script/script_host.h"
#include "ui/verbs.h"
#include "util/log.h"

void lua_Event(Engine& engine, const std::string& verb, const std::string& first, const std::string& second) {
  const char* args[3] = {verb.c_str(), first.c_str(), second.c_str()};
  CallScriptFunction(engine, "Event", args, 3);
  LogFormat("LUA-EVENT-CALLED: %s %s\r\n", verb.c_str(), first.c_str());
}
