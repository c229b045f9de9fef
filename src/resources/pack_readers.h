// Readers for the three pack archive formats: images, scripts/texts, sounds.
#pragma once

#include <SDL/SDL.h>
#include <SDL/SDL_mixer.h>

#include <vector>

// A pack starts with a 4-byte head field (the writer stores the entry count
// there; no reader needs it), then the index records, then the entry data.
// Each call opens the pack anew; nothing is cached. A record or entry that
// does not lie wholly inside the file reads as a failed read.

class BMPPackReader {
 public:
  virtual ~BMPPackReader() = default;
  // A new software surface holding the entry's pixels (caller owns it), or null.
  // Prints its progress dots onto the caller's log line.
  SDL_Surface* LoadImage(const char* file, int entry);
};

class TXTPackReader {
 public:
  virtual ~TXTPackReader() = default;
  // The entry's bytes in buffer; returns their count. 0 when the pack is
  // missing or the entry cannot be read, -1 after an unexpected failure.
  int LoadTXT(const char* file, int entry, std::vector<char>* buffer);
};

class SFXPackReader {
 public:
  virtual ~SFXPackReader() = default;
  // A new mixer chunk decoded from the entry (caller owns it), or null.
  Mix_Chunk* LoadSound(const char* file, int entry);
};

// Record sizes of the index tables.
constexpr int kImageRecordSize = 20;
constexpr int kDataRecordSize = 8;
constexpr int kPaletteBytes = 768;
