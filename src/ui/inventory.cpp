// The inventory: carried items as a row of icons, hovered and used with verbs.
#include "engine/engine.h"
#include "resources/image_blit.h"
#include "resources/images.h"
#include "scene/adventure_object.h"
#include "scene/object_lookup.h"
#include "script/script_args.h"
#include "ui/inventory.h"
#include "ui/pointer_spots.h"
#include "ui/verbs.h"
#include "util/log.h"
#include "util/numbers.h"

namespace {

long long SlotLeft(const UiState& ui, int position) {
  return ui.inventoryX + static_cast<long long>(position) * ui.inventorySpacing +
         static_cast<long long>(position) * ui.iconWidth;
}

// Borders do not count: only the pixels strictly inside a slot hit it.
bool InsideSlot(Engine& engine, int position) {
  const UiState& ui = engine.ui;
  long long left = SlotLeft(ui, position);
  long long mx = engine.input.mouseX, my = engine.input.mouseY;
  long long top = ui.inventoryY;
  return left < mx && mx < left + ui.iconWidth && top < my && my < top + ui.iconHeight;
}

// The inventory takes part in pointing only with a verb other than WALK and TAKE.
bool VerbReachesInventory(Engine& engine) {
  return engine.ui.currentVerb && !CurrentVerbIs(engine, "WALK") && !CurrentVerbIs(engine, "TAKE");
}

}  // namespace

void HandleInventoryMouseOver(Engine& engine) {
  Hashtable<AdventureObject*>& items = engine.ui.inventory;
  if (!VerbReachesInventory(engine)) return;
  for (int i = 0; i < items.Count(); ++i) {
    AdventureObject* item = items.ValueAt(i);
    if (!item->inventoryIcon || !InsideSlot(engine, i)) continue;
    UpdateSentence(engine, item->name);
    engine.frame.hover = true;
  }
}

bool HandleInventoryClick(Engine& engine) {
  Hashtable<AdventureObject*>& items = engine.ui.inventory;
  if (!VerbReachesInventory(engine)) return false;
  for (int i = 0; i < items.Count(); ++i) {
    AdventureObject* item = items.ValueAt(i);
    if (!item->inventoryIcon || !InsideSlot(engine, i)) continue;
    // ApplyVerb may run frames in which scripts change the inventory.
    std::string id = items.KeyAt(i);
    ApplyVerb(engine, item, id);
    return true;
  }
  return false;
}

void BlitInventory(Engine& engine) {
  UiState& ui = engine.ui;
  try {
    for (int i = 0; i < ui.inventory.Count(); ++i) {
      AdventureObject* item = ui.inventory.ValueAt(i);
      if (!item->inventoryIcon) continue;
      SDL_Rect area = {0, 0, ClipU16(ui.iconWidth), ClipU16(ui.iconHeight)};
      SDL_Rect at = {Clip16(SlotLeft(ui, i)), Clip16(ui.inventoryY), 0, 0};
      BlitImage(engine, item->inventoryIcon, &area, engine.core.screen, &at);
    }
  } catch (...) {
    LogText("Exception catched in BlitInventory.\r\n");
  }
}

int lua_DefineInventory(lua_State* L) {
  Engine& engine = EngineOf(L);
  GuardedCall(L, [&] {
    UiState& ui = engine.ui;
    ui.inventoryX = ArgInt(L, 1);
    ui.inventoryY = ArgInt(L, 2);
    ui.iconWidth = ArgInt(L, 3);
    ui.iconHeight = ArgInt(L, 4);
    ui.inventorySpacing = ArgInt(L, 5);
  });
  return 0;
}

int lua_LoadInventoryIcon(lua_State* L) {
  Engine& engine = EngineOf(L);
  GuardedCall(L, [&] {
    std::string id = ArgString(L, 1);
    std::string address = ArgString(L, 2);
    if (AdventureObject* object = FindObject(engine, id)) {
      if (ImageRef icon = LoadImage(engine, address)) object->inventoryIcon = icon;
    }
  });
  return 0;
}

int lua_AddToInventory(lua_State* L) {
  Engine& engine = EngineOf(L);
  GuardedCall(L, [&] {
    std::string id = ArgString(L, 1);
    if (AdventureObject* object = FindObject(engine, id)) {
      engine.ui.inventory.Add(id, object);
      object->visible = false;
    }
  });
  return 0;
}

int lua_RemoveFromInventory(lua_State* L) {
  Engine& engine = EngineOf(L);
  GuardedCall(L, [&] {
    std::string id = ArgString(L, 1);
    if (FindObject(engine, id) && engine.ui.inventory.Get(id)) engine.ui.inventory.Remove(id);
  });
  return 0;
}

int lua_IsInInventory(lua_State* L) {
  Engine& engine = EngineOf(L);
  int carried = 0;
  GuardedCall(L, [&] {
    AdventureObject* object = FindObject(engine, ArgString(L, 1));
    if (object && engine.ui.inventory.Contains(object)) carried = 1;
  });
  lua_pushnumber(L, carried);
  return 1;
}

void AddInventorySpots(Engine& engine, std::vector<PointerSpot>* spots) {
  const UiState& ui = engine.ui;
  if (!VerbReachesInventory(engine)) return;
  for (int i = 0; i < ui.inventory.Count(); ++i) {
    const AdventureObject* item = ui.inventory.ValueAt(i);
    if (!item->inventoryIcon) continue;
    spots->push_back({TruncateToInt(static_cast<double>(SlotLeft(ui, i) + ui.iconWidth / 2)),
                      ui.inventoryY + ui.iconHeight / 2, item->name});
  }
}
