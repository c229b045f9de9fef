// Fuzz entry of the script surface: bytes become calls of the script functions, input events and frames.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <unistd.h>

extern "C" {
#include <lauxlib.h>
#include <lua.h>
}

#include "core/input_events.h"
#include "engine/engine.h"
#include "fuzz/entries/byte_reader.h"
#include "fuzz/entries/fuzz_entries.h"
#include "fuzz/entries/fuzz_world.h"
#include "fuzz/entries/script_call_codes.h"
#include "scene/adventure_object.h"
#include "script/script_table.h"
#include "text/bitmap_font.h"

namespace {

// Script runs name their media relative to the world's folder.
class InFolder {
 public:
  explicit InFolder(const std::string& path) {
    if (!getcwd(previous_, sizeof previous_) || chdir(path.c_str()) != 0) abort();
  }
  ~InFolder() {
    if (chdir(previous_) != 0) abort();
  }

 private:
  char previous_[4096];
};

// Names a game would pass: the fixture media, ids, verbs, kinds and modes.
const char* const kWords[] = {
    "a.bmp", "p8.bmp", "f.bmp", "s.wav", "m.map", "strings", "p.dat:0", "p.dat:1", "p.dat:2", "p.dat:-1",
    "img.dat:0", "img.dat:1", "img.dat:2", "img.dat:9", "sfx.dat:0", "sfx.dat:1", "hero", "obj", "item", "WALK",
    "TALK", "LOOK", "USE", "GIVE", "CUSTOM", "WALKING", "TALKING", "ANIMATING", "LOOP", "ONESHOT", "WHILETALKING",
    "WHILEWALKING", "IDLEDOWN", "IDLELEFT", "IDLERIGHT", "IDLEUP", "MOVEDOWN", "MOVELEFT", "MOVERIGHT", "MOVEUP",
    "INTERACT", "DECISION", "MOVIE", "FULLSCREEN", "EN", "DE", "", "x", "anim", "walkleft", "1", "-1", "0x10"};
const double kNumbers[] = {0, 1, -1, 2, 3, 8, 10, 16, 50, 100, 199, 320, 1000, 65535, 65536, -65536, 0.5, -0.5,
                           2147483647.0, -2147483648.0, 4294967296.0, 1e9, -1e9, 1e300, NAN, INFINITY, -INFINITY};

constexpr int kMaxCalls = 48;
// Frames one call may run: a wait that goes on past this can never end.
constexpr Uint32 kFrameLimit = 3000;
// After this many frames of a decision the player starts clicking its options.
constexpr Uint32 kPlayerPatience = 50;

template <class T, size_t N>
const T& Pick(const T (&table)[N], ByteReader& in) {
  return table[in.Byte() % N];
}

// A string from the input that names no file outside the world's folder.
std::string FreeText(ByteReader& in) {
  std::string text = in.Bytes(in.Byte() % 24);
  for (char& c : text)
    if (c == '/') c = '_';
  return text;
}

void PushArgument(lua_State* L, ByteReader& in) {
  switch (in.Byte() % 7) {
    case 0: lua_pushnil(L); break;
    case 1: lua_pushnumber(L, Pick(kNumbers, in)); break;
    case 2: lua_pushnumber(L, static_cast<int8_t>(in.Byte())); break;
    case 3: lua_pushstring(L, Pick(kWords, in)); break;
    case 4: {
      std::string text = FreeText(in);
      lua_pushlstring(L, text.data(), text.size());
      break;
    }
    case 5:
      lua_newtable(L);
      if (in.Byte() & 1) {
        lua_pushstring(L, Pick(kWords, in));
        lua_rawseti(L, -2, 1);
      }
      break;
    default: lua_pushboolean(L, in.Byte() & 1); break;
  }
}

void Click(int x, int y) {
  MovePointer(x, y);
  PushClick(SDL_BUTTON_LEFT, x, y);
}

// What a patient player does during a long decision: point at each option in
// turn and click it.
void TryTheOptions(Engine& engine, Uint32 frame) {
  const UiState& ui = engine.ui;
  if (!ui.decisionPending || ui.options.empty() || !engine.text.decisionFont) return;
  long long option = (frame / 2) % ui.options.size();
  // The option's first pixel inside the window: rows may begin above it.
  long long x = std::max(static_cast<long long>(ui.decisionX) + 1, 0LL);
  long long y = std::max(static_cast<long long>(ui.decisionY) + option * engine.text.decisionFont->cellHeight + 1, 0LL);
  if (x >= kFuzzScreenWidth || y >= kFuzzScreenHeight) return;
  if (frame % 2 == 0) SDL_WarpMouse(static_cast<Uint16>(x), static_cast<Uint16>(y));
  else Click(static_cast<int>(x), static_cast<int>(y));
}

void ReportEndlessWait(Engine& engine, const char* function) {
  fprintf(stderr,
          "fuzz entry: %s ran %u frames without end (waiting %d kind %s, decision pending %d, hero moving %d)\n",
          function, kFrameLimit, engine.timing.waiting, engine.timing.waitKind.c_str(), engine.ui.decisionPending,
          engine.cast.hero ? engine.cast.hero->moving : -1);
  abort();
}

void Define(lua_State* L, const char* source) {
  if (luaL_loadstring(L, source) == 0) lua_pcall(L, 0, 0, 0);
  lua_settop(L, 0);
}

// With QUILLON_FUZZ_TRACE set, each call is printed before it runs, to read a finding.
void TraceCall(lua_State* L, const char* name, int count) {
  fprintf(stderr, "%s(", name);
  for (int i = 1; i <= count; ++i) {
    int at = lua_gettop(L) - count + i;
    const char* text = lua_type(L, at) == LUA_TSTRING || lua_type(L, at) == LUA_TNUMBER ? lua_tostring(L, at) : nullptr;
    if (text && lua_type(L, at) == LUA_TSTRING) fprintf(stderr, "%s\"%s\"", i > 1 ? ", " : "", text);
    else fprintf(stderr, "%s%s", i > 1 ? ", " : "", text ? text : lua_typename(L, lua_type(L, at)));
  }
  fprintf(stderr, ")\n");
}

bool ReturnsOneResult(const char* name) {
  for (const char* f : {"IsInInventory", "MakeDecision", "GetString", "G"})
    if (std::string(name) == f) return true;
  return false;
}

bool IsTimed(const char* name) {
  for (const char* f : {"Wait", "FadeOut", "FadeIn"})
    if (std::string(name) == f) return true;
  return false;
}

}  // namespace

