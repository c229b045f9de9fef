// Sound test material: WAV files built in memory and SDL's disk audio driver.
#pragma once

#include <cstdint>
#include <string>

#include "support/temp_dir.h"

// A WAV file of 16-bit mono PCM at the given rate whose data chunk claims dataClaim bytes and holds data.
std::string Wav(const std::string& data, uint32_t dataClaim, int rate = 22050);
// count samples at 22050 Hz of a square wave: 25 samples at -amplitude, 25 at +amplitude, and so on.
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

  // Largest absolute sample of the output mixed from now on; -1 if it never comes.
  int PeakFromNow() const;
  // Whether the device was opened at all (its file exists).
  bool Opened() const;

 private:
  TempDir dir_;
};
