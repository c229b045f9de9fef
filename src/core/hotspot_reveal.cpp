// The hotspot reveal's layer and LoadHotSpotMarker.
#include "core/hotspot_reveal.h"

#include <algorithm>

#include "core/pointer_keys.h"
#include "engine/engine.h"
#include "resources/image_blit.h"
#include "resources/images.h"
#include "script/script_args.h"
#include "script/script_functions.h"
#include "text/bitmap_font.h"
#include "util/numbers.h"

namespace {

constexpr int kMarkSize = 9;  // the engine's own mark: a white square in a black one

void Fill(SDL_Surface* screen, int x, int y, int w, int h, Uint8 grey) {
  SDL_Rect r = {Clip16(x), Clip16(y), static_cast<Uint16>(std::max(w, 0)), static_cast<Uint16>(std::max(h, 0))};
  SDL_FillRect(screen, &r, SDL_MapRGB(screen->format, grey, grey, grey));
}

// The mark's top-left corner lands so that its middle is on the spot; returns its bottom.
int DrawMark(Engine& engine, int x, int y) {
  SDL_Surface* screen = engine.core.screen;
  if (SDL_Surface* marker = engine.view.hotSpotMarker) {
    SDL_Rect at = {Clip16(x - marker->w / 2), Clip16(y - marker->h / 2), 0, 0};
    BlitImage(engine, marker, nullptr, screen, &at);
    return y - marker->h / 2 + marker->h;
  }
  Fill(screen, x - kMarkSize / 2, y - kMarkSize / 2, kMarkSize, kMarkSize, 0);
  Fill(screen, x - kMarkSize / 2 + 2, y - kMarkSize / 2 + 2, kMarkSize - 4, kMarkSize - 4, 255);
  return y - kMarkSize / 2 + kMarkSize;
}

// The name on a black band, so that it reads on any background.
void DrawName(Engine& engine, const std::string& name, int middle, int top) {
  CBitmapFont* font = engine.text.systemFont.get();
  if (!font || name.empty()) return;
  int width = std::max(font->GetTextWidth(name.c_str()), 0);
  int left = std::clamp(middle - width / 2, 2, std::max(engine.core.screenWidth - width - 2, 2));
  Fill(engine.core.screen, left - 2, top, width + 4, font->cellHeight + 2, 0);
  font->shortcuts = engine.resources.blitShortcuts;
  font->DrawString(name.c_str(), left, top + 1);
}

}  // namespace

void DrawHotSpotReveal(Engine& engine) {
  if (!engine.input.revealHeld) return;
  for (const PointerSpot& spot : SpotsInReadingOrder(engine)) {
    if (spot.name.empty()) continue;  // buttons and decision lines show their own words
    int bottom = DrawMark(engine, spot.x, spot.y);
    DrawName(engine, spot.name, spot.x, bottom + 1);
  }
}

int lua_LoadHotSpotMarker(lua_State* L) {
  Engine& engine = EngineOf(L);
  GuardedCall(L, [&] { engine.view.hotSpotMarker = LoadImage(engine, ArgString(L, 1)); });
  return 0;
}
