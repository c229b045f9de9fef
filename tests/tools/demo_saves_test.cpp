// The demo's saves as a player keeps them: a close at any moment leaves an
// autosave of the last calm game, from which the next start is playable at
// once; a save follows the game from loose files into packs and through a
// repacking, and is refused, with the file named, when the game lost a file
// it needs; saves of every earlier format load and play on.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "demo_play.h"
#include "engine/engine.h"
#include "pack/game_pack.h"
#include "save/save_format.h"
#include "save/save_game.h"
#include "support/child_process.h"
#include "support/temp_dir.h"
#include "tool_test.h"

namespace fs = std::filesystem;

namespace {

const char kLoose[] = QUILLON_BINARY_DIR "/demo-loose";

// The playthrough's lines from `from` to `to` (counted from 1), between
// steps of the test's own, at the playthrough's frame length.
std::string Playthrough(int from, int to, const std::string& first = "", const std::string& then = "") {
  std::istringstream in(ReadFile(kPlaythrough));
  std::string replay = "ms-per-frame 40\n" + first;
  std::string line;
  for (int i = 1; std::getline(in, line) && i <= to; ++i)
    if (i >= from) replay += line + "\n";
  return replay + then;
}
const int kEnd = 1 << 20;  // the playthrough's last line, and beyond
const char kRestored[] = "wait for \"LoadGame(autosave): restored\" within 20 frames\n";

const char kClose[] = "close\nexpect exit within 5 frames\n";

// Runs the demo with its saves in one folder for the object's lifetime.
struct Player {
  TempDir dir;
  Player() { setenv("QUILLON_SAVE_DIR", dir.Path("saves").c_str(), 1); }
  ~Player() { unsetenv("QUILLON_SAVE_DIR"); }
  PlayedDemo Play(const std::string& replay, PlayOptions options = {}, const std::string& game = "") {
    dir.Write("step.replay", replay);
    options.target = game;
    return PlayDemo(dir.Path("step.replay"), dir.Path("shots"), options);
  }
  std::string Save(const std::string& slot) const { return dir.Path("saves/" + slot + ".qsave"); }
};

SaveGameData ReadSave(const std::string& path) {
  SaveGameData data;
  std::string reason;
  EXPECT_TRUE(DecodeSave(ReadFile(path), &data, &reason)) << path << ": " << reason;
  return data;
}

// A save's game but what every frame derives anew before anything happens in
// it (the objects' draw order, the scroll that follows the hero, the buttons
// that the pointer lights beside the verb), and its header.
std::string Comparable(SaveGameData d) {
  d.gameName.clear(), d.title.clear(), d.timeMs = 0, d.scrollX = 0;
  for (SavedButton& b : d.buttons) b.lit = b.verb == d.currentVerb && b.lit;
  std::sort(d.objects.begin(), d.objects.end(), [](const SavedObject& a, const SavedObject& b) { return a.id < b.id; });
  return EncodeSave(d);
}

// The player can act: the verbs are shown, or a choice is on the screen.
bool Playable(const Engine& e) {
  return (e.input.interactive && e.ui.menuBackgroundVisible) || (e.input.decisionMode && !e.ui.options.empty());
}

// The next start goes on from the newest save, playable within four seconds.
void ExpectPlayableStart(Player& player, const std::string& where) {
  Uint32 playableAt = 0;
  PlayOptions options;
  options.everyFrame = [&](Engine& e) {
    if (!playableAt && Playable(e)) playableAt = e.timing.frameCounter;
  };
  PlayedDemo next = player.Play("ms-per-frame 40\nwait 100 frames\n" + std::string(kClose), options);
  EXPECT_EQ(next.status, 0) << where << "\n" << next.err;
  EXPECT_TRUE(playableAt > 0 && playableAt <= 100) << where << ": playable after frame " << playableAt;
}

}  // namespace

