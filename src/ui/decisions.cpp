// Dialogue decisions: the options on screen, the hover, the pick and MakeDecision.
#include "ui/decisions.h"
#include "ui/pointer_spots.h"

#include <algorithm>

#include "engine/engine.h"
#include "engine/nested_frames.h"
#include "script/script_args.h"
#include "text/bitmap_font.h"
#include "util/log.h"

void HandleDecisionMouseOver(Engine& engine) {
  UiState& ui = engine.ui;
  CBitmapFont* font = engine.text.decisionFont.get();
  if (!font) return;
  try {
    ui.hoveredOption = -1;
    long long rowTop = ui.decisionY;
    long long mx = engine.input.mouseX, my = engine.input.mouseY;
    for (size_t i = 0; i < ui.options.size(); ++i) {
      long long right = static_cast<long long>(ui.decisionX) + font->GetTextWidth(ui.options[i].c_str());
      if (ui.decisionX < mx && mx < right && rowTop < my && my < rowTop + font->cellHeight)
        ui.hoveredOption = static_cast<int>(i);
      rowTop += font->cellHeight;
    }
  } catch (...) {
    LogText("Ecxeption catched in HandleDecisionMouseOver\n");
  }
}

void PickDecision(Engine& engine) {
  UiState& ui = engine.ui;
  if (ui.hoveredOption == -1) return;
  ui.decisionResult = ui.hoveredOption;
  ui.decisionPending = false;
}

void BlitDecisions(Engine& engine) {
  UiState& ui = engine.ui;
  CBitmapFont* font = engine.text.decisionFont.get();
  if (!font || ui.options.empty()) return;
  font->shortcuts = engine.resources.blitShortcuts;
  try {
    long long rowTop = ui.decisionY;
    for (size_t i = 0; i < ui.options.size(); ++i) {
      font->colorRow = static_cast<int>(i) == ui.hoveredOption ? 1 : 0;
      font->DrawString(ui.options[i].c_str(), ui.decisionX, static_cast<int>(rowTop));
      rowTop += font->cellHeight;
    }
  } catch (...) {
    LogText("Exception catched in BlitDecisions\n");
  }
}

namespace {

// True when some pointer position inside the window hovers the option: the
// hover test wants the pointer strictly inside its row. The pointer moves
// within the window that is open, whatever SetScreen asked for since.
bool CanBePointedAt(Engine& engine, const CBitmapFont& font, size_t option) {
  const UiState& ui = engine.ui;
  const SDL_Surface* window = engine.core.screen;
  long long width = window ? window->w : engine.core.screenWidth;
  long long height = window ? window->h : engine.core.screenHeight;
  long long left = ui.decisionX, right = left + font.GetTextWidth(ui.options[option].c_str());
  long long top = ui.decisionY + static_cast<long long>(option) * font.cellHeight, bottom = top + font.cellHeight;
  long long firstX = std::max(left + 1, 0LL), lastX = std::min(right - 1, width - 1);
  long long firstY = std::max(top + 1, 0LL), lastY = std::min(bottom - 1, height - 1);
  return firstX <= lastX && firstY <= lastY;
}

// Why no pick could ever end the decision now, or null when one can.
const char* DecisionCannotEnd(Engine& engine) {
  if (engine.ui.options.empty()) return "no options to choose from";
  if (!engine.text.decisionFont) return "no decision font loaded";
  if (!engine.input.decisionMode) return "not in DECISION mode";
  // Frames of a WaitFor take no pointer input, so an event inside one cannot be answered.
  if (engine.timing.waiting) return "a WaitFor is running";
  for (size_t i = 0; i < engine.ui.options.size(); ++i)
    if (CanBePointedAt(engine, *engine.text.decisionFont, i)) return nullptr;
  return "no option can be pointed at";
}

}  // namespace

// Unguarded: nothing in it can fail but the frames it runs, which guard themselves.
int lua_MakeDecision(lua_State* L) {
  Engine& engine = EngineOf(L);
  UiState& ui = engine.ui;
  ui.options.clear();
  ui.decisionResult = -1;
  int count = lua_gettop(L);
  for (int i = 1; i <= count; ++i) {
    // Numbers show as the script language writes them; anything else has no text.
    size_t length = 0;
    const char* text = lua_type(L, i) == LUA_TSTRING || lua_type(L, i) == LUA_TNUMBER ? lua_tolstring(L, i, &length)
                                                                                         : nullptr;
    ui.options.push_back(text ? std::string(text, length) : std::string());
  }
  // An option hovered in an earlier decision must not be picked in this one.
  ui.hoveredOption = -1;
  ui.decisionPending = true;
  NestedWait wait;
  wait.who = "MakeDecision";
  wait.outcome = "returning 0";
  wait.cannotEnd = [&] { return DecisionCannotEnd(engine); };
  if (!RunFramesUntil(engine, [&] { return !ui.decisionPending; }, wait)) ui.decisionPending = false;
  ui.options.clear();
  lua_pushnumber(L, ui.decisionResult + 1);
  return 1;
}

int lua_SetDecisionPos(lua_State* L) {
  Engine& engine = EngineOf(L);
  GuardedCall(L, [&] {
    engine.ui.decisionX = ArgInt(L, 1);
    engine.ui.decisionY = ArgInt(L, 2);
  });
  return 0;
}

void AddDecisionSpots(Engine& engine, std::vector<PointerSpot>* spots) {
  const UiState& ui = engine.ui;
  const CBitmapFont* font = engine.text.decisionFont.get();
  if (!font || !engine.input.decisionMode) return;
  for (size_t i = 0; i < ui.options.size(); ++i) {
    if (!CanBePointedAt(engine, *font, i)) continue;
    int top = ui.decisionY + static_cast<int>(i) * font->cellHeight;
    spots->push_back({ui.decisionX + 1 + std::max(font->GetTextWidth(ui.options[i].c_str()), 2) / 2,
                      top + font->cellHeight / 2, ""});
  }
}
