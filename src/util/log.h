// The engine's one output funnel: every log line goes through here.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

// Receives every piece of log text exactly as printed; a test or a runner may
// install its own sink to capture or mirror the log.
using LogSink = std::function<void(std::string_view text)>;

// Installs a sink for the standard-output log; returns the previous one.
// An empty sink restores plain standard output.
LogSink SetLogSink(LogSink sink);
// The same for the error stream (script runtime reports).
LogSink SetErrorSink(LogSink sink);

void LogText(std::string_view text);
void LogFormat(const char* format, ...) __attribute__((format(printf, 1, 2)));
void ErrorText(std::string_view text);

// printf into a std::string.
std::string FormatText(const char* format, ...) __attribute__((format(printf, 1, 2)));
