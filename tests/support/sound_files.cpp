// WAV files for tests and the disk audio driver's output.
#include "support/sound_files.h"

#include <SDL/SDL.h>

#include <cstdlib>
#include <filesystem>

#include "resources/pack_writer.h"

std::string Wav(const std::vector<int16_t>& samples) {
  std::string data;
  for (int16_t s : samples) {
    data.push_back(static_cast<char>(s & 0xff));
    data.push_back(static_cast<char>((s >> 8) & 0xff));
  }
  std::string wav = "RIFF";
  AppendInt32(&wav, static_cast<int32_t>(36 + data.size()));
  wav += "WAVEfmt ";
  AppendInt32(&wav, 16);
  wav += std::string("\x01\x00\x01\x00", 4);
  AppendInt32(&wav, 22050);
  AppendInt32(&wav, 44100);
  wav += std::string("\x02\x00\x10\x00", 4);
  wav += "data";
  AppendInt32(&wav, static_cast<int32_t>(data.size()));
  return wav + data;
}

std::string SquareWav(int count, int16_t amplitude) {
  std::vector<int16_t> samples;
  for (int i = 0; i < count; ++i) samples.push_back((i / 25) % 2 ? amplitude : static_cast<int16_t>(-amplitude));
  return Wav(samples);
}

DiskAudio::DiskAudio() {
  setenv("SDL_AUDIODRIVER", "disk", 1);
  setenv("SDL_DISKAUDIOFILE", dir_.Path("out.raw").c_str(), 1);
}

DiskAudio::~DiskAudio() {
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  unsetenv("SDL_DISKAUDIOFILE");
}

std::string DiskAudio::Output() const { return dir_.Read("out.raw"); }

size_t DiskAudio::Size() const {
  std::error_code error;
  auto size = std::filesystem::file_size(dir_.Path("out.raw"), error);
  return error ? 0 : static_cast<size_t>(size);
}

bool DiskAudio::WaitForSize(size_t bytes) const {
  // The driver writes a buffer about every 150 ms; ten seconds is plenty.
  for (int waited = 0; waited < 10000; waited += 20) {
    if (Size() >= bytes) return true;
    SDL_Delay(20);
  }
  return false;
}

int DiskAudio::PeakBetween(size_t from, size_t to) const {
  if (!WaitForSize(to)) return -1;
  std::string out = Output();
  int peak = 0;
  for (size_t i = from & ~size_t{1}; i + 1 < to && i + 1 < out.size(); i += 2) {
    int sample = static_cast<int16_t>(static_cast<unsigned char>(out[i]) | (static_cast<unsigned char>(out[i + 1]) << 8));
    peak = std::max(peak, std::abs(sample));
  }
  return peak;
}

int DiskAudio::PeakFromNow() const {
  size_t now = Size();
  return PeakBetween(now + 3 * kBufferBytes, now + 5 * kBufferBytes);
}
