// Little-endian numbers in byte buffers: pack records, walk maps, sound headers, 24-bit pixels.
#pragma once

#include <cstdint>
#include <cstring>

inline uint32_t ReadLittle16(const unsigned char* b) { return static_cast<uint32_t>(b[0]) | static_cast<uint32_t>(b[1]) << 8; }
inline uint32_t ReadLittle24(const unsigned char* b) { return ReadLittle16(b) | static_cast<uint32_t>(b[2]) << 16; }
inline uint32_t ReadLittle32(const unsigned char* b) { return ReadLittle24(b) | static_cast<uint32_t>(b[3]) << 24; }
inline int32_t ReadLittleInt32(const unsigned char* b) { return static_cast<int32_t>(ReadLittle32(b)); }

// A pixel of 3 or 4 bytes as SDL's blitters read it on this (little-endian) machine.
inline uint32_t ReadPixel34(const unsigned char* p, int bytes) {
  if (bytes == 4) {
    uint32_t value;
    std::memcpy(&value, p, 4);
    return value;
  }
  return ReadLittle24(p);
}
