// Splitting resource addresses into a loose file or a pack entry.
#include "util/resource_address.h"

#include <climits>
#include <cctype>

int ReadEntryNumber(const char* text) {
  while (*text == ' ' || (*text >= '\t' && *text <= '\r')) ++text;
  bool negative = false;
  if (*text == '+' || *text == '-') negative = *text++ == '-';
  long long value = 0;
  while (isdigit(static_cast<unsigned char>(*text))) {
    value = value * 10 + (*text++ - '0');
    if (value > static_cast<long long>(INT_MAX) + 1) value = static_cast<long long>(INT_MAX) + 1;
  }
  if (negative) value = -value;
  if (value > INT_MAX) value = INT_MAX;
  return static_cast<int>(value);
}

ResourceAddress SplitAddress(const std::string& address) {
  ResourceAddress result;
  size_t colon = address.find(':');
  if (colon == std::string::npos || colon == 0) {
    result.file = address;
    return result;
  }
  result.isPackEntry = true;
  result.file = address.substr(0, colon);
  result.entry = ReadEntryNumber(address.c_str() + colon + 1);
  return result;
}
