// A saved game's fields are kept in step by hand in four places: the structs
// of save_data.h, the format's field lists (save_fields.h), the capture from
// the engine and the apply to it. A member added to a struct and forgotten in
// any of the others makes one of these tests fail.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <typeinfo>

#include "audio/sfx.h"
#include "engine/display.h"
#include "engine/game_fixtures.h"
#include "save/engine_state_io.h"
#include "save/save_fields.h"
#include "save/save_format.h"
#include "save/save_globals.h"
#include "scene/movement.h"
#include "support/sound_files.h"

namespace {

// Converts to any member type: T{Any, Any, ...} compiles for as many as T has
// members. Arrays count by their elements (brace elision): selected[2] as two, fonts[3] as three.
struct Any { template <class T> operator T() const; };
template <class T, class Indices>
constexpr size_t MemberCount(Indices, ...) { return Indices::size() - 1; }
template <class T, size_t... I>
constexpr auto MemberCount(std::index_sequence<I...>) -> decltype(T{(void(I), Any{})...}, size_t{}) {
  return MemberCount<T>(std::make_index_sequence<sizeof...(I) + 1>());
}

// A kind's name for the keys and messages (the compiler's, mangled but unique).
template <class T>
std::string Name() { return typeid(T).name(); }

// Runs the format's field lists over saved data. Each field has a key (its
// struct's kind, its offset there, its type) and a state: -1 for a member
// that is a struct with keys of its own, 0 while it held only what a
// default-made struct holds, 1 once it held something else. A value outside
// the struct is a count the format derives; its default is 0.
struct FieldWalk {
  struct Level { const char *base, *fresh; long size; std::string kind; };
  std::vector<Level> levels;
  std::map<std::string, int> state;
  uint32_t format = kSaveFormatVersion;

  template <class T>
  long At(const T& v) const {  // -1: outside the struct
    long at = reinterpret_cast<const char*>(&v) - levels.back().base;
    return at >= 0 && at + static_cast<long>(sizeof(T)) <= levels.back().size ? at : -1;
  }
  template <class T>
  std::string Key(const T& v, const std::string& type = Name<T>()) const {
    char at[16] = "outside";
    if (At(v) >= 0) snprintf(at, sizeof at, "+%04ld", At(v));
    return levels.back().kind + " " + at + " " + type;
  }
  void Note(const std::string& key, bool differs) { state[key] = std::max(state[key], differs ? 1 : 0); }
  template <class T>
  void operator()(T& v) {
    static const T zero{};
    const T& fresh = At(v) < 0 ? zero : *reinterpret_cast<const T*>(levels.back().fresh + At(v));
    Note(Key(v), !(v == fresh));
  }
  template <class T, class Each>
  void List(std::vector<T>& items, Each&& each) {  // every list of a default-made struct is empty
    Note(Key(items, "list"), !items.empty());
    for (T& item : items) Enter(item, [&] { each(item); });
  }
  void Bound(uint64_t, size_t) {}
  template <class T, class Then>
  void Enter(T& s, Then&& then, bool member = false) {
    if (member) state[Key(s)] = -1;
    static const T fresh{};
    levels.push_back({reinterpret_cast<const char*>(&s), reinterpret_cast<const char*>(&fresh), sizeof(T), Name<T>()});
    then();
    levels.pop_back();
  }
  template <class T>
  void Walk(T& data) {
    Enter(data, [&] { ::Visit<FieldWalk>(*this, data); });
  }
  long Count(const std::string& kind) const {
    return std::count_if(state.begin(), state.end(), [&](const auto& e) { return e.first.rfind(kind + " ", 0) == 0; });
  }
};

// Structs held inside another (not in a list) are walked as kinds of their own.
void Visit(FieldWalk& w, SavedFont& f) { w.Enter(f, [&] { ::Visit<FieldWalk>(w, f); }, true); }
void Visit(FieldWalk& w, SavedGlobals& g) { w.Enter(g, [&] { ::Visit<FieldWalk>(w, g); }, true); }
void Visit(FieldWalk& w, SavedValue& v, uint32_t n) { w.Enter(v, [&] { ::Visit<FieldWalk>(w, v, n); }, true); }

// Walks a default-made struct of every kind, and a script value of every kind.
FieldWalk WalkFresh() {
  FieldWalk w;
  auto walk = [&](auto fresh) { w.Walk(fresh); };
  walk(SaveGameData{}), walk(SavedObject{}), walk(SavedAnimation{}), walk(SavedPoint{}), walk(SavedButton{});
  walk(SavedFont{}), walk(SavedSound{}), walk(SavedGlobals{});
  for (uint8_t kind = SavedValue::kFalse; kind <= SavedValue::kTable; ++kind) {
    SavedValue v;
    v.kind = kind;
    w.Enter(v, [&] { ::Visit<FieldWalk>(w, v, 1u); });
  }
  return w;
}

TEST(SavedFields, EveryMemberOfEverySavedStructIsInTheFormat) {
  FieldWalk w = WalkFresh();
  auto expect = [&](auto fresh) {
    using T = decltype(fresh);
    long members = MemberCount<T>(std::index_sequence<>());
    EXPECT_EQ(w.Count(Name<T>()), members) << "each member of " << Name<T>() << " once in its Visit (save_fields.h)";
  };
  expect(SaveGameData{}), expect(SavedObject{}), expect(SavedAnimation{}), expect(SavedPoint{});
  expect(SavedButton{}), expect(SavedFont{}), expect(SavedSound{}), expect(SavedGlobals{}), expect(SavedValue{});
}

// Sets every field it can away from its default; run only in the game that is saved.
const char kSetUp[] = R"(function SetUp()
  MakeButtons() verbs = nil  -- tables of one entry each: both games list them in the same order
  SetActiveButton('LOOK') SetDefaultButton('WALK') SetUseWord('with') SetMode('DECISION')
  LoadBackground('wide.bmp') LoadCursor('icon.bmp') ShowCursor() LoadPathMap('floor.map')
  LoadMenuBackground('grey.bmp', 3, 4) ShowMenuBackground() DefineInventory(10, 20, 30, 31, 5) SetDecisionPos(40, 50)
  LoadSystemFont('font.bmp', 8, 12, 440) LoadTalkFont('font.bmp', 8, 200) LoadDecisionFont('font.bmp', 8)
  SetLanguage('de') SetStringFile('strings') S('score', 7) LoadSound('beep', 'beep.wav') SetSoundVolume('beep', 40)
  MakeObject('hero', 'Hero', 700, 300, 'blue.bmp') SetHero('hero') SetSpeed('hero', 20) AutoAnimOn('hero')
  LoadAnim('hero', 'walk', 'blue.bmp', 20, 20, 3, 4, 2, 1) AssignAnim('hero', 'walk', 'MOVEDOWN')
  LoadAnim('hero', 'stand', 'red.bmp', 20, 20, 0, 0, 3, 0) SetFrame('hero', 'stand', 2)
  MakeObject('door', 'Door', 100, 100) SetWalkToPos('door', 120, 200) HotSpotPositionOn('door')
  OverrideColorKey('door') SetMultiUse('door') SetTextBoxPos('door', 5, 6) SetTextColor('door', 1)
  SayText('door', 'A creak that lasts a while') SetSpeed('door', 5) Goto('door', 500, 50)
  LoadAnim('door', 'tick', 'red.bmp', 10, 20, 0, 0, 2, 20) PlayAnim('door', 'tick', 'ONESHOT')
  SetAnimTimeout('door', 'tick', 100000)
  MakeObject('key', 'Key', 50, 60) LoadInventoryIcon('key', 'icon.bmp') AddToInventory('key') PassClicks('key')
  CreateArea('pane', 10, 20, 30, 40) SetDepthScale(100, 50, 400, 120) DepthScaleOn('key')
  n, s, yes = 1.5, 'text', true notes = {next = {}} notes.next.back = notes
end
)";

