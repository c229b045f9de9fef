// Ogg Vorbis headers are read with libvorbisfile itself, so the engine sees
// exactly the rate and channel count SDL_mixer will convert from.
#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <cstring>

#include "audio/sound_formats.h"

namespace {

struct MemoryStream {
  const unsigned char* data;
  size_t size;
  size_t at;
};

size_t ReadMemory(void* into, size_t item, size_t count, void* source) {
  auto* stream = static_cast<MemoryStream*>(source);
  if (item == 0) return 0;
  size_t items = std::min(count, (stream->size - stream->at) / item);
  memcpy(into, stream->data + stream->at, items * item);
  stream->at += items * item;
  return items;
}

int SeekMemory(void* source, ogg_int64_t offset, int whence) {
  auto* stream = static_cast<MemoryStream*>(source);
  ogg_int64_t base = whence == SEEK_CUR ? static_cast<ogg_int64_t>(stream->at)
                     : whence == SEEK_END ? static_cast<ogg_int64_t>(stream->size)
                                          : 0;
  if (offset < -base || base + offset > static_cast<ogg_int64_t>(stream->size)) return -1;
  stream->at = static_cast<size_t>(base + offset);
  return 0;
}

long TellMemory(void* source) { return static_cast<long>(static_cast<MemoryStream*>(source)->at); }

}  // namespace

std::string OggVorbisProblem(const unsigned char* data, size_t size) {
  MemoryStream stream{data, size, 0};
  OggVorbis_File file;
  ov_callbacks callbacks{ReadMemory, SeekMemory, nullptr, TellMemory};
  // Not a Vorbis stream: SDL_mixer's own loader refuses it with its reason.
  if (ov_open_callbacks(&stream, &file, nullptr, 0, callbacks) != 0) return {};
  std::string problem;
  for (long link = 0; link < ov_streams(&file) && problem.empty(); ++link) {
    if (vorbis_info* info = ov_info(&file, static_cast<int>(link)))
      problem = PlayableFormatProblem("Ogg Vorbis", static_cast<uint64_t>(info->rate),
                                      static_cast<uint64_t>(info->channels));
  }
  ov_clear(&file);
  return problem;
}
