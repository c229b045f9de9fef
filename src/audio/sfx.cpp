// The sound manager: loading, playing, stopping and volumes of sounds and music.
#include "audio/sfx.h"

#include <SDL/SDL.h>

#include "audio/sound_bytes.h"
#include "util/guard.h"
#include "util/log.h"
#include "util/resource_address.h"

int MixerVolume(int volume) { return static_cast<int>(volume * 128.0 / 100.0 + 1.0); }

Sfx::Sfx() : packReader_(std::make_unique<SFXPackReader>()) {}

Sfx::~Sfx() {
  for (int i = 0; i < sounds_.Count(); ++i) Mix_FreeChunk(sounds_.ValueAt(i));  // null slots are ignored
  for (int i = 0; i < music_.Count(); ++i) Mix_FreeMusic(music_.ValueAt(i));
}

Mix_Chunk* Sfx::LoadChunk(const std::string& address) {
  ResourceAddress where = SplitAddress(address);
  if (where.isPackEntry && where.entry < 0) {
    LogText("Fehler beim Laden aus SFX-Pack.\r\n");
    return nullptr;
  }
  if (where.isPackEntry) {
    LogFormat("lade Sound Nr.%i aus %s ", where.entry, where.file.c_str());
    Mix_Chunk* chunk = packReader_->LoadSound(where.file.c_str(), where.entry);
    if (!chunk) LogFormat("SFXReader->LoadSound-Error: %s\r\n", SDL_GetError());
    return chunk;
  }
  LogFormat("lade Sound %s.", address.c_str());
  Mix_Chunk* chunk = LoadSoundFile(address);
  if (!chunk) LogFormat("Mix_LoadWAV-Error: %s\r\n", SDL_GetError());
  return chunk;
}

void Sfx::Register(const std::string& name, Mix_Chunk* chunk) {
  int slot = sounds_.IndexOf(name);
  if (slot >= 0 && !sounds_.ValueAt(slot)) {
    sounds_.ValueAt(slot) = chunk;  // a removed sound comes back on its old channel
    return;
  }
  if (slot < 0) sounds_.Add(name, chunk);
  // The name keeps its first sound; a chunk the registry did not take is ours to free.
  if (sounds_.Get(name) != chunk) Mix_FreeChunk(chunk);
}

void Sfx::LoadSoundFromFile(const std::string& name, const std::string& address) {
  GuardedWith([&] { return FormatText("Exception catched in LoadSoundFromFile(%s)\r\n", address.c_str()); },
              [&] {
                Mix_Chunk* chunk = LoadChunk(address);
                if (!chunk) return;
                Register(name, chunk);
                if (sounds_.Get(name) == chunk) soundSources_[name].address = address;
                Mix_AllocateChannels(sounds_.Count());
                LogText("OK\r\n");
              });
}

void Sfx::RemoveSound(const std::string& name) {
  GuardedWith([&] { return FormatText("Exception catched in RemoveSound(%s)\r\n", name.c_str()); },
              [&] {
                int channel = sounds_.IndexOf(name);
                if (channel < 0 || !sounds_.ValueAt(channel)) return;
                // The entry stays as an empty slot: every later sound keeps its channel.
                Mix_HaltChannel(channel);
                Mix_FreeChunk(sounds_.ValueAt(channel));
                sounds_.ValueAt(channel) = nullptr;
                soundSources_[name].address.clear();
              });
}

void Sfx::PlaySound(const std::string& name, int loops, int ticks) {
  GuardedWith([&] { return FormatText("Exception catched in PlaySound(%s)\r\n", name.c_str()); },
              [&] {
                int channel = sounds_.IndexOf(name);
                Mix_Chunk* chunk = sounds_.Get(name);
                if (channel == -1 || !chunk) {
                  LogFormat("Sound <<%s>> does not exist.\r\n", name.c_str());
                  return;
                }
                Mix_PlayChannelTimed(channel, chunk, loops, ticks == 0 ? -1 : ticks);
              });
}

