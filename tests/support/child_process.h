// Programs run as the player runs them: child processes, and a virtual X display of their own.
#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

// The program is on the PATH.
bool Installed(const char* program);

// Starts a program with extra environment; its output goes to output and output.err.
pid_t Start(const std::vector<std::string>& argv, const std::vector<std::string>& env, const std::string& output);

// Exit status, 128 + signal when killed, -1 when still running after the time
// (then it is killed, unless it may go on): a guard against a hang, not a
// measure of speed.
int Finish(pid_t pid, int seconds, bool mayGoOn = false);

// The file's bytes; empty when it cannot be read.
std::string ReadFile(const std::string& path);

// Waits until the file holds text; false after the time.
bool Holds(const std::string& path, const std::string& text, int seconds);

// Runs command up to tries times, 100 ms apart, until it succeeds.
bool Retry(const std::string& command, int tries);

// Kills the children still running when the test ends, a failed one included.
struct Children {
  std::vector<pid_t> pids;
  ~Children();
};

// An Xvfb display of its own, ended with the object. Xvfb picks a free
// display and writes its number into a pipe; it must not reset when the last
// client leaves, since the readiness probe is a client and a game connecting
// during the reset would be refused. name is empty when it did not answer.
struct VirtualDisplay {
  pid_t server = -1;
  std::string name;  // ":N"

  VirtualDisplay(const std::string& log, const std::string& screen = "800x600x24");
  ~VirtualDisplay();
  VirtualDisplay(const VirtualDisplay&) = delete;
  VirtualDisplay& operator=(const VirtualDisplay&) = delete;
};
