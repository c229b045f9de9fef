// Log funnel: standard output by default, redirectable as a whole.
#include "util/log.h"

#include <cstdarg>
#include <cstdio>
#include <vector>

namespace {

// The funnel is process-wide by nature: standard output is one stream.
struct LogState {
  LogSink out;  // replaces standard output when set
  LogSink err;  // replaces standard error when set
};

LogState& State() {
  static LogState state;
  return state;
}

std::string VFormat(const char* format, va_list args) {
  va_list copy;
  va_copy(copy, args);
  char small[256];
  int n = vsnprintf(small, sizeof small, format, copy);
  va_end(copy);
  if (n < 0) return std::string();
  if (static_cast<size_t>(n) < sizeof small) return std::string(small, n);
  std::vector<char> big(static_cast<size_t>(n) + 1);
  vsnprintf(big.data(), big.size(), format, args);
  return std::string(big.data(), n);
}

}  // namespace

LogSink SetLogSink(LogSink sink) {
  LogSink previous = std::move(State().out);
  State().out = std::move(sink);
  return previous;
}

LogSink SetErrorSink(LogSink sink) {
  LogSink previous = std::move(State().err);
  State().err = std::move(sink);
  return previous;
}

void LogText(std::string_view text) {
  if (State().out) {
    State().out(text);
    return;
  }
  fwrite(text.data(), 1, text.size(), stdout);
  fflush(stdout);  // a player watching the log sees each step as it happens
}

void ErrorText(std::string_view text) {
  if (State().err) {
    State().err(text);
    return;
  }
  fwrite(text.data(), 1, text.size(), stderr);
  fflush(stderr);
}

void LogFormat(const char* format, ...) {
  va_list args;
  va_start(args, format);
  std::string text = VFormat(format, args);
  va_end(args);
  LogText(text);
}

std::string FormatText(const char* format, ...) {
  va_list args;
  va_start(args, format);
  std::string text = VFormat(format, args);
  va_end(args);
  return text;
}
