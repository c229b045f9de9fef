// Start-up and shutdown of a whole game run, read off the log.
#include <gtest/gtest.h>

#include "resources/pack_writer.h"
#include "support/game_harness.h"
#include "support/sound_files.h"

namespace {

const char kReportHead[] =
    "\r\n--YOUR VIDEO-SYSTEM----------------------------------------------\r\n"
    "Is it possible to create hardware surfaces ?         :0\r\n"
    "Is there a window manager available ?                :0\r\n"
    "Are hardware to hardware blits accelerated?          :0\r\n"
    "Are hardware to hardware colorkey blits accelerated? :0\r\n"
    "Are hardware to hardware alpha blits accelerated?    :0\r\n"
    "Are software to hardware blits accelerated?          :0\r\n"
    "Are software to hardware colorkey blits accelerated? :0\r\n"
    "Are software to hardware alpha blits accelerated?    :0\r\n"
    "Are color fills accelerated?                         :0\r\n"
    "Total amount of video memory in Kilobytes            :0 kb\r\n";

std::string Report(int width, int height, int fullscreen, int depth) {
  return std::string(kReportHead) +
         FormatText("Screenwidth                                          :%i\r\n", width) +
         FormatText("Screenheight                                         :%i\r\n", height) +
         FormatText("Fullscreen-Mode ?                                    :%i\r\n", fullscreen) +
         FormatText("Current BitsPerPixel                                 :%i bpp\r\n", depth) +
         "Video Driver                                         :dummy\r\n"
         "-----------------------------------------------------------------\r\n";
}

// The averages of a run without a frame.
const std::string kNan = FormatText("%f", 0 / static_cast<double>(0));

const char kExitAtOnce[] =
    "function Init() print('init') end\n"
    "function Main() print('main') Exit() end\n";

TEST(Startup, LooseFilesGiveTheFullLogByteForByte) {
  GameHarness game;
  game.Write("conf.lua", "SetScreen(800, 600, 16, 'WINDOW')\n");
  game.Write("init.lua", kExitAtOnce);
  EXPECT_EQ(game.Run(), 0);
  EXPECT_EQ(game.log.Text(),
            "INIT LUA...OK\r\n"
            "<<< RUN APPLICATION-CONFIGURATION SCRIPT >>>\r\n"
            "Load Script <<lua.dat:0>>...ERR: Datei <<lua.dat>> existiert nicht.\r\n"
            "Load Script <<conf.lua>>...OK\r\n"
            "INIT SDL..." + Report(800, 600, 0, 16) + "OK\r\n"
            "<<< RUN INITIAL SCRIPT >>>\r\n"
            "Load Script <<lua.dat:1>>...ERR: Datei <<lua.dat>> existiert nicht.\r\n"
            "Load Script <<init.lua>>...OK\r\n"
            "<<< CALL INIT-FUNCTION >>>\r\n"
            "init\n"
            "<<< CALL MAIN-FUNCTION >>>\r\n"
            "main\n"
            "<<< CALL GAMELOOP >>>\r\n"
            "Average FPS = " + kNan + "\r\n"
            "Average TimeFactor = " + kNan + "\r\n"
            "CLEANUP...OK\r\n");
}

TEST(Startup, FallbacksAndFailuresOnTheWayIntoTheGame) {
  struct Case {
    std::string conf, pack, init, log;
  } cases[] = {
      // No configuration: the runtime reports the missing file, and the default window opens.
      {"", "", kExitAtOnce,
       "Load Script <<conf.lua>>...ERR: Datei <<conf.lua>> existiert nicht.\r\nINIT SDL..." + Report(640, 480, 0, 24)},
      // Both scripts from the pack, the loose configuration left unread.
      {"error('the loose file must not run')", BuildDataPack({"SetScreen(320, 200, 32, 'WINDOW')", kExitAtOnce}),
       "", "<<< RUN APPLICATION-CONFIGURATION SCRIPT >>>\r\nLoad Script <<lua.dat:0>>...OK\r\nINIT SDL..." +
               Report(320, 200, 0, 32) + "OK\r\n<<< RUN INITIAL SCRIPT >>>\r\nLoad Script <<lua.dat:1>>...OK\r\n"},
      // A pack entry that fails to compile is no reason to run the loose file.
      {"print('the loose file ran')", BuildDataPack({"this is not lua", kExitAtOnce}), "",
       "Load Script <<lua.dat:0>>...ERR: Syntaxfehler in <<lua.dat:0>>.\r\nINIT SDL..."},
      // An entry outside the pack's index falls back to the loose file.
      {"", BuildDataPack({"SetScreen(320, 200, 32, 'WINDOW')"}), kExitAtOnce,
       "Load Script <<lua.dat:1>>...[lua.dat: Eintrag 1 fehlt oder ist beschaedigt] "
       "ERR: Datei <<lua.dat>> existiert nicht.\r\nLoad Script <<init.lua>>...OK\r\n"},
      // Exit inside Init runs no loop frame, but Main still runs.
      {"", "", "function Init() Exit() end function Main() print('main still runs') end",
       "main still runs\n<<< CALL GAMELOOP >>>\r\nAverage FPS = " + kNan + "\r\nAverage TimeFactor = " + kNan +
           "\r\nCLEANUP...OK\r\n"},
      {"SetScreen(800, 600, 16)", "", kExitAtOnce,
       "Load Script <<conf.lua>>...Exception catched in lua_SetScreen\r\nOK\r\nINIT SDL..." + Report(640, 480, 0, 24)},
      // Incomplete settings are ignored; sizes are truncated, the mode words exact.
      {"SetScreen(0, 600, 16, 'WINDOW')", "", kExitAtOnce, Report(640, 480, 0, 24)},
      {"SetScreen(800, -1, 16, 'WINDOW')", "", kExitAtOnce, Report(640, 480, 0, 24)},
      {"SetScreen(800, 600, 0, 'WINDOW')", "", kExitAtOnce, Report(640, 480, 0, 24)},
      {"SetScreen(800, 600, 16, '')", "", kExitAtOnce, Report(640, 480, 0, 24)},
      {"SetScreen(800.9, 600.2, 16, 'window')", "", kExitAtOnce, Report(800, 600, 0, 16)},
      {"SetScreen(800, 600, 16, 'fullscreen')", "", kExitAtOnce, Report(800, 600, 0, 16)},
      {"SetScreen(640, 480, 32, 'FULLSCREEN')", "", kExitAtOnce, Report(640, 480, 1, 32)},
  };
  for (const Case& c : cases) {
    GameHarness game;
    if (!c.conf.empty()) game.Write("conf.lua", c.conf);
    if (!c.pack.empty()) game.Write("lua.dat", c.pack);
    if (!c.init.empty()) game.Write("init.lua", c.init);
    EXPECT_EQ(game.Run(), 0);
    EXPECT_NE(game.log.Text().find(c.log), std::string::npos) << c.log << "\n" << game.log.Text();
    EXPECT_EQ(game.engine.timing.frameCounter, 0u);
    if (c.conf.empty() && c.pack.empty()) EXPECT_NE(game.log.Errors().find("conf.lua"), std::string::npos);
  }
}

TEST(Startup, VideoModeFailureEndsWithStatusOne) {
  GameHarness game;
  game.Write("conf.lua", "SetScreen(640, 480, 24, 'WINDOW')");
  game.Write("init.lua", kExitAtOnce);
  setenv("SDL_VIDEODRIVER", "no-such-driver", 1);
  int status = game.Run();
  setenv("SDL_VIDEODRIVER", "dummy", 1);
  EXPECT_EQ(status, 1);
  EXPECT_NE(game.log.Text().find("INIT SDL...Can't init SDL:  "), std::string::npos);
  EXPECT_EQ(game.log.Text().find("<<< RUN INITIAL SCRIPT >>>"), std::string::npos);
}

// Without an audio device the game plays silent: sounds load and play as
// they would on a sound card. A muted game does not even try the device.
TEST(Startup, NoAudioDeviceIsNoReasonToRefuseTheGame) {
  const std::string failed = "INIT SDL...Mix_OpenAudio: No available audio device\n"
                             "No audio device: the game goes on without sound.\r\n" + Report(640, 480, 0, 24);
  for (bool mute : {false, true}) {
    GameHarness game;
    game.engine.player.mute = mute;
    game.Write("step.wav", SquareWav(2205, 1000));
    game.Write("init.lua",
               "function Init() LoadSound('step', 'step.wav') PlaySound('step', 0, 0) print('played') end\n"
               "function Main() Exit() end\n");
    setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    int status = game.Run();
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    EXPECT_EQ(status, 0) << mute;
    std::string log = game.log.Text();
    EXPECT_EQ(log.find(failed) != std::string::npos, !mute) << log;
    EXPECT_EQ(log.find("Mix_OpenAudio") == std::string::npos, mute) << log;
    EXPECT_NE(log.find("played\n"), std::string::npos) << log;
    EXPECT_NE(log.find("lade Sound step.wav.OK\r\n"), std::string::npos) << log;
  }
}

TEST(Startup, AveragesDivideByWholeSeconds) {
  GameHarness game;
  game.Write("init.lua", "function Init() end function Main() end");
  game.msPerFrame = 29;  // 100 frames in 2.9 s
  game.stopAfterFrames = 100;
  game.Run();
  EXPECT_NE(game.log.Text().find("Average FPS = 50.000000\r\nAverage TimeFactor = 0.028710\r\n"),
            std::string::npos);
}

}  // namespace
