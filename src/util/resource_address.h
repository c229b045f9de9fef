// The resource address rule: "pack.dat:3" names entry 3 of a pack, anything else a loose file.
#pragma once

#include <string>

struct ResourceAddress {
  bool isPackEntry = false;  // a colon stands after the first character
  std::string file;          // loose file name, or the pack file name
  int entry = 0;             // entry number, read the way atoi reads it
};

ResourceAddress SplitAddress(const std::string& address);

// atoi without its undefined overflow: leading blanks, a sign, digits up to the
// first other character; values beyond the int range saturate.
int ReadEntryNumber(const char* text);
