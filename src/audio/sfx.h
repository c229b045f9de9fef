// The sound manager: sounds and music by name, played through SDL_mixer.
#pragma once

#include <SDL/SDL_mixer.h>

#include <map>
#include <memory>
#include <string>

#include "audio/sound_pack.h"
#include "util/hashtable.h"

// Every sound plays on its own mixer channel: the channel is the sound's index
// in the sound registry, and the mixer has exactly as many channels as the
// registry has entries. Sounds are never moved, so a channel never changes.
//
// The manager owns every chunk and piece of music it holds and frees them when
// it goes away. SDL_mixer allows that after the audio device has been closed
// (the chunks and music are plain memory then), so the engine may outlive it.
class Sfx {
 public:
  Sfx();
  virtual ~Sfx();
  Sfx(const Sfx&) = delete;
  Sfx& operator=(const Sfx&) = delete;

  // A sound file or a sound pack entry ("sfx.dat:2") under a name; a name
  // already in use keeps its first sound.
  void LoadSoundFromFile(const std::string& name, const std::string& address);
  // Frees the sound; its channel stays reserved for the name.
  void RemoveSound(const std::string& name);
  // loops: 0 plays once, n plays n + 1 times, -1 until stopped; ticks 0: no time limit.
  void PlaySound(const std::string& name, int loops, int ticks);
  void SetSoundVolume(const std::string& name, int volume);  // 0 to 100
  void StopSound(const std::string& name);
  void StopAllSounds();

  void LoadMusicFile(const std::string& name, const std::string& file);
  void PlayMusic(const std::string& name);  // loops for ever
  void RemoveMusic(const std::string& name);
  void SetVolume(int volume);  // music volume, 0 to 100
  void StopMusic();

  const Hashtable<Mix_Chunk*>& Sounds() const { return sounds_; }
  const Hashtable<Mix_Music*>& Music() const { return music_; }

  // Where a sound came from and the volume last set, for saved games.
  struct SoundSource {
    std::string address;  // empty: not loaded, or removed
    int volume = -1;      // -1: never set
  };
  SoundSource SourceOf(const std::string& name) const;
  std::string MusicFile(const std::string& name) const;
  const std::string& PlayingMusic() const { return playingMusic_; }  // empty: none started, or stopped
  int MusicVolume() const { return musicVolume_; }                   // -1: never set

 private:
  Mix_Chunk* LoadChunk(const std::string& address);
  void Register(const std::string& name, Mix_Chunk* chunk);

  Hashtable<Mix_Music*> music_;                // music by name; owned
  Hashtable<Mix_Chunk*> sounds_;               // sounds by name; index = channel; owned (null once removed)
  std::unique_ptr<SFXPackReader> packReader_;  // reads sound pack entries
  std::map<std::string, SoundSource> soundSources_;  // by sound name
  std::map<std::string, std::string> musicFiles_;    // by music name
  std::string playingMusic_;                         // music last started and not stopped
  int musicVolume_ = -1;
};

// The mixer value of a 0-100 volume: 0 stays audible at 1, 100 gives 129,
// which the mixer caps at its maximum of 128.
int MixerVolume(int volume);
