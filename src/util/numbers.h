// Number conversions the engine needs in many places.
#pragma once

// Truncation toward zero to a signed 32-bit integer; values beyond the range
// saturate and NaN reads as 0, where a plain cast would be undefined.
inline int TruncateToInt(double value) {
  if (!(value == value)) return 0;
  if (value >= 2147483647.0) return 2147483647;
  if (value <= -2147483648.0) return -2147483647 - 1;
  return static_cast<int>(value);
}
