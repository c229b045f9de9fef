// Sound bytes: header claims checked against the data, then SDL_mixer decodes them.
#include "audio/sound_bytes.h"

#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>
#include <vector>

namespace {

uint32_t Little32(const unsigned char* b) {
  return static_cast<uint32_t>(b[0]) | static_cast<uint32_t>(b[1]) << 8 | static_cast<uint32_t>(b[2]) << 16 |
         static_cast<uint32_t>(b[3]) << 24;
}

uint32_t Big32(const unsigned char* b) {
  return static_cast<uint32_t>(b[3]) | static_cast<uint32_t>(b[2]) << 8 | static_cast<uint32_t>(b[1]) << 16 |
         static_cast<uint32_t>(b[0]) << 24;
}

uint32_t Big16(const unsigned char* b) { return static_cast<uint32_t>(b[0]) << 8 | b[1]; }

// SDL converts every sound to the device's rate with at most ten filters and
// no check: a rate far from the device's (1 Hz, a gigahertz) writes past its
// filter table and crashes. Real sounds lie well inside this range.
constexpr uint32_t kLowestRate = 2000;
constexpr uint32_t kHighestRate = 192000;

// RIFF WAVE: every chunk up to and including "data" must lie inside the bytes,
// and the format must name a rate and channel count SDL can convert.
bool WaveClaimsFit(const unsigned char* data, size_t size) {
  for (size_t at = 12; at + 8 <= size;) {
    uint64_t length = Little32(data + at + 4);
    if (length > size - at - 8) return false;
    if (memcmp(data + at, "fmt ", 4) == 0 && length >= 8) {
      uint32_t channels = data[at + 10] | data[at + 11] << 8, rate = Little32(data + at + 12);
      if (channels < 1 || channels > 6 || rate < kLowestRate || rate > kHighestRate) return false;
    }
    if (memcmp(data + at, "data", 4) == 0) return true;
    at += 8 + length;
  }
  return true;  // no data chunk: SDL refuses it without a large allocation
}

// AIFF: every chunk inside the bytes, and the sample frames of COMM no more
// than the bytes could hold.
bool AiffClaimsFit(const unsigned char* data, size_t size) {
  for (size_t at = 12; at + 8 <= size;) {
    uint64_t length = Big32(data + at + 4);
    if (length > size - at - 8) return false;
    if (memcmp(data + at, "COMM", 4) == 0 && length >= 8) {
      uint64_t channels = Big16(data + at + 8), frames = Big32(data + at + 10), bits = Big16(data + at + 14);
      if (channels * frames * ((bits + 7) / 8) > size) return false;
    }
    at += 8 + length + (length & 1);
  }
  return true;
}

}  // namespace

bool SoundClaimsFit(const unsigned char* data, size_t size) {
  if (size >= 12 && memcmp(data, "RIFF", 4) == 0) return WaveClaimsFit(data, size);
  if (size >= 4 && memcmp(data, "WAVE", 4) == 0) return false;  // SDL would take it for RIFF and misread it
  if (size >= 12 && memcmp(data, "FORM", 4) == 0) return AiffClaimsFit(data, size);
  return true;
}

Mix_Chunk* DecodeSound(const unsigned char* data, size_t size) {
  if (size == 0 || size > 0x7FFFFFFF) return nullptr;
  if (!SoundClaimsFit(data, size)) {
    SDL_SetError("sound header claims more data than the file holds");
    return nullptr;
  }
  return Mix_LoadWAV_RW(SDL_RWFromConstMem(data, static_cast<int>(size)), 1);
}

Mix_Chunk* LoadSoundFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    SDL_SetError("Couldn't open %s", path.c_str());
    return nullptr;
  }
  std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  return DecodeSound(bytes.data(), bytes.size());
}
