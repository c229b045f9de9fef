// The Event call: walk to the scene object, call the script, restore the default verb.
#include "ui/event_call.h"

#include <SDL/SDL.h>

#include "engine/engine.h"
#include "script/script_host.h"
#include "ui/verbs.h"
#include "util/guard.h"
#include "util/log.h"
#include "walk/walk_to_object.h"

namespace {

// The id of the event's scene object: the first id if it names one, else the second.
std::string WalkTargetOf(Engine& engine, const std::string& first, const std::string& second) {
  if (IsSceneObject(engine, engine.cast.objects.Get(first))) return first;
  if (IsSceneObject(engine, engine.cast.objects.Get(second))) return second;
  return std::string();
}

}  // namespace

void lua_Event(Engine& engine, const std::string& verbWord, const std::string& first, const std::string& second) {
  std::string verb = verbWord;
  std::string target;
  try {
    target = WalkTargetOf(engine, first, second);
    if (!target.empty() && verb != "NOTREACHABLE" && !WalkToObject(engine, engine.cast.objects.Get(target)))
      verb = "NOTREACHABLE";
    if (engine.script.stopped) return;  // the walk gave way to a close request: no event
    const char* args[] = {verb.c_str(), first.c_str(), second.c_str()};
    CallScriptFunction(engine, "Event", args, 3);
    LogFormat("LUA-EVENT-CALLED: %s %s\r\n", verb.c_str(), target.c_str());
  } catch (const ScriptUnwind&) {
    throw;  // a script error leaves the whole call behind, as the runtime unwinds
  } catch (...) {
    // Engine failures here are dropped: the game goes on with its default verb.
  }
  if (engine.ui.defaultVerbSet) ActivateButton(engine, engine.ui.defaultVerb);
  SDL_PumpEvents();
}
