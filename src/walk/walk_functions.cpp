// Script functions of walking: LoadPathMap and Goto.
#include "engine/engine.h"
#include "scene/movement.h"
#include "scene/object_lookup.h"
#include "script/script_args.h"
#include "script/script_functions.h"
#include "walk/load_path_map.h"

int lua_LoadPathMap(lua_State* L) {
  Engine& engine = EngineOf(L);
  GuardedCall(L, [&] {
    std::string address = ArgString(L, 1);
    if (address.empty()) return;
    bool failed = LoadPathMap(engine, address) != 0;
    if (DiagnosticsOn(engine) && (failed || LooseFileMissing(address)))
      Diagnose(engine, "cannot read walk map \"" + address + "\"");
  });
  return 0;
}

int lua_Goto(lua_State* L) {
  Engine& engine = EngineOf(L);
  GuardedCall(L, [&] {
    std::string id = ArgString(L, 1);
    int x = ArgInt(L, 2);
    int y = ArgInt(L, 3);
    // Straight for the point, no path search, no waiting; a path being
    // followed goes on from its next waypoint afterwards.
    if (AdventureObject* object = FindObject(engine, id)) HeadTowards(engine, *object, x, y);
  });
  return 0;
}
