// The close signals, noted in the one place a signal handler may write.
#include "core/close_signals.h"

#include <csignal>

namespace {

// Process-wide by nature: a signal reaches the process, not an engine.
volatile std::sig_atomic_t closeSignalled = 0;

void NoteCloseSignal(int) { closeSignalled = 1; }

}  // namespace

void WatchCloseSignals() {
  struct sigaction action = {};
  action.sa_handler = NoteCloseSignal;
  sigemptyset(&action.sa_mask);
  sigaction(SIGTERM, &action, nullptr);
  sigaction(SIGINT, &action, nullptr);
}

bool TakeCloseSignal() {
  if (!closeSignalled) return false;
  closeSignalled = 0;
  return true;
}
