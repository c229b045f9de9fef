// Verbs and the action sentence: choosing, hovering and clicking scene objects.
#include <algorithm>
#include <cstdint>
#include <cstdlib>

#include "engine/diagnostics.h"
#include "engine/engine.h"
#include "scene/areas.h"
#include "scene/depth_scale.h"
#include "scene/hit_test.h"
#include "script/script_args.h"
#include "ui/event_call.h"
#include "ui/menu_button.h"
#include "ui/pointer_spots.h"
#include "ui/verbs.h"
#include "util/log.h"

bool CurrentVerbIs(Engine& engine, const char* word) {
  MenuButton* current = engine.ui.currentVerb;
  return current && current == engine.ui.buttons.Get(word);
}

void ActivateButton(Engine& engine, MenuButton* button) {
  UiState& ui = engine.ui;
  GuardedWith([&] { return FormatText("Exception catched int ActivateButton(%s)\r\n", button ? button->label.c_str() : ""); },
              [&] {
                if (button) {
                  for (int i = 0; i < ui.buttons.Count(); ++i)
                    if (MenuButton* other = ui.buttons.ValueAt(i); other && other != button) other->lit = 0;
                }
                if (!button) throw std::runtime_error("no button");
                button->lit = 1;
                ui.verbLabel = button->label;
                ui.currentVerb = button;
                UpdateSentence(engine, "");
              });
}

void UpdateSentence(Engine& engine, const std::string& name) {
  UiState& ui = engine.ui;
  bool use = CurrentVerbIs(engine, "USE");
  bool give = CurrentVerbIs(engine, "GIVE");
  if ((use || give) && ui.selectionCount == 2) return;
  if (&name == &ui.sentence) {  // built from itself: keep a copy of the name
    std::string copy = name;
    UpdateSentence(engine, copy);
    return;
  }
  // Rebuilt in place every frame, in the storage of the last sentence.
  std::string& sentence = ui.sentence;
  sentence.assign(ui.verbLabel);
  sentence += ' ';
  if ((use || give) && ui.selectionCount == 1) {
    if (ui.selected[0]) sentence += ui.selected[0]->name;
    if (use) {
      sentence += ' ';
      sentence += ui.useWord;
      sentence += ' ';
    } else {
      sentence += " an ";
    }
  }
  sentence += name;
}

void HoverObject(Engine& engine, AdventureObject* object) {
  if (engine.ui.currentVerb) UpdateSentence(engine, object->name);
  engine.frame.hover = true;
}

namespace {

// Whether the pointer handlers consider the object at all.
bool Pointable(Engine& engine, const AdventureObject& object) {
  return object.visible && &object != engine.cast.hero && engine.text.systemFont && !object.passesClicks &&
         (object.currentAnimation || !object.area.empty());
}

bool IsArea(const AdventureObject& object) { return !object.area.empty(); }

// Whether a picture that takes the pointer lies at the point, named or not:
// areas lie on the background, under every picture.
bool PictureAt(Engine& engine, int sceneX, int sceneY) {
  auto& objects = engine.cast.objects;
  for (int i = 0; i < objects.Count(); ++i) {
    const AdventureObject& object = *objects.ValueAt(i);
    if (Pointable(engine, object) && !IsArea(object) && HitAt(engine, object, sceneX, sceneY)) return true;
  }
  return false;
}

// The named area at the point, the one made last on top; null for none. An
// area without a name covers nothing, so it takes no click either.
AdventureObject* AreaAt(Engine& engine, int sceneX, int sceneY, std::string* id) {
  auto& objects = engine.cast.objects;
  AdventureObject* found = nullptr;
  for (int i = 0; i < objects.Count(); ++i) {
    AdventureObject* object = objects.ValueAt(i);
    if (!IsArea(*object) || !Pointable(engine, *object) || object->name.empty()) continue;
    if (!InOutline(object->area, sceneX, sceneY)) continue;
    found = object;
    if (id) *id = objects.KeyAt(i);
  }
  return found;
}

}  // namespace

