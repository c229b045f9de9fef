// The frame every authoring tool's commands run in: help, a missing or
// unknown command, and an engine log kept quiet while the command runs.
#pragma once

#include <functional>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

// --help, -h or help as the first word prints the usage on out (status 0); no
// word at all prints it on err (status 2). -1 when a command was given.
int AnswerHelp(const std::vector<std::string>& words, const char* usage, std::ostream& out, std::ostream& err);

using ToolCommands = std::vector<std::pair<const char*, std::function<int()>>>;

// Runs the named command with the engine's log silenced: the engine's loaders
// print progress and counts for a game's log, which means nothing here. An
// unknown command calls unknown, whose status is returned.
int RunToolCommand(const std::string& command, const ToolCommands& commands, const std::function<int()>& unknown);
