// The scene's script functions: effects, silent no-ops on unknown names, failure reports, wait guards.
#include <gtest/gtest.h>

#include "engine/game_fixtures.h"

namespace {

struct Scripted : GameHarness {
  Scripted() {
    SaveBmp(Paint(40, 10, kRed), Path("pic.bmp"));
    Write("init.lua", "function Init() end\nfunction Main() end\n");
    stopAfterFrames = 1;
  }
};

TEST(SceneFunctions, ObjectsKeepTheirFirstCreationAndAnimationsTakeTheirSlots) {
  Scripted game;
  game.At(1, [&](Engine& e) {
    Lua(e, "CreateObject('a') SetPos('a', 10.7, -3.5) SetSpeed('a', 2.5) CreateObject('a')");
    AdventureObject& a = *e.cast.objects.Get("a");  // positions are truncated toward zero; the second creation changes nothing
    EXPECT_EQ(a.x, 10);
    EXPECT_EQ(a.y, -3);
    EXPECT_FLOAT_EQ(a.speed, 2.5f);  // speeds are not
    Lua(e, "SetHero('a') SetHero('nobody') Show('a')");
    EXPECT_EQ(e.cast.hero, &a);
    EXPECT_FALSE(a.visible);  // no animation to show
    Lua(e, "LoadAnim('a', 'walk', 'pic.bmp', 10, 10, 5, 9, 4, 8)"
           "LoadAnim('a', 'walk', 'other.bmp', 1, 1, 1, 1, 1, 1) PlayAnim('a', 'walk', 'ONESHOT')");
    Animation* walk = a.animations.Get("walk");
    ASSERT_NE(walk, nullptr);
    EXPECT_EQ(walk->frameWidth, 10);  // the first animation of a name stays
    Lua(e, "PlayAnim('a', 'walk', 'loop') SetFrame('a', 'walk', 7) SetHotSpot('a', 'whatever', 1, 2)"
           "AssignAnim('a', 'walk', 'MOVERIGHT') AssignAnim('a', 'walk', 'moveleft')");
    EXPECT_EQ(walk->mode, kOneShot);  // mode words are exact
    EXPECT_EQ(walk->hotspotX, 1);  // the current animation's, whatever name is given
    EXPECT_EQ(a.slots[kMoveRight], walk);
    EXPECT_EQ(a.slots[kMoveLeft], nullptr);
    EXPECT_FALSE(walk->autoRestart);
    Lua(e, "AssignAnim('a', 'walk', 'IDLEUP')");
    EXPECT_TRUE(walk->autoRestart);  // idle slots replay by themselves
    Lua(e, "LoadAnim('a', 'MOVELEFT', 'pic.bmp', 10, 10, 0, 0, 4, 8) SetFrame('a', 'MOVELEFT', 3) TurnLeft('a') TurnUp('a')");
    EXPECT_EQ(a.currentAnimation, a.animations.Get("MOVELEFT"));
    EXPECT_EQ(a.currentAnimation->currentFrame, 0);
    Lua(e, "UnloadAnim('a', 'walk') SetAnim('a', 'walk') Show('a')");
    EXPECT_FALSE(a.visible);  // its image is gone
    Lua(e, "ReloadAnim('a', 'walk') Show('a')");
    EXPECT_TRUE(a.visible);
    EXPECT_EQ(walk->currentFrame, 7);  // the same frames and play state as before
    EXPECT_EQ(walk->image.get(), e.resources.images.Get("pic.bmp").get());
  });
  game.Run();
}

// Unknown names do nothing and say nothing; failures are reported by name.
TEST(SceneFunctions, UnknownNamesSayNothingAndFailuresAreReportedByName) {
  Scripted game;
  game.At(1, [&](Engine& e) {
    Lua(e, "CreateObject('a')");
    game.log.Clear();
    Lua(e, "SetName('x', 'n') SetPos('x', 1, 2) SetHotSpot('x', 'a', 1, 1) SetHotSpot('a', 'a', 1, 1)"
           "HotSpotPositionOn('x') HotSpotPositionOff('x') SetSingleUse('x') SetMultiUse('x') Show('x') Hide('x')"
           "SetSpeed('x', 3) SetWalkToPos('x', 1, 1) OverrideColorKey('x') LoadAnim('x', 'a', 'pic.bmp', 1, 1, 0, 0, 1, 1)"
           "UnloadAnim('a', 'none') ReloadAnim('a', 'none') PlayAnim('a', 'none', 'LOOP') SetAnim('x', 'a')"
           "SetAnimTimeout('a', 'none', 1) SetFrame('a', 'none', 1) AssignAnim('a', 'none', 'IDLEUP')"
           "AutoAnimOn('x') AutoAnimOff('x') TurnLeft('a') TurnRight('x') TurnUp('x') TurnDown('x')"
           // Questions about nobody, or about an object without an animation, answer as a new object would.
           "local x, y = GetPos('x') assert(x == 0 and y == 0 and IsVisible('x') + IsWalking('x') + IsTalking('x') == 0)"
           "assert(GetAnim('x') == '' and GetAnim('a') == '')");
    EXPECT_EQ(game.log.Text(), "");
    EXPECT_EQ(e.resources.images.Count(), 0);  // LoadAnim for nobody loads nothing
    EXPECT_EQ(e.cast.objects.Count(), 1);
    Lua(e, "CreateObject() SetName('a') SetSpeed(nil, 1.5) SetFrame(nil, 'walk', 3) SetFrame('a', nil, 2)"
           "LoadAnim('a') LoadBackground() LoadCursor() TurnDown() SetMode() LoadSzene() WaitFor('nobody') Wait()"
           "assert(select('#', SetMode('MOVIE')) + select('#', DebugMode()) == 0)"  // they return nothing
           "local x, y = GetPos() assert(x == 0 and y == 0 and IsTalking({}) == 0)");
    EXPECT_FALSE(e.timing.waiting);
    EXPECT_EQ(game.log.Text(),
              "Exception catched in lua_CreateObject.\r\n"
              "Exception catched in lua_SetName\r\n"
              "Script-Error:\r\n\t>> Error in function-call (SetSpeed(\"\",1.500000))\r\n"
              "Script-Error:\r\n\t>> Error in function-call (SetFrame(\"\",\"walk\",3))\r\n"
              "Script-Error:\r\n\t>> Error in function-call (SetFrame(\"a\",\"\",2))\r\n"
              "Exception catched in lua_LoadAnim\r\n"
              "Exception catched in lua_LoadBackgound\r\n"
              "Exception catched in lua_LoadCursor\r\n"
              "Exception catched in lua_TurnDown\r\n"
              "Exception catched in lua_SetMode\r\nException catched in lua_LoadSzene\r\n"
              "Exception catched in lua_WaitFor\r\n"
              "Exception catched in lua_GetPos\r\nException catched in lua_IsTalking\r\n");
  });
  game.Run();
}

// Questions a script asks: what the engine keeps, positions fractional while walking.
TEST(SceneFunctions, QuestionsAnswerWhatTheEngineKeeps) {
  ExpectRows({
      {"MakeObject('door', 'Door', 100, 100) SetSpeed('door', 50)",
       {"lua print(GetHero(), GetVerb(), GetScroll(), GetLanguage(), GetAnim('door'), IsVisible('door'), GetPos('door'))",
        "verb 10", "scroll -40", "lua Goto('door', 150, 100) SayText('hero', 'hi') SetLanguage('EN')", "wait 1",
        "lua print(GetVerb(), GetScroll(), GetLanguage(), IsWalking('door'), IsTalking('hero'), GetPos('door'))",
        "lua Hide('door') print(IsVisible('door'), IsWalking('hero'), IsTalking('door'))"},
       "hero\t\t0\tDE\tstill\t1\t100\t100\n"
       "KICK\t40\tEN\t1\t1\t101.5\t100\n"
       "0\t0\t0\n"},
  });
  Scripted game;  // a built-in verb answers its word, not its button's label
  game.At(1, [](Engine& e) {
    Lua(e, "CreateMenuButton('LOOK', 'pic.bmp', 'Look at', 20, 5, 0, 0) SetActiveButton('LOOK') "
           "assert(GetVerb() == 'LOOK')");
  });
  game.Run();
}

// Waits that nothing could end give up after one frame, say why, and restore the flags.
TEST(SceneFunctions, WaitsThatCanNeverEndAreAbandoned) {
  GameHarness game;
  SaveBmp(Paint(40, 10, kRed), game.Path("pic.bmp"));
  game.Write("init.lua",
             "function Init() Wait(10) end\n"
             "function Main()\n"
             "  CreateObject('a') LoadAnim('a', 'w', 'pic.bmp', 10, 10, 0, 0, 4, 10) SetAnim('a', 'w') Show('a')\n"
             "  AssignAnim('a', 'w', 'MOVERIGHT') AutoAnimOn('a') ShowCursor()\n"
             "  Goto('a', 100, 0) WaitFor('a', 'WALKING')\n"
             "  WaitFor('a', 'ANIMATING')\n"
             "  SetSpeed('a', 1000) Hide('a') WaitFor('a', 'WALKING')\n"
             "  Show('a') WaitFor('a', 'WALKING')\n"
             "  PlayAnim('a', 'w', 'LOOP') WaitFor('a', 'ANIMATING')\n"
             "  LoadAnim('a', 'long', 'pic.bmp', 10, 10, 0, 0, 1e300, 10) PlayAnim('a', 'long', 'ONESHOT')\n"
             "  WaitFor('a', 'ANIMATING')\n"
             "  SayText('a', 'hi') Hide('a') WaitFor('a', 'TALKING')\n"
             "  PlayAnim('a', 'w', 'ONESHOT') WaitFor('a', 'ANIMATING')\n"
             "  Show('a') Goto('a', 100, 0) SetPos('a', 50, 0) WaitFor('a', 'WALKING') SetPos('a', 100, 0)\n"
             // Without a frame rate: a still picture, whose one-shot is over at once.
             "  LoadAnim('a', 'still', 'pic.bmp', 10, 10, 0, 0, 4) PlayAnim('a', 'still', 'ONESHOT')\n"
             "  WaitFor('a', 'ANIMATING') Exit()\n"
             "end\n");
  game.Run();
  EXPECT_EQ(LogFrom(game.log.Text(), "<<< CALL MAIN-FUNCTION >>>\r\n"),
            "<<< CALL MAIN-FUNCTION >>>\r\n"
            "lade Bild pic.bmp.....OK\r\n"
            "WaitFor(a,WALKING): the object has speed 0 and cannot arrive, not waiting any longer\r\n"
            "WaitFor(a,ANIMATING): the object has speed 0 and cannot arrive, not waiting any longer\r\n"
            "WaitFor(a,WALKING): the object is hidden and cannot move, not waiting any longer\r\n"
            "WaitFor(a,ANIMATING): the animation loops for ever, not waiting any longer\r\n"
            "WaitFor(a,ANIMATING): the one-shot has more frames than its picture holds, not waiting any longer\r\n"
            "WaitFor(a,TALKING): the object is hidden and its speech is over, not waiting any longer\r\n"
            "WaitFor(a,ANIMATING): the object is hidden and does not animate, not waiting any longer\r\n"
            "WaitFor(a,WALKING): the object was moved off a target it had reached and cannot arrive, "
            "not waiting any longer\r\n"
            "<<< CALL GAMELOOP >>>\r\n"
            "Average FPS = inf\r\n" +
                LogFrom(game.log.Text(), "Average TimeFactor"));
  AdventureObject& a = *game.engine.cast.objects.Get("a");
  EXPECT_EQ(a.x, 100);
  EXPECT_FALSE(a.moving);
  EXPECT_TRUE(game.engine.view.cursorVisible);
  EXPECT_TRUE(game.engine.input.interactive);
  // 1 frame in Init, 1 for each abandoned wait, 10 to walk 100 pixels, 15 while the hidden
  // speech's time runs out, 1 for the still picture.
  EXPECT_EQ(game.engine.timing.frameCounter, 35u);
}

}  // namespace
