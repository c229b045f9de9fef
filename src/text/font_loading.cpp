// The script functions that load the system, talk and decision fonts.
#include "text/font_loading.h"

#include "engine/engine.h"
#include "resources/images.h"
#include "script/script_args.h"
#include "script/script_functions.h"
#include "text/bitmap_font.h"
#include "text/font_diagnostics.h"

namespace {

// A font from the image registry when the address loads there, else from the
// address as a plain file (which logs its own failure).
template <class Font, class... Extra>
Owned<Font> LoadFont(Engine& engine, const std::string& address, int cellHeight, Extra... extra) {
  SDL_Surface* screen = engine.core.screen;
  SDL_Surface* image = LoadImage(engine, address);
  auto font = image ? MakeOwned<Font>(screen, image, cellHeight, extra...)
                    : MakeOwned<Font>(screen, address, cellHeight, extra...);
  DiagnoseFont(engine, *font, address);
  return font;
}

}  // namespace

void LoadRoleFont(Engine& engine, FontRole role, const FontSource& source) {
  TextState& text = engine.text;
  switch (role) {
    case FontRole::kSystem:
      text.systemFont = LoadFont<CBitmapFont>(engine, source.address, source.cellHeight);
      text.systemFontSource = source;
      break;
    case FontRole::kTalk:
      text.talkFont = LoadFont<CBitmapFont2>(engine, source.address, source.cellHeight, source.lineWidth, 0,
                                             engine.core.screenWidth);
      text.talkFontSource = source;
      break;
    case FontRole::kDecision:
      text.decisionFont = LoadFont<CBitmapFont>(engine, source.address, source.cellHeight);
      text.decisionFontSource = source;
      break;
  }
}

int lua_LoadSystemFont(lua_State* L) {
  Engine& engine = EngineOf(L);
  GuardedCall(L, [&] {
    std::string address = ArgString(L, 1);
    int cellHeight = ArgInt(L, 2);
    LoadRoleFont(engine, FontRole::kSystem, {address, cellHeight, 0});
    engine.text.sentenceX = ArgInt(L, 3);
    engine.text.sentenceY = ArgInt(L, 4);
  });
  return 0;
}

int lua_LoadTalkFont(lua_State* L) {
  Engine& engine = EngineOf(L);
  GuardedCall(L, [&] {
    std::string address = ArgString(L, 1);
    int cellHeight = ArgInt(L, 2);
    int maxLineWidth = ArgInt(L, 3);
    LoadRoleFont(engine, FontRole::kTalk, {address, cellHeight, maxLineWidth});
  });
  return 0;
}

int lua_LoadDecisionFont(lua_State* L) {
  Engine& engine = EngineOf(L);
  GuardedCall(L, [&] {
    std::string address = ArgString(L, 1);
    int cellHeight = ArgInt(L, 2);
    LoadRoleFont(engine, FontRole::kDecision, {address, cellHeight, 0});
  });
  return 0;
}