void Sfx::SetSoundVolume(const std::string& name, int volume) {
  GuardedWith(
      [&] { return FormatText("Exception catched in SetSoundVolume(%s,%i)\r\n", name.c_str(), volume); },
      [&] {
        int channel = sounds_.IndexOf(name);
        if (channel == -1) {
          LogFormat("Sound <<%s>> does not exist.\r\n", name.c_str());
        } else if (volume >= 0 && volume <= 100) {
          Mix_Volume(channel, MixerVolume(volume));
          soundSources_[name].volume = volume;
        } else {
          LogFormat("Can't set volume for Sound(%s). Value must be in the range of 0-100", name.c_str());
        }
      });
}

void Sfx::StopSound(const std::string& name) {
  GuardedWith([&] { return FormatText("Exception catched in StopSound(%s)\r\n", name.c_str()); },
              [&] {
                int channel = sounds_.IndexOf(name);
                if (channel == -1) {
                  LogFormat("Sound <<%s>> does not exist.\r\n", name.c_str());
                  return;
                }
                Mix_HaltChannel(channel);
              });
}

void Sfx::StopAllSounds() {
  Guarded("Exception catched in StopAllSounds\r\n", [&] { Mix_HaltChannel(-1); });
}

void Sfx::LoadMusicFile(const std::string& name, const std::string& file) {
  GuardedWith([&] { return FormatText("Exception catched in LoadMusicFile(%s)\r\n", file.c_str()); },
              [&] {
                Mix_Music* music = Mix_LoadMUS(file.c_str());
                if (!music) {
                  LogFormat("Mix_LoadMUS(%s): %s\n", file.c_str(), SDL_GetError());
                  return;
                }
                music_.Add(name, music);
                // As with sounds, the name keeps its first music.
                if (music_.Get(name) != music) Mix_FreeMusic(music);
                else musicFiles_[name] = file;
              });
}

void Sfx::PlayMusic(const std::string& name) {
  GuardedWith([&] { return FormatText("Exception catched in PlayMusic(%s)\r\n", name.c_str()); },
              [&] {
                if (Mix_PlayingMusic())
                  LogFormat("There´s already music playing, stop it before you try to start playing <<%s>>\r\n",
                            name.c_str());
                Mix_Music* music = music_.Get(name);
                if (!music) {
                  LogFormat("Music(%s) doen't exists\r\n", name.c_str());
                  return;
                }
                if (Mix_PlayMusic(music, -1) == -1) LogFormat("Sfx::PlayMusic(%s): %s\n", name.c_str(), SDL_GetError());
                else playingMusic_ = name;
              });
}

void Sfx::RemoveMusic(const std::string& name) {
  GuardedWith([&] { return FormatText("Exception catched in RemoveMusic(%s)\r\n", name.c_str()); },
              [&] {
                Mix_FreeMusic(music_.Get(name));  // the mixer stops it first if it is playing
                music_.Remove(name);
                musicFiles_.erase(name);
                if (playingMusic_ == name) playingMusic_.clear();
              });
}

void Sfx::SetVolume(int volume) {
  GuardedWith([&] { return FormatText("Exception catched in SetVolume(%i)\r\n", volume); },
              [&] {
                if (volume >= 0 && volume <= 100) {
                  Mix_VolumeMusic(MixerVolume(volume));
                  musicVolume_ = volume;
                } else
                  LogText("Can't set volume. Value must be in the range of 0-100");
              });
}

void Sfx::StopMusic() {
  Guarded("Exception catched in StopMusic()\r\n", [&] {
    Mix_HaltMusic();
    playingMusic_.clear();
  });
}

Sfx::SoundSource Sfx::SourceOf(const std::string& name) const {
  auto found = soundSources_.find(name);
  return found == soundSources_.end() ? SoundSource{} : found->second;
}

std::string Sfx::MusicFile(const std::string& name) const {
  auto found = musicFiles_.find(name);
  return found == musicFiles_.end() ? std::string() : found->second;
}