void HandleObjectMouseOver(Engine& engine) {
  auto& objects = engine.cast.objects;
  int sceneX = engine.input.mouseX - engine.view.scrollX;
  int sceneY = engine.input.mouseY;
  bool named = false, overArea = false;
  // Every hit names the sentence in turn, so the front-most one wins.
  for (int i = 0; i < objects.Count(); ++i) {
    AdventureObject* object = objects.ValueAt(i);
    if (!Pointable(engine, *object) || object->name.empty()) continue;
    if (IsArea(*object)) {
      overArea = overArea || InOutline(object->area, sceneX, sceneY);
    } else if (HitAt(engine, *object, sceneX, sceneY)) {
      HoverObject(engine, object);
      named = true;
    }
  }
  if (overArea && !named && !PictureAt(engine, sceneX, sceneY))
    HoverObject(engine, AreaAt(engine, sceneX, sceneY, nullptr));
}

namespace {

// The sentence names the front-most named object under the pointer, the
// click goes to the back-most: an author who lays a named object over
// another sees the wrong one act, and is told why.
void DiagnoseHiddenChoice(Engine& engine, const std::string& clicked, int sceneX, int sceneY) {
  auto& objects = engine.cast.objects;
  for (int i = objects.Count() - 1; i >= 0; --i) {
    AdventureObject* object = objects.ValueAt(i);
    if (!Pointable(engine, *object) || IsArea(*object) || object->name.empty() || !HitAt(engine, *object, sceneX, sceneY))
      continue;
    if (objects.KeyAt(i) != clicked)
      Diagnose(engine, FormatText("a click at (%d, %d) acts on \"%s\", the back-most object under the pointer, while "
                                  "the action sentence names \"%s\", the front-most",
                                  engine.frame.clickX, engine.frame.clickY, clicked.c_str(), objects.KeyAt(i).c_str()));
    return;
  }
}

}  // namespace

bool HandleObjectClick(Engine& engine) {
  auto& objects = engine.cast.objects;
  int sceneX = engine.input.mouseX - engine.view.scrollX;
  int sceneY = engine.input.mouseY;
  for (int i = 0; i < objects.Count(); ++i) {
    AdventureObject* object = objects.ValueAt(i);
    if (!Pointable(engine, *object) || IsArea(*object) || !HitAt(engine, *object, sceneX, sceneY)) continue;
    // The back-most hit takes the click. ApplyVerb may run frames in which
    // scripts change the registry, so the walk over it ends here.
    std::string id = objects.KeyAt(i);
    if (DiagnosticsOn(engine)) DiagnoseHiddenChoice(engine, id, sceneX, sceneY);
    ApplyVerb(engine, object, id);
    return true;
  }
  // No picture took the click: the area on top takes it.
  std::string id;
  AdventureObject* area = AreaAt(engine, sceneX, sceneY, &id);
  if (!area) return false;
  ApplyVerb(engine, area, id);
  return true;
}

namespace {

void ClearSelection(UiState& ui) {
  ui.selected[0] = ui.selected[1] = nullptr;
  ui.selectedIds[0].clear();
  ui.selectedIds[1].clear();
  ui.selectionCount = 0;
}

void SelectFirst(UiState& ui, AdventureObject* object, const std::string& id) {
  ui.selected[0] = object;
  ui.selectedIds[0] = id;
  ui.selectionCount = 1;
}

void SendTwoObjectEvent(Engine& engine, AdventureObject* object, const std::string& id) {
  UiState& ui = engine.ui;
  ui.selected[1] = object;
  ui.selectedIds[1] = id;
  ui.selectionCount = 2;
  std::string first = ui.selectedIds[0];
  lua_Event(engine, ui.currentVerb->VerbWord(), first, id);
  ClearSelection(ui);
}

}  // namespace

