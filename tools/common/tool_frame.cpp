// The frame every authoring tool's commands run in.
#include "common/tool_frame.h"

#include "util/log.h"

int AnswerHelp(const std::vector<std::string>& words, const char* usage, std::ostream& out, std::ostream& err) {
  if (words.empty()) {
    err << usage;
    return 2;
  }
  if (words[0] == "--help" || words[0] == "-h" || words[0] == "help") {
    out << usage;
    return 0;
  }
  return -1;
}

int RunToolCommand(const std::string& command, const ToolCommands& commands, const std::function<int()>& unknown) {
  LogSink quiet = SetLogSink([](std::string_view) {});
  int status = -1;
  for (const auto& [name, run] : commands)
    if (command == name) status = run();
  if (status == -1) status = unknown();
  SetLogSink(std::move(quiet));
  return status;
}
