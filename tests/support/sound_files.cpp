// WAV files for tests and the disk audio driver's output.
#include "support/sound_files.h"

#include <SDL/SDL.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>

#include "resources/pack_writer.h"

std::string Wav(const std::string& data, uint32_t dataClaim, int rate) {
  std::string wav = "RIFF";
  AppendInt32(&wav, static_cast<int32_t>(36 + data.size()));
  wav += "WAVEfmt ";
  AppendInt32(&wav, 16);
  wav += std::string("\x01\x00\x01\x00", 4);
  AppendInt32(&wav, rate);
  AppendInt32(&wav, rate * 2);
  wav += std::string("\x02\x00\x10\x00", 4);
  wav += "data";
  AppendInt32(&wav, static_cast<int32_t>(dataClaim));
  return wav + data;
}

std::string SquareWav(int count, int16_t amplitude) {
  std::string data;
  for (int i = 0; i < count; ++i) {
    int16_t s = (i / 25) % 2 ? amplitude : static_cast<int16_t>(-amplitude);
    data.push_back(static_cast<char>(s & 0xff));
    data.push_back(static_cast<char>((s >> 8) & 0xff));
  }
  return Wav(data, static_cast<uint32_t>(data.size()));
}

DiskAudio::DiskAudio() {
  setenv("SDL_AUDIODRIVER", "disk", 1);
  setenv("SDL_DISKAUDIOFILE", dir_.Path("out.raw").c_str(), 1);
}

DiskAudio::~DiskAudio() {
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  unsetenv("SDL_DISKAUDIOFILE");
}

bool DiskAudio::Opened() const { return std::filesystem::exists(dir_.Path("out.raw")); }

int DiskAudio::PeakFromNow() const {
  // Bytes of one mixer buffer at the engine's settings (2048 stereo 16-bit frames).
  const size_t kBuffer = 2048 * 4;
  auto size = [this] {
    std::error_code error;
    auto bytes = std::filesystem::file_size(dir_.Path("out.raw"), error);
    return error ? size_t{0} : static_cast<size_t>(bytes);
  };
  // The file may lag behind the driver by a stdio buffer and the driver may
  // hold one buffer mixed before this moment: skip three buffers, read two.
  size_t from = size() + 3 * kBuffer, to = from + 2 * kBuffer;
  // The driver writes a buffer about every 150 ms; ten seconds is plenty.
  for (int waited = 0; size() < to; waited += 20) {
    if (waited >= 10000) return -1;
    SDL_Delay(20);
  }
  std::string out = dir_.Read("out.raw");
  int peak = 0;
  for (size_t i = from & ~size_t{1}; i + 1 < to; i += 2)
    peak = std::max(peak, std::abs(int(static_cast<int16_t>(static_cast<unsigned char>(out[i]) |
                                                           (static_cast<unsigned char>(out[i + 1]) << 8)))));
  return peak;
}