int FuzzScriptCalls(const uint8_t* data, size_t size) {
  FuzzWorld& world = OpenFuzzWorld();
  InFolder inWorld(world.dir);
  FuzzEngine fuzz;
  Engine& engine = fuzz.engine;
  lua_State* L = engine.script.L;
  const char* calling = "";
  engine.core.frameHook = [&](Engine& e) {
    fuzz.now += fuzz.msPerFrame;
    ++fuzz.framesThisCall;
    if (fuzz.framesThisCall > kPlayerPatience) TryTheOptions(e, fuzz.framesThisCall);
    if (fuzz.framesThisCall > kFrameLimit) ReportEndlessWait(e, calling);
  };
  // Callbacks a game defines; without them an event would end the process by design.
  Define(L, "function Init() end function Main() end function DeInit() end function Event(v, a, b) end");

  ByteReader in(data, size);
  for (int call = 0; call < kMaxCalls && !in.Empty(); ++call) {
    int code = in.Byte() % ScriptStepCodeCount();
    fuzz.ResetFrameCount();
    if (code == kClickCode) {
      Click(in.U16() % kFuzzScreenWidth, in.U16() % kFuzzScreenHeight);
      continue;
    }
    if (code == kMoveCode) {
      SDL_WarpMouse(in.U16() % kFuzzScreenWidth, in.U16() % kFuzzScreenHeight);
      continue;
    }
    if (code == kKeyCode) {
      PushKeyDown(in.Byte() & 1 ? SDLK_F5 : SDLK_a);
      continue;
    }
    calling = kScriptFunctions[ScriptFunctionOfCode(code)].name;
    lua_getglobal(L, calling);
    int count = in.Byte() % 11;
    for (int i = 0; i < count; ++i) {
      // Durations stay within seconds: a script that waits an hour is not hanging.
      if (i == 0 && IsTimed(calling)) lua_pushnumber(L, static_cast<int16_t>(in.U16()) % 3000);
      else PushArgument(L, in);
    }
    if (getenv("QUILLON_FUZZ_TRACE")) TraceCall(L, calling, count);
    if (lua_pcall(L, count, LUA_MULTRET, 0) != 0) {
      fprintf(stderr, "fuzz entry: %s raised a script error: %s\n", calling, lua_tostring(L, -1));
      abort();
    }
    if (lua_gettop(L) != (ReturnsOneResult(calling) ? 1 : 0)) {
      fprintf(stderr, "fuzz entry: %s left %d results\n", calling, lua_gettop(L));
      abort();
    }
    lua_settop(L, 0);
  }
  // A few frames of whatever the calls set up.
  fuzz.ResetFrameCount();
  calling = "Wait";
  lua_getglobal(L, "Wait");
  lua_pushnumber(L, 500);
  lua_pcall(L, 1, 0, 0);
  return 0;
}
