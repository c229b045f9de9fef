// Number conversions the engine needs in many places.
#pragma once

#include <cstdint>

// Truncation toward zero to a signed 32-bit integer; values beyond the range
// saturate and NaN reads as 0, where a plain cast would be undefined.
inline int TruncateToInt(double value) {
  if (!(value == value)) return 0;
  if (value >= 2147483647.0) return 2147483647;
  if (value <= -2147483648.0) return -2147483647 - 1;
  return static_cast<int>(value);
}

// Clamped into the 16-bit fields of SDL's rectangles: positions into the
// signed range, sizes into the unsigned one.
template <class Number>
inline int16_t Clip16(Number value) {
  if (value > 32767) return 32767;
  if (value < -32768) return -32768;
  return static_cast<int16_t>(value);
}

template <class Number>
inline uint16_t ClipU16(Number value) {
  if (value > 65535) return 65535;
  if (value < 0) return 0;
  return static_cast<uint16_t>(value);
}
