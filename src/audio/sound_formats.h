// What SDL_mixer must not be given: sound headers whose claims its loaders
// would trust (allocating what a header claims, or converting from a rate
// its converter cannot take) are caught here first.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// Rates and channel counts every loader's output must lie within. SDL converts
// each sound to the device's rate with a fixed table of filter steps and no
// check: a rate far from the device's (a few Hz, tens of MHz) writes past that
// table and crashes. Real sounds lie well inside these bounds.
constexpr uint32_t kLowestSoundRate = 2000;
constexpr uint32_t kHighestSoundRate = 192000;
constexpr uint32_t kMostSoundChannels = 6;

// Empty when the bytes may go to SDL_mixer (including bytes it will refuse
// by itself); otherwise what is wrong with them, for the author's log. used,
// when given, receives how many of the bytes the mixer may be given: all of
// them, but a VOC file ends at its terminator block.
std::string SoundHeaderProblem(const unsigned char* data, size_t size, size_t* used = nullptr);

// Rate and channel count of the format, checked against the bounds above.
std::string PlayableFormatProblem(const char* format, uint64_t rate, uint64_t channels);

// The rate and channels of every logical stream of an Ogg Vorbis file, read
// by the same library SDL_mixer decodes it with.
std::string OggVorbisProblem(const unsigned char* data, size_t size);
