// Decoding sound bytes with SDL_mixer, after checking that their headers claim no more data than they hold.
#pragma once

#include <SDL/SDL_mixer.h>

#include <cstddef>
#include <string>

// False when the header claims more than the bytes hold (SDL's loaders
// allocate what a header claims before they read) or a rate or channel
// count SDL cannot convert; see sound_formats.h.
bool SoundClaimsFit(const unsigned char* data, size_t size);

// A new chunk decoded from the bytes (the chunk keeps its own copy), or null
// when they are empty, fail the header checks, or SDL_mixer cannot read them (the
// reason is in SDL_GetError).
Mix_Chunk* DecodeSound(const unsigned char* data, size_t size);

// The same for a whole sound file; null when it cannot be read.
Mix_Chunk* LoadSoundFile(const std::string& path);
