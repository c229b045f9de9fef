// Headless SDL opened once per process, the fixture media folder, and the per-input engine.
#include "fuzz/entries/fuzz_world.h"

#include <SDL/SDL_mixer.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>

#include "audio/sfx.h"
#include "resources/images.h"
#include "resources/pack_readers.h"
#include "resources/pixels.h"
#include "script/script_host.h"
#include "text/bitmap_font.h"
#include "util/log.h"
#include "walk/path_map.h"

namespace {

FuzzWorld world;

void Quiet() {
  // Logging every input would cost more than running it; QUILLON_FUZZ_LOG=1 shows it.
  if (getenv("QUILLON_FUZZ_LOG")) return;
  SetLogSink([](std::string_view) {});
  SetErrorSink([](std::string_view) {});
}

void WriteFixtureMedia() {
  WriteWorldFile("a.bmp", SpriteBmp());
  WriteWorldFile("p8.bmp", PaletteBmp());
  WriteWorldFile("f.bmp", FontBmp());
  WriteWorldFile("s.wav", SoundWav());
  WriteWorldFile("m.map", WalkMapBytes());
  WriteWorldFile("strings.DE", StringFileText());
  WriteWorldFile("strings.EN", "one\ntwo\n");
  WriteWorldFile("p.dat", ScriptPackBytes());
  WriteWorldFile("img.dat", ImagePackBytes());
  WriteWorldFile("sfx.dat", SoundPackBytes());
}

}  // namespace

FuzzWorld& OpenFuzzWorld() {
  if (world.dir.empty()) {
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    char pattern[] = "/tmp/quillon-fuzz-XXXXXX";
    if (!mkdtemp(pattern)) abort();
    world.dir = pattern;
    Quiet();
  }
  if (!SDL_WasInit(SDL_INIT_VIDEO) || !SDL_GetVideoSurface()) {
    if (SDL_Init(SDL_INIT_TIMER | SDL_INIT_AUDIO | SDL_INIT_VIDEO | SDL_INIT_NOPARACHUTE) == -1) abort();
    world.screen = SDL_SetVideoMode(kFuzzScreenWidth, kFuzzScreenHeight, 24, SDL_HWSURFACE | SDL_DOUBLEBUF);
    if (!world.screen || Mix_OpenAudio(22050, AUDIO_S16LSB, 2, 2048) == -1) abort();
    WriteFixtureMedia();  // after SDL: the media are made with its surfaces
  }
  return world;
}

void CloseFuzzWorld() {
  if (!world.screen) return;
  Mix_CloseAudio();
  SDL_Quit();
  world.screen = nullptr;
}

std::string WriteWorldFile(const std::string& name, const uint8_t* data, size_t size) {
  std::string path = world.dir + "/" + name;
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  return path;
}

std::string WriteWorldFile(const std::string& name, const std::string& bytes) {
  return WriteWorldFile(name, reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
}

FuzzEngine::FuzzEngine() {
  FuzzWorld& w = OpenFuzzWorld();
  // Every input starts from a still pointer and an empty event queue.
  SDL_Event stale;
  while (SDL_PollEvent(&stale)) {
  }
  SDL_WarpMouse(0, 0);
  SDL_PumpEvents();
  SDL_PollEvent(&stale);

  engine.core.screen = w.screen;
  engine.core.screenWidth = kFuzzScreenWidth;
  engine.core.screenHeight = kFuzzScreenHeight;
  engine.resources.textPacks = MakeOwned<TXTPackReader>();
  engine.resources.imagePacks = MakeOwned<BMPPackReader>();
  engine.resources.hitTester = MakeOwned<PixelHitTester>();
  engine.audio.sfx = MakeOwned<Sfx>();
  engine.walk.map = MakeOwned<PathMap>();
  engine.clock.context = this;
  engine.clock.source = [](void* self) { return static_cast<FuzzEngine*>(self)->now; };
  engine.core.frameHook = [this](Engine&) {
    now += msPerFrame;
    ++framesThisCall;
  };
  OpenScripting(engine);
}

FuzzEngine::~FuzzEngine() {
  CloseScripting(engine);
  engine.text.systemFont.reset();
  engine.text.talkFont.reset();
  engine.text.decisionFont.reset();
  ReleaseAllImages(engine);
  engine.audio.sfx.reset();
}
