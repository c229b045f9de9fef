// Saved games: slot names, refused files, atomic writes, the autosave, the
// scripts' globals and loading into another scene.
#include <gtest/gtest.h>

extern "C" {
#include <lauxlib.h>
#include <lua.h>
}

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <vector>

#include "core/input_events.h"
#include "save/save_format.h"
#include "save/save_game.h"
#include "save/save_slots.h"
#include "scene/adventure_object.h"
#include "support/game_harness.h"

namespace {

// A game whose saves go to its own folder; frame actions run script code.
struct SaveGame : GameHarness {
  SaveGame() {
    setenv("QUILLON_SAVE_DIR", Path("saves").c_str(), 1);
    Write("init.lua", "function Init() CreateObject('box') SetPos('box', 5, 6) end\n"
                      "function Main() end\n");
  }
  ~SaveGame() { unsetenv("QUILLON_SAVE_DIR"); }
  std::string SlotFile(const std::string& slot) { return dir.Read("saves/" + slot + ".qsave"); }
  float BoxX() { return engine.cast.objects.Get("box")->x; }
};

TEST(SaveGameTest, SlotNamesOutsideTheRuleAreRefusedAndSaveSlotsListsTheNewestFirst) {
  SaveGame game;
  game.stopAfterFrames = 3;
  game.At(1, [&](Engine& e) {
    for (std::string bad : std::vector<std::string>{"", std::string(33, 'a'), "a b", "../up", "a.qsave", "\xc3\xa4"}) {
      game.log.Clear();
      std::string name = "('" + bad + "')";
      EXPECT_EQ(LuaValue(e, "tostring(SaveGame" + name + ") .. tostring(LoadGame" + name + ") .. tostring(DeleteSave" +
                                name + ")"), "falsefalsefalse") << bad;
      EXPECT_EQ(game.log.Text().rfind("SaveGame(" + bad + "): a slot name is 1 to 32 letters, digits, - or _, "
                                      "not saved\r\n", 0), 0u) << game.log.Text();
    }
    for (std::string good : std::vector<std::string>{"a", std::string(32, 'Z'), "Slot-2_b"})
      EXPECT_EQ(LuaValue(e, "SaveGame('" + good + "', 'title')"), "true") << good;
    EXPECT_EQ(LuaValue(e, "#SaveSlots() .. SaveSlots()[1].title"), "3title");
    EXPECT_EQ(LuaValue(e, "tostring(DeleteSave('a')) .. tostring(DeleteSave('a'))"), "truefalse");
    // Newest first (saves of one moment by slot name), the time in whole
    // seconds; files that are no save of this game are left out.
    Lua(e, "for _, s in ipairs(SaveSlots()) do DeleteSave(s.slot) end");
    for (auto [slot, ms] : {std::pair{"old", 1000999}, {"tie-b", 2000000}, {"new", 3000500}, {"tie-a", 2000000}}) {
      SaveGameData data;
      data.gameName = GameNameOf(e);
      data.timeMs = ms;
      game.Write(std::string("saves/") + slot + ".qsave", EncodeSave(data));
    }
    game.Write("saves/broken.qsave", "QSAVE\r\n\x1a and no more");
    game.Write("saves/not a slot.qsave", game.SlotFile("new"));
    EXPECT_EQ(LuaValue(e, "(function() local r = '' for _, s in ipairs(SaveSlots()) do r = r .. s.slot .. '@' "
                               ".. s.time .. ' ' end return r end)()"),
              "new@3000 tie-a@2000 tie-b@2000 old@1000 ");
  });
  game.Run();
}

// Each damage is refused with its reason; the game goes on untouched.
TEST(SaveGameTest, DamagedForeignNewerAndOtherGamesSavesAreRefusedAndAFullDiskSpoilsNone) {
  struct Damage {
    const char* name;
    std::string (*spoil)(std::string);
    const char* reason;
  } damages[] = {
      {"truncated", [](std::string b) { return b.substr(0, b.size() - 7); }, "the file is truncated"},
      {"flipped", [](std::string b) { b.back() ^= 1; return b; }, "the file is damaged"},  // the text of a global
      {"header only", [](std::string b) { return b.substr(0, 20); }, "the file is truncated"},
      {"foreign", [](std::string) { return std::string("function Init() os.exit() end"); }, "not a save file"},
      {"newer", [](std::string b) { b[8] = 99; return b; }, "made by a newer engine (save format 99)"},
  };
  SaveGame game;
  game.stopAfterFrames = 3;
  game.At(1, [&](Engine& e) {
    Lua(e, "story = 'saved' SaveGame('s')");
    std::string good = game.SlotFile("s");
    Lua(e, "story = 'played on' SetPos('box', 70, 80)");
    for (const Damage& d : damages) {
      game.Write("saves/s.qsave", d.spoil(good));
      game.log.Clear();
      EXPECT_EQ(LuaValue(e, "LoadGame('s')"), "false") << d.name;
      EXPECT_EQ(game.log.Text(), std::string("LoadGame(s): ") + d.reason + ", not loaded\r\n") << d.name;
      EXPECT_FALSE(e.save.LoadPending()) << d.name;  // a refused load changes nothing, now or later
    }
    game.Write("saves/s.qsave", good);
    e.save.diskSpace = 100;  // a full disk leaves the previous save whole
    game.log.Clear();
    EXPECT_FALSE(SaveGameToSlot(e, "s", ""));
    EXPECT_EQ(game.log.Text().rfind("SaveGame(s): cannot write ", 0), 0u) << game.log.Text();
    EXPECT_EQ(game.SlotFile("s"), good);
    EXPECT_FALSE(std::filesystem::exists(game.Path("saves/s.qsave.tmp")));
    Lua(e, "SetGameName('another')");
    EXPECT_FALSE(RequestLoad(e, "s"));
    EXPECT_NE(game.log.Text().find("saved by another game ("), std::string::npos);
  });
  game.At(2, [&](Engine& e) { EXPECT_EQ(LuaValue(e, "story .. GetPos('box')"), "played on70"); });
  game.Run();
}

// Without QUILLON_SAVE_DIR saves go where the desktop keeps applications'
// data, in a folder named after the game; with no home there is none.
TEST(SaveGameTest, TheDefaultSaveFolderFollowsTheDesktopAndTheGameName) {
  struct Row {
    const char *xdgDataHome, *home, *gameName, *folder;
  } rows[] = {
      {"/data", "/home/p", "robins-flower", "/data/quillon/robins-flower"},
      {nullptr, "/home/p", "robins-flower", "/home/p/.local/share/quillon/robins-flower"},
      {nullptr, nullptr, "robins-flower", ""},
      {nullptr, "/home/p", "", "/home/p/.local/share/quillon/my_game_1"},  // the game folder's name, made a slot name
  };
  const char* names[] = {"QUILLON_SAVE_DIR", "XDG_DATA_HOME", "HOME"};
  std::string kept[3];
  for (int i = 0; i < 3; ++i) kept[i] = getenv(names[i]) ? getenv(names[i]) : "";
  TempDir dir;
  std::filesystem::create_directory(dir.Path("my game.1"));
  WorkingDirectory inGame(dir.Path("my game.1"));
  unsetenv("QUILLON_SAVE_DIR");
  for (const Row& row : rows) {
    Engine engine;
    engine.save.gameName = row.gameName;
    row.xdgDataHome ? setenv("XDG_DATA_HOME", row.xdgDataHome, 1) : unsetenv("XDG_DATA_HOME");
    row.home ? setenv("HOME", row.home, 1) : unsetenv("HOME");
    EXPECT_EQ(SaveFolder(engine), row.folder) << row.gameName;
  }
  for (int i = 0; i < 3; ++i) kept[i].empty() ? unsetenv(names[i]) : setenv(names[i], kept[i].c_str(), 1);
}

TEST(SaveGameTest, TheAutosaveIsWrittenWhenThePlayerQuitsNotOnExit) {
  struct Ending {
    const char* name;
    void (*end)(Engine&);
    bool saved;
  } endings[] = {
      {"window closed", [](Engine&) { PushQuit(); }, true},
      {"quitting key", [](Engine&) { PushKeyDown(SDLK_q); }, true},
      {"SIGTERM", [](Engine&) { std::raise(SIGTERM); }, true},
      {"Exit()", [](Engine& e) { Lua(e, "Exit()"); }, false},
  };
  for (const Ending& ending : endings) {
    SaveGame game;
    game.Write("init.lua", "function Init() SetAutosave('auto') end function Main() end");
    game.At(2, ending.end);
    game.Run();
    EXPECT_EQ(std::filesystem::exists(game.Path("saves/auto.qsave")), ending.saved) << ending.name;
  }
}

// F5 reloads the scene, whose Main then waits: a close in that wait autosaves
// the game as it was before the reload began, not the half-made one.
TEST(SaveGameTest, ACloseInAWaitAutosavesTheGameAsItWasBeforeTheWaitBegan) {
  SaveGame game;
  game.Write("conf.lua", "DebugMode()");
  game.Write("init.lua", "function Init() CreateObject('box') SetPos('box', 5, 6) SetAutosave('auto') end\n"
                         "function Main() if reloaded then SetPos('box', 50, 60) Wait(100000) end reloaded = true end\n"
                         "function DeInit() end");
  game.At(3, [](Engine&) { PushKeyDown(SDLK_F5); });
  game.At(6, [](Engine& e) {
    EXPECT_EQ(e.timing.nestedWaits, 1);
    PushQuit();
  });
  game.Run();
  SaveGameData saved;
  std::string reason;
  ASSERT_TRUE(DecodeSave(game.SlotFile("auto"), &saved, &reason)) << reason;
  ASSERT_EQ(saved.objects.size(), 1u);
  EXPECT_EQ(std::pair(saved.objects[0].x, saved.objects[0].y), std::pair(5.0f, 6.0f));
}

TEST(SaveGameTest, GlobalsComeBackWithSharedTablesCyclesAndExactValues) {
  SaveGame game;
  game.stopAfterFrames = 4;
  game.At(1, [&](Engine& e) {
    Lua(e, R"(
      ring = {name = "ring"} ring.self = ring
      shared = {1, 2, 3}
      holder = {a = shared, b = shared, [shared] = "key", [true] = 0.1, f = print}
      local inf = 1e308 * 10  -- no literal 0: Lua folds -0.0 and 0 into one constant
      numbers = {-1 / inf, 2^53 + 1, 1e308, inf - inf, inf, 1 / 3}
      bytes = "a\0\255z"
      yes, no = true, false
      fn = function() end
      _G["a\0b"] = "zero in the name"
      SaveGame("g"))");
    Lua(e, "ring = nil holder = 5 numbers = nil bytes = nil yes = nil added = 1 _G['a\\0b'] = nil");
    RequestLoad(e, "g");
  });
  game.At(3, [&](Engine& e) {
    EXPECT_EQ(LuaValue(e, R"((function() local n, inf = numbers, 1e308 * 10
      return ring.self == ring and ring.name == "ring" and holder.a == shared and holder.b == shared
        and holder[shared] == "key" and holder[true] == 0.1 and holder.f == nil
        and 1 / n[1] == -inf and n[2] == 2^53 + 1 and n[3] == 1e308 and n[4] ~= n[4] and n[5] == inf
        and n[6] == 1 / 3 and bytes == "a\0\255z" and yes == true and no == false
        and type(fn) == "function" and added == nil and type(SaveGame) == "function"
        and _G["a\0b"] == "zero in the name" and _G["a"] == nil end)())"),
              "true");
  });
  game.Run();
}

