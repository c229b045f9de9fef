// Sound test material: WAV files built in memory and SDL's disk audio driver.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "support/temp_dir.h"

// A minimal WAV file: 16-bit mono PCM at 22050 Hz with the given samples.
std::string Wav(const std::vector<int16_t>& samples);
// count samples of a square wave swinging between +amplitude and -amplitude.
std::string SquareWav(int count, int16_t amplitude);

// While it lives, audio devices opened by SDL write their mixed output to a
// file instead of a sound card (SDL's "disk" driver), in real time as the
// mixer runs. Create it before the audio device is opened; it restores the
// silent dummy driver when it goes.
class DiskAudio {
 public:
  DiskAudio();
  ~DiskAudio();
  DiskAudio(const DiskAudio&) = delete;
  DiskAudio& operator=(const DiskAudio&) = delete;

  // Bytes of one mixer buffer at the engine's settings (2048 stereo 16-bit frames).
  static constexpr size_t kBufferBytes = 2048 * 4;

  std::string Output() const;
  size_t Size() const;
  // Sleeps until the output holds at least bytes bytes; false if it never gets there.
  bool WaitForSize(size_t bytes) const;
  // Largest absolute 16-bit sample in [from, to) of the output, once it is written.
  int PeakBetween(size_t from, size_t to) const;
  // Peak of the output mixed from now on. The file may lag behind the driver
  // by a stdio buffer and the driver may hold one buffer mixed before this
  // moment, so it skips three buffers and reads the two after them.
  int PeakFromNow() const;

 private:
  TempDir dir_;
};
