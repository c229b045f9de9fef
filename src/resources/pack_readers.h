// Readers for the pack archive formats: images, scripts/texts, and the data entries sound packs share.
#pragma once

#include <SDL/SDL.h>

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

// Reads a data entry of a script, text or sound pack (they share one record
// layout). False when the pack is missing or the entry cannot be read; a
// damaged record is reported on the caller's log line.
bool ReadDataEntry(const char* file, int entry, std::vector<unsigned char>* bytes);

// True when the pack can be opened and its index holds a whole record for entry.
bool PackHasEntry(const char* file, int entry, int recordSize);

// Record sizes of the index tables.
constexpr int kImageRecordSize = 20;
constexpr int kDataRecordSize = 8;
constexpr int kPaletteBytes = 768;
