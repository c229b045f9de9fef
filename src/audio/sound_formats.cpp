// Header checks for the sound formats SDL_mixer loads as effects: RIFF WAVE,
// AIFF and 8SVX, Creative VOC, Ogg Vorbis and FLAC.
#include "audio/sound_formats.h"
#include "util/bytes.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <utility>

namespace {

uint32_t Big16(const unsigned char* b) { return static_cast<uint32_t>(b[0]) << 8 | b[1]; }
uint32_t Big32(const unsigned char* b) { return Big16(b) << 16 | Big16(b + 2); }

std::string Printed(const char* format, ...) __attribute__((format(printf, 1, 2)));
std::string Printed(const char* format, ...) {
  char text[160];
  va_list args;
  va_start(args, format);
  vsnprintf(text, sizeof text, format, args);
  va_end(args);
  return text;
}

std::string ClaimProblem(const char* format, const char* what, size_t at) {
  return Printed("%s %s at byte %zu claims more data than the file holds", format, what, at);
}

// An 80-bit IEEE extended number (AIFF's sample rate) as a whole number;
// 0 for negative numbers and fractions below 1, saturated above 2^64.
uint64_t ExtendedToWhole(const unsigned char* b) {
  if (b[0] & 0x80) return 0;
  int exponent = static_cast<int>((b[0] & 0x7F) << 8 | b[1]) - 16383;
  uint64_t mantissa = static_cast<uint64_t>(Big32(b + 2)) << 32 | Big32(b + 6);
  if (exponent < 0) return 0;
  if (exponent > 63) return UINT64_MAX;
  return mantissa >> (63 - exponent);
}

// RIFF WAVE: every chunk up to and including "data" inside the bytes (SDL
// allocates what the chunk claims before it reads), and a playable format.
std::string WaveProblem(const unsigned char* data, size_t size) {
  for (size_t at = 12; at + 8 <= size;) {
    uint64_t length = ReadLittle32(data + at + 4);
    if (length > size - at - 8) return ClaimProblem("WAV", "chunk", at);
    if (memcmp(data + at, "fmt ", 4) == 0 && length >= 8) {
      std::string problem = PlayableFormatProblem("WAV", ReadLittle32(data + at + 12), ReadLittle16(data + at + 10));
      if (!problem.empty()) return problem;
    }
    if (memcmp(data + at, "data", 4) == 0) return {};
    at += 8 + length;
  }
  return {};  // no data chunk: SDL refuses it without a large allocation
}

// AIFF and 8SVX (both IFF "FORM" files): every chunk inside the bytes, both
// the format and the sound chunk present (SDL's reader looks for them for ever
// in bytes held in memory), the samples COMM announces inside the sound data
// of SSND past its offset (SDL allocates them first, and leaks them when the
// read falls short), playable formats.
std::string IffProblem(const unsigned char* data, size_t size) {
  uint64_t sampleBytes = 0, soundRoom = UINT64_MAX;
  size_t soundAt = 0, countAt = 0;
  bool aiff = memcmp(data + 8, "AIFF", 4) == 0, svx = memcmp(data + 8, "8SVX", 4) == 0;
  bool format = false, sound = false;
  for (size_t at = 12; at + 8 <= size;) {
    uint64_t length = Big32(data + at + 4);
    if (length > size - at - 8) return ClaimProblem("AIFF", "chunk", at);
    const unsigned char* chunk = data + at + 8;
    std::string problem;
    format |= memcmp(data + at, aiff ? "COMM" : "VHDR", 4) == 0;
    sound |= memcmp(data + at, aiff ? "SSND" : "BODY", 4) == 0;
    if (memcmp(data + at, "COMM", 4) == 0) {
      if (length < 18) return Printed("AIFF COMM chunk at byte %zu is too short", at);
      uint64_t channels = Big16(chunk), frames = Big32(chunk + 2), bits = Big16(chunk + 6);
      uint64_t bytes = channels * frames * ((bits + 7) / 8);
      if (bytes > sampleBytes) sampleBytes = bytes, countAt = at;
      problem = PlayableFormatProblem("AIFF", ExtendedToWhole(chunk + 8), channels);
    } else if (memcmp(data + at, "SSND", 4) == 0) {
      if (length < 8) return Printed("AIFF SSND chunk at byte %zu is too short", at);
      uint64_t offset = Big32(chunk);
      uint64_t room = offset > length - 8 ? 0 : length - 8 - offset;
      if (room < soundRoom) soundRoom = room, soundAt = at;
    } else if (memcmp(data + at, "VHDR", 4) == 0) {
      if (length < 20) return Printed("8SVX VHDR chunk at byte %zu is too short", at);
      problem = PlayableFormatProblem("8SVX", Big16(chunk + 12), 1);
    }
    if (!problem.empty()) return problem;
    at += 8 + length + (length & 1);
  }
  if ((aiff || svx) && !(format && sound))
    return Printed("%s file without its %s chunk", aiff ? "AIFF" : "8SVX",
                   aiff ? (format ? "SSND" : "COMM") : (format ? "BODY" : "VHDR"));
  if (sampleBytes > size) return ClaimProblem("AIFF", "sample count", countAt);
  if (sampleBytes > soundRoom) return ClaimProblem("AIFF", "SSND chunk", soundAt);
  return {};
}

// Creative VOC. SDL_mixer's reader trusts block lengths, and fails or leaks
// on much of what the format allows; only what it reads safely passes: blocks
// inside the bytes and long enough for their fields, playable rates, one rate
// for the whole sound, plain samples, no markers, no empty sound blocks, and
// silence only between sounds, claiming no more than 64 samples per byte of
// the file. Each rule below names what SDL does without it.
std::string VocProblem(const unsigned char* data, size_t size, size_t* used) {
  if (size < 26 || memcmp(data, "Creative Voice File\x1a", 20) != 0) return {};  // SDL refuses it
  uint64_t silence = 0;
  // The rate of the sound blocks as the block gives it: (type, value). An
  // extended block (8) sets the rate of the sound block that follows it, and
  // SDL compares it at once.
  std::pair<unsigned, uint32_t> soundRate{0, 0}, pendingRate{0, 0};
  // SDL writes past its buffer when sound follows a silence in a sound whose
  // rate came from an extended (8) or new-format (9) block.
  size_t riskySilence = 0;
  size_t at = ReadLittle16(data + 20);
  while (at + 4 <= size && data[at] != 0) {
    unsigned type = data[at];
    size_t length = ReadLittle24(data + at + 1);
    const unsigned char* block = data + at + 4;
    if (length > size - at - 4) return ClaimProblem("VOC", "block", at);
    static const size_t kShortest[10] = {0, 2, 0, 3, 0, 0, 2, 0, 4, 12};
    if (type < 10 && length < kShortest[type]) return Printed("VOC block at byte %zu is too short", at);
    // SDL writes past its buffer when more sound follows a sound block
    // without samples.
    if ((type == 1 && length == 2) || (type == 2 && length == 0) || (type == 9 && length == 12))
      return Printed("VOC block at byte %zu holds no samples", at);
    // SDL fails on markers, and leaks the sound read before one.
    if (type == 4) return Printed("VOC marker block at byte %zu cannot be played", at);
    std::pair<unsigned, uint32_t> rate{0, 0};
    std::string problem;
    if (riskySilence && (type == 1 || type == 2 || type == 9))
      return Printed("VOC silence at byte %zu is followed by more sound, which cannot be played in this block format",
                     riskySilence);
    // SDL reads only 8-bit (and, in new-format blocks, 16-bit) samples, and
    // leaks what it has read when a later block has another kind.
    if (((type == 1 || type == 8) && block[type == 1 ? 1 : 2] != 0) || (type == 9 && block[4] != 8 && block[4] != 16))
      return Printed("VOC block at byte %zu holds compressed or unusual samples, which cannot be played", at);
    if (type == 1) {
      rate = pendingRate.first ? pendingRate : std::make_pair(1u, static_cast<uint32_t>(block[0]));
      pendingRate = {0, 0};
    } else if (type == 3) {
      // SDL takes a time constant of 0 for a rate of 0, and fails.
      if (block[2] == 0) return Printed("VOC silence at byte %zu has no rate", at);
      // ... and fails on silence before the first sound, leaking the silence.
      if (!soundRate.first) return Printed("VOC silence at byte %zu comes before any sound", at);
      silence += ReadLittle16(block) + 1;
      if (soundRate.first >= 8 || pendingRate.first == 8) riskySilence = at;
    } else if (type == 8) {
      // SDL's reader fails on a mono extended block whatever its rate.
      if (block[3] == 0) return Printed("VOC extended block at byte %zu is mono, which cannot be played", at);
      problem = PlayableFormatProblem("VOC", 128000000 / (65536 - ReadLittle16(block)), 2);
      pendingRate = rate = {8, ReadLittle16(block)};
    } else if (type == 9) {
      problem = PlayableFormatProblem("VOC", ReadLittle32(block), block[5]);
      rate = {9, ReadLittle32(block)};
    }
    if (!problem.empty()) return problem;
    if (rate.first && soundRate.first && rate != soundRate)
      return Printed("VOC block at byte %zu changes the sample rate, which cannot be played", at);
    if (rate.first) soundRate = rate;
    at += 4 + length;
  }
  // SDL's reader goes on past the terminator, into bytes nobody checked:
  // it is given the file up to the terminator only.
  if (at < size && data[at] == 0) *used = at + 1;
  if (silence > 64 * static_cast<uint64_t>(size))
    return Printed("VOC silence blocks claim %llu samples, more than the file could hold",
                   static_cast<unsigned long long>(silence));
  return {};
}

}  // namespace