void WriteGame(GameHarness& game) {
  WriteSceneGame(game, "", kSetUp);
  SaveBmp(Paint(1280, 480, kGrey), game.Path("wide.bmp"));  // wider than the screen: it scrolls with the hero
  game.Write("beep.wav", SquareWav(500, 1000));
  game.Write("theme.wav", SquareWav(2000, 1000));
}

TEST(SavedFields, EveryFieldSurvivesSaveAndLoadWithAValueOfItsOwn) {
  SaveGameData a, b;
  Uint32 tick = 0;  // of the capture: times are saved relative to it
  GameHarness saved;
  WriteGame(saved);
  saved.stopAfterFrames = 30;
  saved.At(1, [](Engine& e) {
    Lua(e, "SetUp()");
    // What no script function sets: the walk a click starts and the music.
    FollowPath(e, *e.cast.hero, {{700, 300}, {650, 350}, {600, 400}});
    e.audio.sfx->LoadMusicFile("theme", "theme.wav");
    e.audio.sfx->SetVolume(30);
    e.audio.sfx->PlayMusic("theme");
  });
  saved.At(30, [&](Engine& e) {
    // Mid-fade gamma, a walk to a clicked object and a two-object USE mid-event.
    SetDisplayGamma(e, 0.5f);
    e.walk.target = e.cast.objects.Get("door"), e.walk.arrivalReported = false;
    e.ui.selectionCount = 2;
    e.ui.selectedIds[0] = "door", e.ui.selectedIds[1] = "key";
    tick = e.Ticks();
    CaptureEngineState(e, &a);
    CaptureGlobals(e.script.L, &a.globals);
  });
  saved.Run();
  a.gameName = "fields", a.title = "every field", a.timeMs = 1;  // the header, which SaveGame writes

  SaveGameData decoded;
  std::string reason;
  ASSERT_TRUE(DecodeSave(EncodeSave(a), &decoded, &reason)) << reason;
  EXPECT_TRUE(EncodeSave(decoded) == EncodeSave(a)) << "the format reads back what it wrote";

  GameHarness loaded;  // a fresh engine of the same game
  WriteGame(loaded);
  loaded.stopAfterFrames = 1;
  loaded.At(1, [&](Engine& e) {
    loaded.clock.now = tick;
    ApplyEngineState(e, a);
    ApplyGlobals(e.script.L, a.globals);
    CaptureEngineState(e, &b);
    CaptureGlobals(e.script.L, &b.globals);
  });
  loaded.Run();
  b.gameName = a.gameName, b.title = a.title, b.timeMs = a.timeMs;
  EXPECT_TRUE(EncodeSave(a) == EncodeSave(b)) << "a fresh engine given the save captures it again";

  FieldWalk w = WalkFresh();
  w.Walk(a);
  std::string never;
  for (const auto& [key, state] : w.state)
    if (state == 0) never += "  " + key + "\n";
  EXPECT_TRUE(never.empty()) << "fields that held only their default in the save (kind, offset, type):\n" << never;
}

}  // namespace
