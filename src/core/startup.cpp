// Start-up, configuration and shutdown; the script functions SetScreen, DebugMode, Exit.
#include "core/startup.h"

#include <SDL/SDL.h>
#include <SDL/SDL_mixer.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <string>

#include "audio/sfx.h"
#include "core/close_signals.h"
#include "core/frame_loop.h"
#include "core/pointer_keys.h"
#include "core/window.h"
#include "engine/display.h"
#include "engine/engine.h"
#include "resources/images.h"
#include "resources/pack_readers.h"
#include "resources/pixels.h"
#include "script/script_args.h"
#include "script/name_table.h"
#include "script/script_host.h"
#include "text/bitmap_font.h"
#include "util/log.h"
#include "walk/path_map.h"

namespace {

void CreateManagers(Engine& engine) {
  engine.resources.textPacks = MakeOwned<TXTPackReader>();
  engine.resources.imagePacks = MakeOwned<BMPPackReader>();
  engine.resources.hitTester = MakeOwned<PixelHitTester>();
  engine.audio.sfx = MakeOwned<Sfx>();
  engine.walk.map = MakeOwned<PathMap>();
}

void RunStartScript(Engine& engine, const char* packAddress, const char* looseFile) {
  if (RunScriptAt(engine, packAddress) == ScriptOutcome::kUnread) LoadScript(engine, looseFile);
}

void PrintVideoReport(Engine& engine) {
  const SDL_VideoInfo* info = SDL_GetVideoInfo();
  char driver[50] = "";
  SDL_VideoDriverName(driver, sizeof driver);
  LogText("\r\n--YOUR VIDEO-SYSTEM----------------------------------------------\r\n");
  LogFormat("Is it possible to create hardware surfaces ?         :%i\r\n", info->hw_available);
  LogFormat("Is there a window manager available ?                :%i\r\n", info->wm_available);
  LogFormat("Are hardware to hardware blits accelerated?          :%i\r\n", info->blit_hw);
  LogFormat("Are hardware to hardware colorkey blits accelerated? :%i\r\n", info->blit_hw_CC);
  LogFormat("Are hardware to hardware alpha blits accelerated?    :%i\r\n", info->blit_hw_A);
  LogFormat("Are software to hardware blits accelerated?          :%i\r\n", info->blit_sw);
  LogFormat("Are software to hardware colorkey blits accelerated? :%i\r\n", info->blit_sw_CC);
  LogFormat("Are software to hardware alpha blits accelerated?    :%i\r\n", info->blit_sw_A);
  LogFormat("Are color fills accelerated?                         :%i\r\n", info->blit_fill);
  LogFormat("Total amount of video memory in Kilobytes            :%i kb\r\n", static_cast<int>(info->video_mem));
  LogFormat("Screenwidth                                          :%i\r\n", engine.core.screenWidth);
  LogFormat("Screenheight                                         :%i\r\n", engine.core.screenHeight);
  LogFormat("Fullscreen-Mode ?                                    :%i\r\n", engine.core.fullscreen ? 1 : 0);
  LogFormat("Current BitsPerPixel                                 :%i bpp\r\n", info->vfmt->BitsPerPixel);
  LogFormat("Video Driver                                         :%s\r\n", driver);
  LogText("-----------------------------------------------------------------\r\n");
}

void SetWindowIcon() {
  SDL_Surface* icon = nullptr;
  if (FILE* file = fopen("icon1.bmp", "rb")) {
    icon = ReadBmp(SDL_RWFromFP(file, 1));
  }
  SDL_WM_SetIcon(icon, nullptr);  // a null icon keeps the default one
  if (icon) SDL_FreeSurface(icon);
}

// --mute: everything is mixed as usual, then replaced by silence.
void Silence(void*, Uint8* stream, int length) { std::memset(stream, 0, length); }

bool OpenMixer() { return Mix_OpenAudio(22050, AUDIO_S16LSB, 2, 2048) != -1; }

// The mixer on SDL's dummy audio driver: sounds load, play and end as they
// would on a sound card, and nothing reaches a device. SDL offers that driver
// only when it is asked for by name in the environment.
bool OpenMixerWithoutDevice() {
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
  const char* chosen = std::getenv("SDL_AUDIODRIVER");
  std::string before = chosen ? chosen : "";
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  bool opened = SDL_InitSubSystem(SDL_INIT_AUDIO) == 0 && OpenMixer();
  if (chosen) {
    setenv("SDL_AUDIODRIVER", before.c_str(), 1);
  } else {
    unsetenv("SDL_AUDIODRIVER");
  }
  return opened;
}

// A muted game never opens the audio device; a machine without one plays
// the game silent rather than refusing it.
bool OpenAudio(const Engine& engine) {
  if (engine.player.mute && OpenMixerWithoutDevice()) return true;
  if (OpenMixer()) return true;
  LogFormat("Mix_OpenAudio: %s\n", SDL_GetError());
  if (!OpenMixerWithoutDevice()) return false;
  LogText("No audio device: the game goes on without sound.\r\n");
  return true;
}

// A start-up failure that ends the program: close what was opened.
int AbandonStartup(Engine& engine) {
  CloseScripting(engine);
  Mix_CloseAudio();
  CloseScreen(engine);
  SDL_Quit();
  return 1;
}

}  // namespace

