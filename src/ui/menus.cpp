// Verb buttons and the menu background: creation, lighting, clicks and drawing.
#include <utility>
#include <vector>

#include "engine/engine.h"
#include "resources/image_blit.h"
#include "resources/images.h"
#include "script/script_args.h"
#include "text/bitmap_font.h"
#include "ui/menu_button.h"
#include "ui/menus.h"
#include "ui/pointer_spots.h"
#include "ui/verbs.h"
#include "util/log.h"
#include "util/numbers.h"

void HandleButtonMouseOver(Engine& engine) {
  UiState& ui = engine.ui;
  for (int i = 0; i < ui.buttons.Count(); ++i) {
    MenuButton* button = ui.buttons.ValueAt(i);
    if (!button->visible) continue;
    if (button->HitTest(engine.input.mouseX, engine.input.mouseY)) button->lit = 1;
    else if (button != ui.currentVerb) button->lit = 0;
  }
}

bool HandleButtonClick(Engine& engine) {
  UiState& ui = engine.ui;
  for (int i = 0; i < ui.buttons.Count(); ++i) {
    MenuButton* button = ui.buttons.ValueAt(i);
    if (!button->visible || !button->HitTest(engine.input.mouseX, engine.input.mouseY)) continue;
    // Lighting and the sentence follow in the frame's own updates.
    ui.currentVerb = button;
    ui.verbLabel = button->label;
    return true;
  }
  return false;
}

void BlitMenu(Engine& engine) {
  UiState& ui = engine.ui;
  SDL_Surface* screen = engine.core.screen;
  try {
    if (ui.menuBackground && ui.menuBackgroundVisible) {
      SDL_Rect at = {Clip16(ui.menuBackgroundX), Clip16(ui.menuBackgroundY), 0, 0};
      BlitImage(engine, ui.menuBackground, nullptr, screen, &at);
    }
    for (int i = 0; i < ui.buttons.Count(); ++i) {
      MenuButton* button = ui.buttons.ValueAt(i);
      if (!button->image || !button->visible) continue;
      SDL_Rect frame = {Clip16(button->width * button->lit), 0, ClipU16(button->width), ClipU16(button->height)};
      SDL_Rect at = {Clip16(button->x), Clip16(button->y), 0, 0};
      BlitImage(engine, button->image, &frame, screen, &at);
    }
    if (ui.sentence.size() > 1 && engine.text.systemFont) {
      engine.text.systemFont->shortcuts = engine.resources.blitShortcuts;
      engine.text.systemFont->DrawString(ui.sentence.c_str(), engine.text.sentenceX, engine.text.sentenceY);
    }
  } catch (...) {
    LogText("Exception catched in BlitMenu.\r\n");
  }
}

namespace {

MenuButton* FindButton(Engine& engine, const std::string& key) {
  return LookUpNamed(engine, engine.ui.buttons, key, "button");
}

void DiagnoseUnknownVerb(Engine& engine, const std::string& verb) {
  std::vector<const char*> words;
  for (int type = 0; type < kCustomVerb; ++type) words.push_back(BuiltInVerbWord(type));
  words.push_back("CUSTOM");
  DiagnoseWord(engine, "verb", verb, words.data(), words.size());
}

}  // namespace

int lua_CreateMenuButton(lua_State* L) {
  Engine& engine = EngineOf(L);
  GuardedCall(L, [&] {
    std::string verb = ArgString(L, 1);
    std::string address = ArgString(L, 2);
    std::string label = ArgString(L, 3);
    int width = ArgInt(L, 4), height = ArgInt(L, 5), x = ArgInt(L, 6), y = ArgInt(L, 7);
    ImageRef image = LoadImage(engine, address);
    int type = VerbTypeOf(verb);
    if (type < 0) return DiagnoseUnknownVerb(engine, verb);
    std::string key = type == kCustomVerb ? label : BuiltInVerbWord(type);
    if (engine.ui.buttons.Get(key)) return;  // the first button under a key stays
    Owned<MenuButton> button = MakeOwned<MenuButton>();
    button->image = image;
    button->x = x;
    button->y = y;
    button->width = width;
    button->height = height;
    button->label = label;
    button->verbType = type;
    engine.ui.buttons.Add(key, std::move(button));
  });
  return 0;
}

int lua_ShowMenuButton(lua_State* L) {
  Engine& engine = EngineOf(L);
  GuardedCall(L, [&] {
    if (MenuButton* button = FindButton(engine, ArgString(L, 1))) button->visible = true;
  });
  return 0;
}

int lua_HideMenuButton(lua_State* L) {
  Engine& engine = EngineOf(L);
  GuardedCall(L, [&] {
    if (MenuButton* button = FindButton(engine, ArgString(L, 1))) button->visible = false;
  });
  return 0;
}

int lua_SetDefaultButton(lua_State* L) {
  Engine& engine = EngineOf(L);
  GuardedCall(L, [&] {
    if (MenuButton* button = FindButton(engine, ArgString(L, 1))) {
      engine.ui.defaultVerb = button;
      engine.ui.defaultVerbSet = true;
    }
  });
  return 0;
}

int lua_SetActiveButton(lua_State* L) {
  Engine& engine = EngineOf(L);
  GuardedCall(L, [&] {
    MenuButton* button = FindButton(engine, ArgString(L, 1));
    if (!button) throw std::runtime_error("no such button");
    ActivateButton(engine, button);
  });
  return 0;
}

// Unguarded by design, like the flag switches: a failure here has nothing to report but the load itself.
int lua_LoadMenuBackground(lua_State* L) {
  Engine& engine = EngineOf(L);
  std::string address = ArgString(L, 1);
  int x = ArgInt(L, 2), y = ArgInt(L, 3);
  engine.ui.menuBackground = LoadImage(engine, address);
  if (engine.ui.menuBackground) {
    engine.ui.menuBackgroundX = x;
    engine.ui.menuBackgroundY = y;
  }
  return 0;
}

int lua_ShowMenuBackground(lua_State* L) {
  EngineOf(L).ui.menuBackgroundVisible = true;
  return 0;
}

int lua_HideMenuBackground(lua_State* L) {
  EngineOf(L).ui.menuBackgroundVisible = false;
  return 0;
}

void AddButtonSpots(Engine& engine, std::vector<PointerSpot>* spots) {
  const auto& buttons = engine.ui.buttons;
  for (int i = 0; i < buttons.Count(); ++i) {
    const MenuButton& button = *buttons.ValueAt(i);
    if (button.visible && button.image) spots->push_back({button.x + button.width / 2, button.y + button.height / 2, ""});
  }
}