// A save of scene a, loaded while scene b waits (where no save is made): b's
// wait and Main end, a's script runs again without Init or Main, and a's Restored is called.
// Restored belongs to the scene that defines it: a's is not called for the first scene's save.
TEST(SaveGameTest, ASaveOfOneSceneLoadsWhileAnotherWaits) {
  SaveGame game;
  game.Write("init.lua", "function Init() CreateObject('box') end\n"
                         "function Main() end\n"
                         "function DeInit() end");
  game.Write("a.lua", "print('a top') function Init() SetPos('box', 11, 12) SetName('box', 'A') print('a init') end\n"
                      "function Main() end function Restored(slot) print('a restored ' .. slot) end");
  game.Write("b.lua", "function Init() SetName('box', 'B') SetPos('box', 90, 90) end\n"
                      "function Main() Wait(100000) print('b waited') end");
  game.stopAfterFrames = 40;
  game.At(1, [&](Engine& e) { Lua(e, "SaveGame('first') LoadSzene('a.lua')"); });
  game.At(2, [&](Engine& e) {
    // A load ends the scripts it interrupts with an error, which the pcall takes here.
    Lua(e, "pcall(function() SaveGame('a') LoadSzene('b.lua') end)");  // b waits until frame 5 loads a
    game.log.Clear();
  });
  game.At(5, [&](Engine& e) {
    EXPECT_EQ(e.timing.nestedWaits, 1);
    // Asked for inside a wait, a save waits for the scripts to be done; the
    // load asked for after it wins.
    EXPECT_EQ(LuaValue(e, "SaveGame('w')"), "true");
    Lua(e, "pcall(LoadGame, 'a')");  // a script call inside b's wait
  });
  game.At(7, [&](Engine& e) {
    EXPECT_EQ(e.script.currentScript, "a.lua");
    EXPECT_EQ(e.cast.objects.Get("box")->name, "A");
    EXPECT_EQ(game.BoxX(), 11);
    Lua(e, "pcall(LoadGame, 'first')");
  });
  game.Run();
  std::string log = game.log.Text();
  EXPECT_NE(log.find("LoadGame(first): restored\r\n"), std::string::npos) << log;
  EXPECT_EQ(log.find("a restored", log.find("LoadGame(first)")), std::string::npos) << log;
  EXPECT_EQ(log.find("b waited"), std::string::npos);
  EXPECT_EQ(log.rfind("SaveGame(w): a saved game is being loaded, not saved\r\nLoad Script <<a.lua>>", 0), 0u) << log;
  EXPECT_FALSE(std::filesystem::exists(game.Path("saves/w.qsave")));
  EXPECT_EQ(log.find("a init"), std::string::npos);
  EXPECT_NE(log.find("Load Script <<a.lua>>...a top\nOK\r\nLoadGame(a): restored\r\na restored a\n"),
            std::string::npos)
      << log;
}

}  // namespace
