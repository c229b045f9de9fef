// Pack readers: bounds-checked against the real file size, so a damaged pack
// can fail a read but never make the engine read or allocate past its data.
#include "resources/pack_readers.h"

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <stdexcept>

#include "util/bytes.h"
#include "util/files.h"
#include "util/log.h"

namespace {

int64_t FileSize(FILE* f) {
  if (fseek(f, 0, SEEK_END) != 0) return -1;
  long size = ftell(f);
  return size < 0 ? -1 : size;
}

bool ReadInt32(FILE* f, int32_t* value) {
  unsigned char b[4];
  if (fread(b, 1, 4, f) != 4) return false;
  *value = ReadLittleInt32(b);
  return true;
}

// True when the entry's index record lies wholly inside the file.
bool RecordInside(int entry, int recordSize, int64_t fileSize) {
  int64_t start = 4 + static_cast<int64_t>(recordSize) * entry;
  return entry >= 0 && start + recordSize <= fileSize;
}

bool DataInside(int32_t offset, int32_t size, int64_t fileSize) {
  return offset >= 0 && size >= 0 && static_cast<int64_t>(offset) + size <= fileSize;
}

void ReportDamage(const char* file, int entry) {
  LogFormat("[%s: Eintrag %i fehlt oder ist beschaedigt] ", file, entry);
}

// Reads one data record (offset, size) and checks it against the file.
bool ReadDataRecord(FILE* f, const char* file, int entry, int32_t* offset, int32_t* size) {
  int64_t fileSize = FileSize(f);
  if (!RecordInside(entry, kDataRecordSize, fileSize) ||
      fseek(f, 4 + static_cast<long>(kDataRecordSize) * entry, SEEK_SET) != 0 ||
      !ReadInt32(f, offset) || !ReadInt32(f, size) || !DataInside(*offset, *size, fileSize) ||
      fseek(f, *offset, SEEK_SET) != 0) {
    ReportDamage(file, entry);
    return false;
  }
  return true;
}

}  // namespace

SDL_Surface* BMPPackReader::LoadImage(const char* file, int entry) {
  SDL_Surface* surface = nullptr;
  try {
    File f = OpenBinary(file);
    LogText(" .");
    if (!f) return nullptr;
    int64_t fileSize = FileSize(f.get());
    if (!RecordInside(entry, kImageRecordSize, fileSize) ||
        fseek(f.get(), 4 + static_cast<long>(kImageRecordSize) * entry, SEEK_SET) != 0) {
      ReportDamage(file, entry);
      return nullptr;
    }
    LogText(".");
    int32_t width, height, depth, offset, size;
    if (!ReadInt32(f.get(), &width) || !ReadInt32(f.get(), &height) || !ReadInt32(f.get(), &depth) ||
        !ReadInt32(f.get(), &offset) || !ReadInt32(f.get(), &size)) {
      ReportDamage(file, entry);
      return nullptr;
    }
    LogText(".");
    // The surface may be no larger than the data the file really holds for it.
    int64_t bytesPerPixel = (static_cast<int64_t>(depth) + 7) / 8;  // any depth the record claims
    int64_t pitch = (static_cast<int64_t>(width) * bytesPerPixel + 3) & ~int64_t{3};
    int64_t palette = depth == 8 ? kPaletteBytes : 0;
    bool depthKnown = depth == 8 || depth == 16 || depth == 24 || depth == 32;
    if (!depthKnown || width <= 0 || height <= 0 || width > 65535 || height > 65535 ||
        !DataInside(offset, size, fileSize) || size < palette || pitch * height > size - palette) {
      ReportDamage(file, entry);
      return nullptr;
    }
    surface = SDL_CreateRGBSurface(0, width, height, depth, 0, 0, 0, 0);
    LogText(".");
    if (!surface) return nullptr;
    if (fseek(f.get(), offset, SEEK_SET) != 0) throw std::runtime_error("seek");
    LogText(".");
    int64_t pixelBytes = size;
    if (depth == 8) {
      SDL_Color colours[256];
      LogText(".");
      unsigned char rgb[kPaletteBytes];
      if (fread(rgb, 1, sizeof rgb, f.get()) != sizeof rgb) throw std::runtime_error("palette");
      for (int i = 0; i < 256; ++i) {
        colours[i].r = rgb[3 * i];
        colours[i].g = rgb[3 * i + 1];
        colours[i].b = rgb[3 * i + 2];
        colours[i].unused = 0;
      }
      SDL_SetColors(surface, colours, 0, 256);
      pixelBytes -= kPaletteBytes;
      LogText(".");
    }
    // Extra bytes beyond pitch x height would overrun the surface: drop them.
    int64_t wanted = static_cast<int64_t>(surface->pitch) * surface->h;
    std::vector<unsigned char> pixels(static_cast<size_t>(wanted < pixelBytes ? wanted : pixelBytes));
    if (fread(pixels.data(), 1, pixels.size(), f.get()) != pixels.size()) throw std::runtime_error("pixels");
    LogText(".");
    SDL_LockSurface(surface);
    memcpy(surface->pixels, pixels.data(), pixels.size());
    LogText(".");
    SDL_UnlockSurface(surface);
    return surface;
  } catch (const std::exception&) {
    LogFormat("Exception catched in BMPPackReader.LoadImage(%s)", file);
    if (surface) SDL_FreeSurface(surface);  // a half-filled surface helps nobody
    return nullptr;
  }
}

int TXTPackReader::LoadTXT(const char* file, int entry, std::vector<char>* buffer) {
  try {
    buffer->clear();
    File f = OpenBinary(file);
    if (!f) return 0;  // a missing pack reads as size 0
    int32_t offset = 0, size = 0;
    if (!ReadDataRecord(f.get(), file, entry, &offset, &size)) return 0;
    buffer->resize(static_cast<size_t>(size));
    if (size > 0 && fread(buffer->data(), 1, buffer->size(), f.get()) != buffer->size()) {
      buffer->clear();
      return 0;
    }
    return size;
  } catch (const std::exception&) {
    LogFormat("Exception catched in TXTPackReader::LoadTXT(%s,%i,ScriptBuffer);\r\n", file, entry);
    buffer->clear();
    return -1;
  }
}

bool ReadDataEntry(const char* file, int entry, std::vector<unsigned char>* bytes) {
  bytes->clear();
  File f = OpenBinary(file);
  if (!f) return false;
  int32_t offset = 0, size = 0;
  if (!ReadDataRecord(f.get(), file, entry, &offset, &size)) return false;
  bytes->resize(static_cast<size_t>(size));
  return size == 0 || fread(bytes->data(), 1, bytes->size(), f.get()) == bytes->size();
}

bool PackHasEntry(const char* file, int entry, int recordSize) {
  File f = OpenBinary(file);
  return f && RecordInside(entry, recordSize, FileSize(f.get()));
}