// A close in every kind of wait takes the game back to where it last was
// calm; one before any calm moment writes nothing and the story starts anew.
TEST(DemoSaves, ACloseAnywhereKeepsTheLastCalmGameAndTheNextStartIsPlayable) {
  struct Close {
    const char* where;
    int lines;          // of the playthrough, before the close
    const char* steps;  // then these
    bool cut;           // the close cut a wait or a script call short
    bool noCalm;        // nothing was calm since the start
  } closes[] = {
      {"the opening choice", 10, "wait 2 frames\n", true, true},
      {"a calm street", 15, "wait 20 frames\n", false, false},
      {"Robin's walk to the coin", 20, "wait 5 frames\n", true, false},
      {"Robin's words on the coin", 20, "wait 70 frames\n", true, false},
      {"the fade into the bakery", 35, "wait 30 frames\n", true, false},
      {"the baker's question", 42, "wait 3 frames\n", true, false},
      {"the baker's answer", 45, "wait 5 frames\n", true, false},
  };
  for (const Close& close : closes) {
    Player player;
    std::string lastCalm;
    bool cut = false;
    PlayOptions options;
    options.everyFrame = [&](Engine& e) {  // after an outermost frame: the game as the next one finds it
      bool calm = e.timing.nestedWaits == 0 && e.script.callDepth == 0;
      if (calm && !e.input.closeRequested) lastCalm = Comparable(*CaptureGame(e));
    };
    options.finished = [&](const Engine& e) { cut = e.script.stopped; };
    PlayedDemo run = player.Play(Playthrough(8, close.lines, "", close.steps + std::string(kClose)), options);
    ASSERT_EQ(run.status, 0) << close.where << "\n" << run.err;
    EXPECT_EQ(cut, close.cut) << close.where;
    if (close.noCalm) {
      EXPECT_FALSE(fs::exists(player.Save("autosave"))) << close.where;
      EXPECT_TRUE(Has(run.log, "SaveGame(autosave): the game was closed before it had come to rest since it started "
                               "or was loaded, not saved\r\n")) << close.where;
    } else {
      ASSERT_TRUE(fs::exists(player.Save("autosave"))) << close.where;
      if (close.cut) EXPECT_TRUE(Comparable(ReadSave(player.Save("autosave"))) == lastCalm) << close.where;
    }
    ExpectPlayableStart(player, close.where);
  }
}

// Saved in the bakery, the story plays on to its end in the loose game, the
// packed one and a repacking in another order with a picture more (every
// entry moves). Without a picture it needs, the save is refused whole.
TEST(DemoSaves, ASaveFollowsTheGameThroughPackingAndRepackingAndIsRefusedWithoutAFileItNeeds) {
  TempDir game;
  fs::copy(kLoose, game.Path("loose"));
  fs::copy_file(game.Path("loose/menu.bmp"), game.Path("loose/aaa-new-picture.bmp"));
  std::ostringstream out, err;
  ASSERT_EQ(PackGame(game.Path("loose"), game.Path("repacked"), GamePackOptions(), out, err), 0) << err.str();
  for (const char* moved : {"[\"shop.bmp\"] = \"gfx.dat:1\"", "[\"shop.lua\"] = \"lua.dat:3\""}) {
    EXPECT_TRUE(Has(ReadFile(QUILLON_BINARY_DIR "/demo/assets.lua"), moved));
    EXPECT_FALSE(Has(ReadFile(game.Path("repacked/assets.lua")), moved));
  }
  const std::string packed = QUILLON_BINARY_DIR "/demo";
  const std::string builds[][2] = {{kLoose, packed}, {packed, kLoose}, {packed, game.Path("repacked")}};
  for (auto& [savedBy, loadedBy] : builds) {
    Player player;
    PlayedDemo saved = player.Play(Playthrough(8, 49, "", kClose), {}, savedBy);
    ASSERT_EQ(saved.status, 0) << savedBy << "\n" << saved.err;
    EXPECT_TRUE(Has(ReadFile(player.Save("autosave")), "shop.bmp")) << "files are kept by name";
    PlayedDemo loaded = player.Play(Playthrough(50, kEnd, kRestored), {}, loadedBy);
    EXPECT_EQ(loaded.status, 0) << loadedBy << "\n" << loaded.err;
  }

  Player player;
  ASSERT_EQ(player.Play(Playthrough(8, 49, "", kClose)).status, 0);
  fs::remove(game.Path("loose/shop.bmp"));
  PlayedDemo refused = player.Play(Playthrough(8, 13, "", kClose), {}, game.Path("loose"));  // the story anew
  EXPECT_EQ(refused.status, 0) << refused.err;
  EXPECT_TRUE(Has(refused.log, "LoadGame(autosave): it needs the file shop.bmp, which the game does not have, "
                               "not loaded\r\n")) << refused.log;
}

// Saves of every format the engine ever wrote (tests/saves/README.md): the
// demo's checkpoints and an autosave. Each loads into today's demo and plays
// on to the story's end.
TEST(DemoSaves, TheKeptSavesOfEveryFormatLoadAndPlayOn) {
  struct Kept {
    const char* file;
    int playOnFrom;  // the playthrough's line after the moment of the save (a checkpoint's arrival was reported)
  } kept[] = {
      {"street-autosave.qsave", 17},
      {"shop-checkpoint.qsave", 38},
      {"street-checkpoint.qsave", 70},
      {"garden-checkpoint.qsave", 94},
  };
  for (uint32_t format = 1; format <= kSaveFormatVersion; ++format) {
    for (const Kept& k : kept) {
      std::string file = QUILLON_SOURCE_DIR "/tests/saves/format-" + std::to_string(format) + "/" + k.file;
      Player player;
      fs::create_directories(player.dir.Path("saves"));
      ASSERT_TRUE(fs::exists(file)) << file;
      fs::copy_file(file, player.Save("kept"));
      PlayedDemo run = player.Play(Playthrough(k.playOnFrom, kEnd, "wait for \"LoadGame(kept): restored\" within 20 frames\n"));
      EXPECT_EQ(run.status, 0) << file << "\n" << run.err;
    }
  }
}
