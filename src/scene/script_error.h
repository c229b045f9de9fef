// The two-line report of a script function that failed, repeating the call.
#pragma once

extern "C" {
#include <lua.h>
}

#include <string>

// "Script-Error:" and a tab-led line repeating the call, e.g. SetSpeed("hero",1.000000).
inline std::string ScriptErrorReport(const std::string& call) {
  return "Script-Error:\r\n\t>> Error in function-call (" + call + ")\r\n";
}

// An argument as text for such a report; empty when there is none.
inline std::string ReportedText(lua_State* L, int index) {
  const char* text = lua_tostring(L, index);
  return text ? text : "";
}
