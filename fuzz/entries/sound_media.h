// Sound files of every format the mixer loads as effects, small and valid
// unless told otherwise: seeds for the fuzzers and material for tests.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

// 16-bit AIFF of 1000 frames of a square wave, rate and channels as given.
std::string AiffBytes(double rate, int channels);
// 8-bit 8SVX of 1000 samples.
std::string SvxBytes(uint16_t rate);
// Creative VOC made of the given blocks (type, contents) and a terminator.
std::string VocBytes(const std::vector<std::pair<int, std::string>>& blocks);
// A VOC sound-data block (type 1) of n samples at about 11 kHz.
std::pair<int, std::string> VocSamples(int n);
// Ogg Vorbis of a short square wave at 22050 Hz, mono.
std::string OggVorbisBytes();
// The same stream with its header's rate and channels changed (and its page
// checksum mended, so the decoder believes them).
std::string WithOggFormat(std::string ogg, uint32_t rate, int channels);
