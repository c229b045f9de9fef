// Mistakes surface where they are made: failed script loads and scene switches,
// author diagnostics on standard error, the traceback of a failing callback.
#include <gtest/gtest.h>

#include <cstdlib>

#include "core/input_events.h"
#include "engine/game_fixtures.h"
#include "script/script_host.h"

namespace {

// A game with a lantern whose Main runs body on line 3 of init.lua.
void WriteMistake(GameHarness& game, const std::string& body, bool debug) {
  game.Write("conf.lua", debug ? "DebugMode()" : "");
  game.Write("init.lua",
             "function Init() CreateObject('lantern') end function DeInit() end\n"
             "function Main()\n" +
                 body + "\nExit() end\n");
  SaveBmp(Paint(40, 10, kGrey), game.Path("b.bmp"));
}

// Markers at x 0, 6 and 10 in marker colours, one glyph patch per band, on background.
void WriteFont(GameHarness& game, const char* name, Rgb background, Rgb secondMarker, Rgb glyph) {
  SaveBmp(Paint(11, 16, background,
                {{0, 0, 1, 1, {255, 0, 0}}, {6, 0, 1, 1, secondMarker}, {10, 0, 1, 1, secondMarker},
                 {1, 2, 3, 3, glyph}, {1, 10, 3, 3, glyph}}),
          game.Path(name));
}

TEST(AuthorDiagnostics, EachMistakeIsNamedWithTheScriptLine) {
  const std::string verbs = "(known: WALK, TALK, TAKE, GIVE, USE, OPEN, CLOSE, PUSH, PULL, LOOK, CUSTOM)";
  struct Case {
    std::string body, errors;
  } cases[] = {
      {"Show('lantren')", "init.lua:3: Show: no object \"lantren\" (nearest: \"lantern\")\n"},
      {"SayText('Lantern', 'hi')", "init.lua:3: SayText: no object \"Lantern\" (nearest: \"lantern\")\n"},
      {"Hide('kettle')", "init.lua:3: Hide: no object \"kettle\"\n"},
      {"CreateObject('chest') Show('chset')", "init.lua:3: Show: no object \"chset\" (nearest: \"chest\")\n"},
      {"LoadSzene('inti.lua')",
       "cannot open inti.lua: No such file or directory\ninit.lua:3: LoadSzene: the script \"inti.lua\" cannot be read (nearest: \"init.lua\")\n"},
      {"AddToInventory('lanter')", "init.lua:3: AddToInventory: no object \"lanter\" (nearest: \"lantern\")\n"},
      {"GetPos('lantren')", "init.lua:3: GetPos: no object \"lantren\" (nearest: \"lantern\")\n"},
      {"LoadScript('inti.lua')",
       "cannot open inti.lua: No such file or directory\ninit.lua:3: LoadScript: the script \"inti.lua\" cannot be read (nearest: \"init.lua\")\n"},
      {"ShowMenuButton('WALK')", "init.lua:3: ShowMenuButton: no button \"WALK\"\n"},
      {"PlaySound('bell')", "init.lua:3: PlaySound: no sound \"bell\"\n"},
      {"PlayAnim('lantern', 'glow', 'LOOP')", "init.lua:3: PlayAnim: no animation \"glow\"\n"},
      {"SetMode('decision')", "init.lua:3: SetMode: unknown mode \"decision\" (known: INTERACT, MOVIE, DECISION)\n"},
      {"WaitFor('lantern', 'TALK')",
       "init.lua:3: WaitFor: unknown wait kind \"TALK\" (known: WALKING, TALKING, ANIMATING)\n"},
      {"CreateMenuButton('walk', 'b.bmp', 'Walk', 20, 10, 0, 400)",
       "init.lua:3: CreateMenuButton: unknown verb \"walk\" " + verbs + "\n"},
      {"LoadAnim('lantern', 'glow', 'b.bmp', 20, 10, 0, 0, 2, 5) AssignAnim('lantern', 'glow', 'WALKLEFT')",
       "init.lua:3: AssignAnim: unknown slot \"WALKLEFT\" (known: MOVELEFT, MOVERIGHT, MOVEUP, MOVEDOWN, IDLELEFT, "
       "IDLERIGHT, IDLEUP, IDLEDOWN)\n"},
      {"LoadAnim('lantern', 'glow', 'b.bmp', 20, 10, 0, 0, 2, 5)\nPlayAnim('lantern', 'glow', 'loop')",
       "init.lua:4: PlayAnim: unknown play mode \"loop\" (known: LOOP, ONESHOT, WHILEWALKING, WHILETALKING)\n"},
      {"LoadPathMap('street.walk')", "init.lua:3: LoadPathMap: cannot read walk map \"street.walk\"\n"},
      {"LoadSound('bell', 'bell.wav')", "init.lua:3: LoadSound: cannot read sound \"bell.wav\"\n"},
      {"\nLoadBackground('door-hut.bmp')",
       "init.lua:4: LoadBackground: cannot read image \"door-hut.bmp\" (Couldn't open door-hut.bmp)\n"},
      {"SetPos('lantern', 'ten', 5)", "init.lua:3: SetPos: argument 2 is string, not a number: it reads as 0\n"},
      {"SetPos('lantern', nil, 5)", "init.lua:3: SetPos: argument 2 is nil, not a number: it reads as 0\n"},
      {"SetPos('lantern', 10)", ""},  // a missing number is the short form of 0
      {"Show(lantern)", "init.lua:3: Show: argument 1 is nil, not a string: the call fails\n"},
      {"LoadSystemFont('white.bmp', 8, 0, 0)",
       "init.lua:3: LoadSystemFont: font \"white.bmp\": the background colour at (1, 0) is FFFFFF, not magenta FF00FF; "
       "every pixel of that colour is transparent, glyphs included\n"
       "init.lua:3: LoadSystemFont: font \"white.bmp\": no glyph pixel differs from the transparent colour FFFFFF: "
       "all text is invisible\n"},
      {"LoadTalkFont('jpeg.bmp', 8, 100)",
       "init.lua:3: LoadTalkFont: font \"jpeg.bmp\": 2 pixels of row 0 are close to the marker colour FF0000 at (0, "
       "0) but not equal, so their cells are not found (0 cells)\n"
       "init.lua:3: LoadTalkFont: font \"jpeg.bmp\": 18 glyph pixels are close to the transparent colour FF00FF "
       "(fringes of smoothing); they show as a halo\n"},
      {"LoadDecisionFont('good.bmp', 8)", ""},
      {"SetDepthScale(300, 50, 200, 100)",
       "init.lua:3: SetDepthScale: no scale by depth: the far line y 300 is not above the near line y 200: give the "
       "upper line first\n"},
  };
  for (const Case& c : cases) {
    GameHarness game;
    WriteMistake(game, c.body, true);
    WriteFont(game, "white.bmp", kWhite, {255, 0, 0}, kWhite);
    WriteFont(game, "jpeg.bmp", kMagenta, {250, 8, 4}, {240, 10, 230});
    WriteFont(game, "good.bmp", kMagenta, {255, 0, 0}, kWhite);
    game.Run();
    EXPECT_EQ(game.log.Errors(), c.errors) << c.body;
  }
}

TEST(AuthorDiagnostics, OffTheyLeaveNoTraceAndTheLogIsTheSameEitherWay) {
  struct Run {
    std::string log, errors;
  };
  auto run = [](bool debug) {
    GameHarness game;
    WriteMistake(game, "Show('lantren') SetMode('decision')", debug);
    game.Run();
    return Run{game.log.Text(), game.log.Errors()};
  };
  Run quiet = run(false), told = run(true);
  setenv("QUILLON_DEBUG", "1", 1);
  Run byEnvironment = run(false);
  unsetenv("QUILLON_DEBUG");
  EXPECT_EQ(quiet.errors, "");
  EXPECT_EQ(quiet.log, told.log);
  EXPECT_NE(told.errors, "");  // the lines themselves are compared in EachMistakeIsNamedWithTheScriptLine
  EXPECT_EQ(byEnvironment.errors, told.errors);
}

// The sentence names the front-most of two overlapping objects, the click
// goes to the back-most: told, so the author sees why the "wrong" one acts.
TEST(AuthorDiagnostics, AClickOnAnotherObjectThanTheSentenceNamesIsTold) {
  GameHarness game;
  game.Write("conf.lua", "DebugMode()");
  WriteSceneGame(game, "LoadSystemFont('font.bmp', 8, 10, 430)\n" + std::string(kHeroScene) +
                           "MakeObject('crate', 'Crate', 100, 100) MakeObject('cat', 'Cat', 110, 110, 'blue.bmp')");
  RunSteps(game, {"click 130 405", "click 115 115", "click 130 405", "click 125 125"});  // OPEN: both, then the cat alone
  game.Run();
  std::string told = "\ninit.lua: a click at (115, 115) acts on \"crate\", the back-most object under the pointer, "
                     "while the action sentence names \"cat\", the front-most\n";
  EXPECT_NE(game.log.Errors().find(told), std::string::npos) << game.log.Errors();
  EXPECT_EQ(game.log.Errors().find("a click at (125, 125)"), std::string::npos) << game.log.Errors();
  EXPECT_NE(game.log.Text().find("EVENT OPEN [crate] []"), std::string::npos) << game.log.Text();
}

TEST(AuthorDiagnostics, AWalkToPositionOutsideTheMapIsNamedWhenTheHeroCannotGo) {
  GameHarness game;
  game.Write("conf.lua", "DebugMode()");
  WriteSceneGame(game, "LoadSystemFont('font.bmp', 8, 10, 430)\n" + std::string(kHeroScene) +
                           "MakeObject('door', 'Door', 100, 100) SetWalkToPos('door', 700, 90)");
  RunSteps(game, {"click 130 405", "click 105 105"});  // OPEN, then the door
  game.Run();
  // Named at the line that gave the position, not at the script running when the hero is sent.
  EXPECT_NE(game.log.Errors().find("\ninit.lua:26: SetWalkToPos: walk-to position (700, 90) of \"door\" is outside "
                                   "every box of the walk map\n"),
            std::string::npos)
      << game.log.Errors();
}

// A scene that is missing or does not compile leaves the running one as it
// was: its DeInit is not called.
TEST(ScriptLoadFailures, ASceneThatDoesNotLoadStaysUnswitchedUntilF5LoadsItFixedAndF5ReloadsIt) {
  struct Broken {
    const char* content;  // null: no file
    const char* failure;
  } brokens[] = {{nullptr, "ERR: Datei <<hut.lua>> existiert nicht."}, {"function Init(\n", "ERR: Syntaxfehler in <<hut.lua>>."}};
  for (const Broken& broken : brokens) {
    GameHarness game;
    game.Write("conf.lua", "DebugMode()");
    if (broken.content) game.Write("hut.lua", broken.content);
    // Loading a missing scene from Init used to call this Init again, without end.
    game.Write("init.lua",
               "function Init() LoadSzene('hut.lua') end\n"
               "function Main() print('first main') end\n"
               "function DeInit() print('first deinit') end\n");
    game.At(2, [&](Engine& e) {
      EXPECT_EQ(SceneToReload(e), "hut.lua");
      game.Write("hut.lua", "function Init() print('hut init') end function Main() end function DeInit() end\n");
      e.view.scrollX = -50;  // a scrolled scene: the new one starts at its left edge
      PushKeyDown(SDLK_F5);
    });
    game.At(4, [](Engine&) { PushKeyDown(SDLK_F5); });  // reloads the running scene, and does not end the game
    game.stopAfterFrames = 6;
    game.Run();
    EXPECT_EQ(game.engine.view.scrollX, 0);
    EXPECT_EQ(game.engine.timing.frameCounter, 6u);
    EXPECT_EQ(LogFrom(game.log.Text(), "<<< CALL INIT-FUNCTION"),
              "<<< CALL INIT-FUNCTION >>>\r\n"
              "Load Script <<hut.lua>>..." + std::string(broken.failure) + "\r\n"
              "<<< Scene not switched: <<hut.lua>> did not load >>>\r\n"
              "<<< CALL MAIN-FUNCTION >>>\r\nfirst main\n<<< CALL GAMELOOP >>>\r\n"
              "<<< DeInit Scene >>>\r\nfirst deinit\nLoad Script <<hut.lua>>...OK\r\n"
              "<<< CALL INIT-FUNCTION >>>\r\nhut init\n<<< CALL MAIN-FUNCTION >>>\r\n<<< DeInit Scene >>>\r\n"
              "Load Script <<hut.lua>>...OK\r\n<<< CALL INIT-FUNCTION >>>\r\nhut init\n<<< CALL MAIN-FUNCTION >>>\r\n" +
                  LogFrom(game.log.Text(), "Average FPS"));
    EXPECT_EQ(SceneToReload(game.engine), "hut.lua");
    EXPECT_EQ(game.engine.script.failedScene, "");
  }
}

TEST(ScriptLoadFailures, AnErrorInACallbackShowsEveryFrameBeforeThePanic) {
  GameHarness game;
  game.Write("init.lua",
             "function Break() error('the lamp broke') end\n"
             "function Light() Break() end\n"
             "function Init() Light() end\n");
  EXPECT_EXIT((SetErrorSink(nullptr), game.Run()), testing::ExitedWithCode(1),
              "the lamp broke\nstack traceback:\n\t\\[C\\]: in function 'error'\n\tinit.lua:1: in function 'Break'\n"
              "\tinit.lua:2: in function 'Light'\n\tinit.lua:3: in function <init.lua:3>\n"
              "PANIC: unprotected error in call to Lua API \\(init.lua:1: the lamp broke\\)");
}

}  // namespace
