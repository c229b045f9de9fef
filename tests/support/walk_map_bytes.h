// Walk-box map records for tests: 16 bytes per box, corners as 16-bit little-endian x, y.
#pragma once

#include <string>
#include <vector>

#include "walk/path_map.h"

// The axis-aligned box from (x0, y0) to (x1, y1), corners clockwise from top-left.
inline Box Rect(int x0, int y0, int x1, int y1) { return Box{{{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}}}; }

inline std::string MapBytes(const std::vector<Box>& boxes) {
  std::string bytes;
  for (const Box& box : boxes)
    for (const WalkPoint& c : box.corners)
      for (int v : {c.x, c.y}) {
        bytes += static_cast<char>(v & 0xFF);
        bytes += static_cast<char>((v >> 8) & 0xFF);
      }
  return bytes;
}