bool InitSDL(Engine& engine) {
  if (SDL_Init(SDL_INIT_TIMER | SDL_INIT_AUDIO | SDL_INIT_VIDEO | SDL_INIT_NOPARACHUTE) == -1) {
    LogFormat("Can't init SDL:  %s\n", SDL_GetError());
    return false;
  }
  static bool quitAtExit = false;
  if (!quitAtExit) quitAtExit = atexit(SDL_Quit) == 0;
  try {
    if (!OpenScreen(engine)) return false;
    if (!OpenAudio(engine)) return false;
    Mix_SetPostMix(engine.player.mute ? Silence : nullptr, nullptr);
    engine.core.sdlOpen = true;
    OpenGamepad(engine);
    WatchCloseSignals();
    PrintVideoReport(engine);
    SDL_WM_SetCaption("Quillon", "icon1.bmp");
    SetWindowIcon();
    SDL_ShowCursor(0);
  } catch (const std::exception& failure) {
    LogFormat("\nFehler INIT_SDL: %s", failure.what());
  }
  return true;
}

void Cleanup(Engine& engine) {
  CloseScripting(engine);
  Mix_CloseAudio();
  // Surfaces go while the video system that may have made them is still open.
  engine.text.systemFont.reset();
  engine.text.talkFont.reset();
  engine.text.decisionFont.reset();
  ReleaseAllImages(engine);
  CloseGamepad(engine);
  CloseScreen(engine);
  SDL_Quit();
  engine.core.sdlOpen = false;
  engine.core.screen = nullptr;
  engine.walk.map.reset();
  engine.resources.imagePacks.reset();
  engine.resources.textPacks.reset();
}

int RunEngine(Engine& engine) {
  try {
    CreateManagers(engine);
    LogText("INIT LUA...");
    OpenScripting(engine);
    LogText("OK\r\n");
    LogText("<<< RUN APPLICATION-CONFIGURATION SCRIPT >>>\r\n");
    RunStartScript(engine, "lua.dat:0", "conf.lua");
    ReadNameTable(engine);
    LogText("INIT SDL...");
    if (!InitSDL(engine)) return AbandonStartup(engine);
    LogText("OK\r\n");
    LogText("<<< RUN INITIAL SCRIPT >>>\r\n");
    RunStartScript(engine, "lua.dat:1", "init.lua");
    CallInit(engine);
    LogText("<<< CALL GAMELOOP >>>\r\n");
    GameLoop(engine);
    SetDisplayGamma(engine, 1.0f);
    LogText("CLEANUP...");
    Cleanup(engine);
    LogText("OK\r\n");
    return 0;
  } catch (...) {
    LogText("Exception catched in main\r\n");
    return 0;
  }
}

int lua_SetScreen(lua_State* L) {
  Engine& engine = EngineOf(L);
  GuardedCall(L, [&] {
    int width = ArgInt(L, 1);
    int height = ArgInt(L, 2);
    int depth = ArgInt(L, 3);
    std::string mode = ArgString(L, 4);
    if (width <= 0 || height <= 0 || depth <= 0 || mode.empty()) return;
    engine.core.screenWidth = width;
    engine.core.screenHeight = height;
    engine.core.screenDepth = depth;
    engine.core.fullscreen = mode == "FULLSCREEN";
  });
  return 0;
}

int lua_DebugMode(lua_State* L) {
  EngineOf(L).core.debug = true;
  return 0;
}

int lua_Exit(lua_State* L) {
  EngineOf(L).core.running = false;
  return 0;
}