void ApplyVerb(Engine& engine, AdventureObject* object, const std::string& id) {
  UiState& ui = engine.ui;
  if (!object || object->name.empty() || !ui.currentVerb) return;
  if (CurrentVerbIs(engine, "WALK")) {
    if (object->walkToX != -1 && object->walkToY != -1) engine.walk.target = object;
    return;
  }
  bool use = CurrentVerbIs(engine, "USE");
  bool give = CurrentVerbIs(engine, "GIVE");
  if (use || give) {
    if (ui.selectionCount == 0) {
      SelectFirst(ui, object, id);
      if (use && object->singleUse) {
        lua_Event(engine, ui.currentVerb->VerbWord(), id, "");
        ClearSelection(ui);
      }
    } else if (ui.selectionCount == 1) {
      SendTwoObjectEvent(engine, object, id);
    }
    return;
  }
  // Every other verb, a custom one included, acts on this one object.
  lua_Event(engine, ui.currentVerb->VerbWord(), id, "");
}

bool IsSceneObject(Engine& engine, AdventureObject* object) {
  return object && engine.cast.objects.Contains(object) && !engine.ui.inventory.Contains(object);
}

int lua_SetUseWord(lua_State* L) {
  Engine& engine = EngineOf(L);
  GuardedCall(L, [&] { engine.ui.useWord = ArgString(L, 1); });
  return 0;
}

// The chosen verb's word, as Event receives it for a click with it; "" before one is chosen.
int lua_GetVerb(lua_State* L) {
  MenuButton* verb = EngineOf(L).ui.currentVerb;
  std::string word = verb ? verb->VerbWord() : std::string();
  lua_pushlstring(L, word.data(), word.size());
  return 1;
}

namespace {

// A point of the area's middle row, nearest its middle, where the pointer
// names this area: no picture over it, no area on top of it.
void AddAreaSpot(Engine& engine, const AdventureObject& area, std::vector<PointerSpot>* spots) {
  if (!Pointable(engine, area) || area.name.empty()) return;
  int left = area.area[0].x, right = left;
  for (const WalkPoint& p : area.area) left = std::min(left, p.x), right = std::max(right, p.x);
  WalkPoint middle = OutlineMiddle(area.area);
  int sceneY = middle.y, scrollX = engine.view.scrollX, width = engine.core.screenWidth;
  int64_t screenMiddle = int64_t{middle.x} + scrollX;
  // No further than the area reaches, nor than the screen does.
  int64_t reach = std::min<int64_t>((int64_t{right} - left) / 2 + 1, std::abs(screenMiddle) + width);
  for (int64_t d = 0; d <= reach; ++d) {
    for (int64_t x : {screenMiddle - d, screenMiddle + d}) {
      if (x < 0 || x >= width) continue;
      int sceneX = static_cast<int>(x - scrollX);
      if (AreaAt(engine, sceneX, sceneY, nullptr) != &area || PictureAt(engine, sceneX, sceneY)) continue;
      spots->push_back({static_cast<int>(x), sceneY, area.name});
      return;
    }
  }
}

}  // namespace

void AddObjectSpots(Engine& engine, std::vector<PointerSpot>* spots) {
  const auto& objects = engine.cast.objects;
  for (int i = 0; i < objects.Count(); ++i) {
    const AdventureObject& object = *objects.ValueAt(i);
    if (IsArea(object)) {
      AddAreaSpot(engine, object, spots);
      continue;
    }
    if (!Pointable(engine, object) || object.name.empty() || !object.currentAnimation->image) continue;
    // The middle of the frame, or the nearest opaque pixel of the middle row:
    // a hover there must hit the object, whose picture may be hollow.
    DrawnFrame frame = DrawnFrameOf(engine, object);
    int sceneY = frame.top + frame.height / 2, middle = frame.left + frame.width / 2;
    for (int d = 0; d <= frame.width / 2; ++d) {
      for (int sceneX : {middle - d, middle + d}) {
        int x = sceneX + engine.view.scrollX;
        if (x < 0 || x >= engine.core.screenWidth || !HitAt(engine, object, sceneX, sceneY)) continue;
        spots->push_back({x, sceneY, object.name});
        d = frame.width;  // found: no further look
        break;
      }
    }
  }
}
