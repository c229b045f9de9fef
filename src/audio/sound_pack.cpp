// Sound pack entries: read like every data entry, then decoded by the mixer.
#include "audio/sound_pack.h"

#include <exception>
#include <vector>

#include "audio/sound_bytes.h"
#include "resources/pack_readers.h"
#include "util/log.h"

Mix_Chunk* SFXPackReader::LoadSound(const char* file, int entry) {
  try {
    std::vector<unsigned char> data;
    if (!ReadDataEntry(file, entry, &data)) return nullptr;
    return DecodeSound(data.data(), data.size());
  } catch (const std::exception&) {
    LogFormat("Exception catched in SFXPackReader::LoadSound(%s, %i)\r\n", file, entry);
    return nullptr;
  }
}
