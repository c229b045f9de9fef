// Script functions that load animations and steer their play state and slots.
#include <cstring>
#include <memory>

#include "engine/engine.h"
#include "resources/images.h"
#include "scene/adventure_object.h"
#include "scene/animation.h"
#include "scene/object_lookup.h"
#include "scene/script_error.h"
#include "script/script_args.h"
#include "script/script_functions.h"

namespace {

// Runs change on the object's animation named by the first two arguments;
// an unknown object or animation does nothing.
template <class Change>
void WithAnimation(lua_State* L, Change&& change) {
  Engine& engine = EngineOf(L);
  AdventureObject* object = FindObject(engine, ArgString(L, 1));
  if (!object) return;
  if (Animation* animation = LookUpNamed(engine, object->animations, ArgString(L, 2), "animation"))
    change(*object, *animation);
}

const char* const kModeWords[] = {"LOOP", "ONESHOT", "WHILEWALKING", "WHILETALKING"};
const char* const kSlotWords[kSlotCount] = {"MOVELEFT", "MOVERIGHT", "MOVEUP",  "MOVEDOWN",
                                            "IDLELEFT", "IDLERIGHT", "IDLEUP", "IDLEDOWN"};

// Index of word in words, or -1; exact, case-sensitive.
template <size_t N>
int WordIndex(const char* const (&words)[N], const std::string& word) {
  for (size_t i = 0; i < N; ++i)
    if (word == words[i]) return static_cast<int>(i);
  return -1;
}


}  // namespace

int lua_LoadAnim(lua_State* L) {
  Engine& engine = EngineOf(L);
  GuardedCall(L, [&] {
    std::string id = ArgString(L, 1);
    std::string name = ArgString(L, 2);
    std::string address = ArgString(L, 3);
    int frameWidth = ArgInt(L, 4);
    int frameHeight = ArgInt(L, 5);
    int hotspotX = ArgInt(L, 6);
    int hotspotY = ArgInt(L, 7);
    int frameCount = ArgInt(L, 8);
    int frameRate = ArgInt(L, 9);
    AdventureObject* object = FindObject(engine, id);
    if (!object) return;
    ImageRef image = LoadImage(engine, address);
    if (!image) return;
    if (object->animations.Get(name)) return;  // the first animation of a name stays
    Owned<Animation> animation = MakeOwned<Animation>();
    animation->image = image;
    animation->frameCount = frameCount;
    animation->frameHeight = frameHeight;
    animation->frameWidth = frameWidth;
    animation->hotspotX = hotspotX;
    animation->hotspotY = hotspotY;
    animation->frameRate = frameRate;
    animation->imageAddress = address;
    object->animations.Add(name, std::move(animation));
  });
  return 0;
}

int lua_UnloadAnim(lua_State* L) {
  GuardedCall(L, [&] {
    WithAnimation(L, [&](AdventureObject&, Animation& animation) {
      // Releasing clears this animation's image along with every other user's.
      animation.image = nullptr;
      ReleaseImage(EngineOf(L), animation.imageAddress);
    });
  });
  return 0;
}

int lua_ReloadAnim(lua_State* L) {
  GuardedCall(L, [&] {
    WithAnimation(L, [&](AdventureObject&, Animation& animation) {
      animation.image = LoadImage(EngineOf(L), animation.imageAddress);
    });
  });
  return 0;
}

int lua_PlayAnim(lua_State* L) {
  GuardedCall(L, [&] {
    WithAnimation(L, [&](AdventureObject& object, Animation& animation) {
      std::string word = ArgString(L, 3);
      int mode = WordIndex(kModeWords, word);
      if (mode >= 0) animation.mode = mode;
      else DiagnoseWord(EngineOf(L), "play mode", word, kModeWords);
      object.currentAnimation = &animation;
      animation.playing = true;
    });
  });
  return 0;
}

int lua_SetAnim(lua_State* L) {
  GuardedCall(L, [&] {
    WithAnimation(L, [](AdventureObject& object, Animation& animation) { object.currentAnimation = &animation; });
  });
  return 0;
}

int lua_SetAnimTimeout(lua_State* L) {
  GuardedCall(L, [&] {
    WithAnimation(L, [&](AdventureObject&, Animation& animation) {
      animation.timeout = ArgInt(L, 3);
      animation.autoRestart = true;
    });
  });
  return 0;
}

int lua_SetFrame(lua_State* L) {
  GuardedWith(
      [&] {
        return ScriptErrorReport(FormatText("SetFrame(\"%s\",\"%s\",%i)", ReportedText(L, 1).c_str(),
                                            ReportedText(L, 2).c_str(), ArgInt(L, 3)));
      },
      [&] {
        int frame = ArgInt(L, 3);
        WithAnimation(L, [&](AdventureObject&, Animation& animation) { animation.currentFrame = frame; });
      });
  return 0;
}

int lua_AssignAnim(lua_State* L) {
  GuardedCall(L, [&] {
    WithAnimation(L, [&](AdventureObject& object, Animation& animation) {
      std::string word = ArgString(L, 3);
      int slot = WordIndex(kSlotWords, word);
      if (slot < 0) return DiagnoseWord(EngineOf(L), "slot", word, kSlotWords);
      object.slots[slot] = &animation;
      if (slot >= kIdleLeft) animation.autoRestart = true;
    });
  });
  return 0;
}

int lua_AutoAnimOn(lua_State* L) {
  Engine& engine = EngineOf(L);
  GuardedCall(L, [&] {
    if (AdventureObject* object = FindObject(engine, ArgString(L, 1))) object->autoAnimation = true;
  });
  return 0;
}

int lua_AutoAnimOff(lua_State* L) {
  Engine& engine = EngineOf(L);
  GuardedCall(L, [&] {
    if (AdventureObject* object = FindObject(engine, ArgString(L, 1))) object->autoAnimation = false;
  });
  return 0;
}
