/* SDL's audio driver in the browser: the page's Web Audio node pulls the
   mixed sound from SDL's callback (QuillonPullAudio), so no audio thread is
   needed. It takes the place of SDL's dummy driver in the web build only,
   under the dummy driver's bootstrap and name: SDL's driver list stays as it
   is, and SDL_AUDIODRIVER=dummy (as headless runs set it) finds it. */
#include <emscripten.h>

#include "SDL_config.h"
#include "SDL_audio.h"
#include "../SDL_audio_c.h"
#include "../SDL_sysaudio.h"

#define WEBAUDIO_DRIVER_NAME "dummy"

struct SDL_PrivateAudioData {
  int unused;
};

/* The open device and the format SDL opened it with (SDL keeps it in the
   device); SDL opens one device at a time. */
static SDL_AudioDevice *open_device;
static SDL_AudioSpec *open_format;

static int WEBAUD_Available(void) { return 1; }

static void WEBAUD_WaitAudio(SDL_AudioDevice *device) {}
static void WEBAUD_PlayAudio(SDL_AudioDevice *device) {}
static Uint8 *WEBAUD_GetAudioBuf(SDL_AudioDevice *device) { return NULL; }

static void WEBAUD_CloseAudio(SDL_AudioDevice *device) {
  open_device = NULL;
  open_format = NULL;
  EM_ASM(if (Module.quillonAudio) Module.quillonAudio.close(););
}

static int WEBAUD_OpenAudio(SDL_AudioDevice *device, SDL_AudioSpec *format) {
  /* Web Audio takes 16-bit samples converted in the page; other formats
     are converted by SDL before they reach it. */
  format->format = AUDIO_S16LSB;
  SDL_CalculateAudioSpec(format);
  open_device = device;
  open_format = format;
  EM_ASM({ if (Module.quillonAudio) Module.quillonAudio.open($0, $1, $2); }, format->freq, format->channels,
         format->samples);
  return 1; /* the page calls the callback: no thread */
}

/* Fills len bytes of 16-bit samples: the callback's sound, or silence while paused or closed. */
EMSCRIPTEN_KEEPALIVE void QuillonPullAudio(Uint8 *stream, int len) {
  SDL_AudioDevice *audio = open_device;
  SDL_memset(stream, 0, len);
  if (!audio || audio->paused || !audio->enabled) return;
  open_format->callback(open_format->userdata, stream, len);
}

static void WEBAUD_DeleteDevice(SDL_AudioDevice *device) {
  SDL_free(device->hidden);
  SDL_free(device);
}

static SDL_AudioDevice *WEBAUD_CreateDevice(int devindex) {
  SDL_AudioDevice *device = (SDL_AudioDevice *)SDL_malloc(sizeof(SDL_AudioDevice));
  if (!device) {
    SDL_OutOfMemory();
    return NULL;
  }
  SDL_memset(device, 0, sizeof *device);
  device->hidden = (struct SDL_PrivateAudioData *)SDL_malloc(sizeof *device->hidden);
  if (!device->hidden) {
    SDL_free(device);
    SDL_OutOfMemory();
    return NULL;
  }
  device->OpenAudio = WEBAUD_OpenAudio;
  device->WaitAudio = WEBAUD_WaitAudio;
  device->PlayAudio = WEBAUD_PlayAudio;
  device->GetAudioBuf = WEBAUD_GetAudioBuf;
  device->CloseAudio = WEBAUD_CloseAudio;
  device->free = WEBAUD_DeleteDevice;
  return device;
}

AudioBootStrap DUMMYAUD_bootstrap = {WEBAUDIO_DRIVER_NAME, "Web Audio, pulled by the page", WEBAUD_Available,
                                     WEBAUD_CreateDevice};
