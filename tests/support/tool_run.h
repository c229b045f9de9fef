// Runs an authoring tool in-process on a command line and keeps what it printed.
#pragma once

#include <ostream>
#include <sstream>
#include <string>
#include <vector>

struct ToolResult {
  int status;
  std::string out, err;
};

using ToolMain = int (*)(int argc, const char* const* argv, std::ostream& out, std::ostream& err);

inline ToolResult RunTool(ToolMain tool, const std::vector<std::string>& words) {
  std::vector<const char*> argv;
  for (const std::string& w : words) argv.push_back(w.c_str());
  std::ostringstream out, err;
  int status = tool(static_cast<int>(argv.size()), argv.data(), out, err);
  return {status, out.str(), err.str()};
}
