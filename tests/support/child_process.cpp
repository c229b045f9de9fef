// Child processes and a virtual X display for the tests that run programs as a player would.
#include "support/child_process.h"

#include <X11/Xlib.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <thread>

bool Installed(const char* program) {
  return std::system((std::string("command -v ") + program + " >/dev/null 2>&1").c_str()) == 0;
}

pid_t Start(const std::vector<std::string>& argv, const std::vector<std::string>& env, const std::string& output) {
  pid_t pid = fork();
  if (pid != 0) return pid;
  for (const std::string& assignment : env) putenv(const_cast<char*>(assignment.c_str()));
  freopen(output.c_str(), "w", stdout);
  freopen((output + ".err").c_str(), "w", stderr);
  std::vector<char*> args;
  for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
  args.push_back(nullptr);
  execvp(args[0], args.data());
  _exit(127);
}

int Finish(pid_t pid, int seconds, bool mayGoOn) {
  for (int i = 0; i < seconds * 20; ++i, std::this_thread::sleep_for(std::chrono::milliseconds(50))) {
    int status = 0;
    if (waitpid(pid, &status, WNOHANG) == pid) return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  }
  if (!mayGoOn) kill(pid, SIGKILL), waitpid(pid, nullptr, 0);
  return -1;
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

bool Holds(const std::string& path, const std::string& text, int seconds) {
  for (int i = 0; i < seconds * 20; ++i, std::this_thread::sleep_for(std::chrono::milliseconds(50)))
    if (ReadFile(path).find(text) != std::string::npos) return true;
  return false;
}

bool Retry(const std::string& command, int tries) {
  for (int i = 0; i < tries; ++i, std::this_thread::sleep_for(std::chrono::milliseconds(100)))
    if (std::system(command.c_str()) == 0) return true;
  return false;
}

Children::~Children() {
  for (pid_t pid : pids)
    if (kill(pid, SIGKILL) == 0) waitpid(pid, nullptr, 0);
}

VirtualDisplay::VirtualDisplay(const std::string& log, const std::string& screen) {
  int number[2];
  if (pipe(number) != 0) return;
  server = Start({"Xvfb", "-displayfd", std::to_string(number[1]), "-screen", "0", screen, "-nolisten", "tcp",
                  "-noreset"},
                 {}, log);
  close(number[1]);
  std::string digits;
  for (char c; read(number[0], &c, 1) == 1 && c != '\n';) digits += c;
  close(number[0]);
  if (digits.empty()) return;
  // The server takes clients only once it is ready (on a busy machine that can take a while).
  for (int i = 0; i < 300 && name.empty(); ++i) {
    if (Display* d = XOpenDisplay((":" + digits).c_str())) XCloseDisplay(d), name = ":" + digits;
    else std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
}

VirtualDisplay::~VirtualDisplay() {
  if (server > 0 && kill(server, SIGTERM) == 0) waitpid(server, nullptr, 0);
}