std::string PlayableFormatProblem(const char* format, uint64_t rate, uint64_t channels) {
  if (channels < 1 || channels > kMostSoundChannels)
    return Printed("%s sound has %llu channels; 1 to %u can be played", format, static_cast<unsigned long long>(channels), kMostSoundChannels);
  if (rate < kLowestSoundRate || rate > kHighestSoundRate)
    return Printed("%s sound has a rate of %llu Hz; %u to %u Hz can be played", format, static_cast<unsigned long long>(rate),
                   kLowestSoundRate, kHighestSoundRate);
  return {};
}

std::string SoundHeaderProblem(const unsigned char* data, size_t size, size_t* used) {
  size_t ignored;
  if (!used) used = &ignored;
  *used = size;
  if (size < 4) return {};
  if (memcmp(data, "RIFF", 4) == 0) return size >= 12 ? WaveProblem(data, size) : std::string();
  if (memcmp(data, "WAVE", 4) == 0) return "a WAV file without its RIFF header";  // SDL would misread it as RIFF
  if (memcmp(data, "FORM", 4) == 0) return size >= 12 ? IffProblem(data, size) : std::string();
  if (memcmp(data, "Crea", 4) == 0) return VocProblem(data, size, used);
  if (memcmp(data, "OggS", 4) == 0) return OggVorbisProblem(data, size);
  // This mixer never decodes a FLAC sound effect and leaks memory on every try.
  if (memcmp(data, "fLaC", 4) == 0) return "FLAC sound effects cannot be played; use WAV, AIFF, VOC or Ogg Vorbis";
  return {};
}
