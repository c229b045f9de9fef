// Speech: what objects say, and the text boxes drawn above talking objects.
#include "engine/engine.h"
#include "scene/adventure_object.h"
#include "scene/depth_scale.h"
#include "scene/object_lookup.h"
#include "script/script_args.h"
#include "script/script_functions.h"
#include "text/bitmap_font.h"
#include "text/speech.h"

void BlitSpeech(Engine& engine) {
  CBitmapFont2* font = engine.text.talkFont.get();
  if (!font) return;
  auto& objects = engine.cast.objects;
  for (int i = 0; i < objects.Count(); ++i) {
    AdventureObject& object = *objects.ValueAt(i);
    if (!object.visible || !object.talking) continue;
    int alignment = 2;
    int x = TruncateToInt(engine.view.scrollX + object.x);
    int y = TruncateToInt(object.y - font->cellHeight);
    if (object.hotspotPositioning && object.currentAnimation) y -= DrawnFrameOf(engine, object).height;
    if (!object.textBoxAuto) {
      // The fixed position is in screen pixels: it does not scroll.
      x = object.textBoxX;
      y = object.textBoxY;
      alignment = 1;
    }
    font->colorRow = object.textColor;
    font->shortcuts = engine.resources.blitShortcuts;
    font->DrawTextBox(object.speechText.c_str(), x, y, alignment);
  }
}

namespace {

AdventureObject* ObjectArg(lua_State* L) { return FindObject(EngineOf(L), ArgString(L, 1)); }

}  // namespace

int lua_SayText(lua_State* L) {
  Engine& engine = EngineOf(L);
  GuardedCall(L, [&] {
    std::string id = ArgString(L, 1);
    AdventureObject* object = FindObject(engine, id);
    std::string text = ArgString(L, 2);
    if (!object) return;
    object->speechText = text;
    object->talkUntil = engine.Ticks() + 80u * static_cast<Uint32>(text.size());
    object->talking = true;
    if (engine.core.speechHook) engine.core.speechHook(id, text);
  });
  return 0;
}

int lua_SetTextColor(lua_State* L) {
  GuardedCall(L, [&] {
    if (AdventureObject* object = ObjectArg(L)) object->textColor = ArgInt(L, 2);
  });
  return 0;
}

int lua_SetTextBoxPos(lua_State* L) {
  GuardedCall(L, [&] {
    AdventureObject* object = ObjectArg(L);
    if (!object) return;
    object->textBoxX = ArgInt(L, 2);
    object->textBoxY = ArgInt(L, 3);
    object->textBoxAuto = false;
  });
  return 0;
}

int lua_SetTextBoxAutoPos(lua_State* L) {
  GuardedCall(L, [&] {
    if (AdventureObject* object = ObjectArg(L)) object->textBoxAuto = true;
  });
  return 0;
}
