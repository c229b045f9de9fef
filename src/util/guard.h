// Failure guards: an engine failure is reported with a line of the log and the engine goes on.
#pragma once

#include "util/log.h"

// A script error raised inside a callback, on its way out to the nearest
// protected run of the script runtime. Deliberately not a std::exception, so
// that no failure guard takes it for an engine failure.
struct ScriptUnwind {};

// Runs body; any failure but a script error on its way out prints failureLine
// and is dropped, so the engine goes on.
template <class Body>
void Guarded(const char* failureLine, Body&& body) {
  try {
    body();
  } catch (const ScriptUnwind&) {
    throw;
  } catch (...) {
    LogText(failureLine);
  }
}

// As Guarded, with a failure line built only when needed.
template <class Body, class Line>
void GuardedWith(Line&& failureLine, Body&& body) {
  try {
    body();
  } catch (const ScriptUnwind&) {
    throw;
  } catch (...) {
    LogText(failureLine());
  }
}
