// Captures everything the engine logs while the object lives.
#pragma once

#include <string>

#include "util/log.h"

class LogCapture {
 public:
  LogCapture() {
    previous_ = SetLogSink([this](std::string_view text) { out_.append(text); });
    previousErrors_ = SetErrorSink([this](std::string_view text) { err_.append(text); });
  }
  ~LogCapture() {
    SetLogSink(std::move(previous_));
    SetErrorSink(std::move(previousErrors_));
  }
  LogCapture(const LogCapture&) = delete;
  LogCapture& operator=(const LogCapture&) = delete;

  const std::string& Text() const { return out_; }
  const std::string& Errors() const { return err_; }
  void Clear() { out_.clear(); err_.clear(); }

 private:
  std::string out_;
  std::string err_;
  LogSink previous_;
  LogSink previousErrors_;
};
