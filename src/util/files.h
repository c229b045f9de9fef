// C files that close themselves.
#pragma once

#include <cstdio>
#include <memory>

struct FileCloser {
  void operator()(FILE* f) const { fclose(f); }
};
using File = std::unique_ptr<FILE, FileCloser>;

// Opens a file for reading bytes; empty when it cannot be opened.
inline File OpenBinary(const char* name) { return File(fopen(name, "rb")); }
