// Loading the walk map of a scene from a resource address.
#include "walk/load_path_map.h"

#include <algorithm>
#include <stdexcept>
#include <vector>

#include "engine/engine.h"
#include "resources/pack_readers.h"
#include "util/guard.h"
#include "util/log.h"
#include "util/resource_address.h"
#include "walk/path_map.h"

int LoadPathMap(Engine& engine, const std::string& address) {
  int result = -1;
  GuardedWith([&] { return FormatText("Exception catched in LoadPathMap(%s)\r\nERR\r\n", address.c_str()); },
              [&] {
                LogFormat("Load PathMap <<%s>>...", address.c_str());
                if (!engine.walk.map) throw std::logic_error("no walk map");
                PathMap& map = *engine.walk.map;
                engine.walk.mapAddress = address;
                ResourceAddress where = SplitAddress(address);
                if (!where.isPackEntry) {
                  map.LoadBoxesFromFile(where.file.c_str());
                  LogText("OK\r\n");
                  result = 0;
                  return;
                }
                if (where.entry < 0) {
                  LogFormat("ERR: Fehler beim Laden aus %s.\r\n", where.file.c_str());
                  return;
                }
                std::vector<char> buffer;
                int size = engine.resources.textPacks->LoadTXT(where.file.c_str(), where.entry, &buffer);
                if (size == 0) {
                  LogFormat("ERR: Datei <<%s>> existiert nicht.\r\n", where.file.c_str());
                  return;
                }
                // A reader that failed has said so and returned no bytes: the boxes stay.
                if (size > 0 && !buffer.empty()) {
                  int length = static_cast<int>(std::min<size_t>(static_cast<size_t>(size), buffer.size()));
                  map.LoadBoxesFromBuffer(buffer.data(), length);
                }
                LogText("OK\r\n");
                result = 0;
              });
  return result;
}
