// Saved file references: one list of every field that names a file, turned to
// names for the save and back to addresses for the game that loads it.
#include "save/saved_files.h"

#include <unistd.h>

#include <functional>

#include "engine/engine.h"
#include "resources/pack_readers.h"
#include "util/resource_address.h"

namespace {

enum class FileKind { kImage, kData };

// Every file a saved game refers to, and which kind of pack may hold it. The
// string file is not among them: it is a base name, read loose, and a game
// without it still plays.
void ForEachFile(SaveGameData& d, const std::function<void(std::string&, FileKind)>& each) {
  each(d.sceneAddress, FileKind::kData);
  each(d.background, FileKind::kImage);
  each(d.cursor, FileKind::kImage);
  each(d.walkMap, FileKind::kData);
  for (SavedObject& o : d.objects) {
    for (SavedAnimation& a : o.animations) each(a.imageAddress, FileKind::kImage);
    each(o.inventoryIcon, FileKind::kImage);
  }
  for (SavedButton& b : d.buttons) each(b.imageAddress, FileKind::kImage);
  each(d.menuBackground, FileKind::kImage);
  for (SavedFont& f : d.fonts) each(f.address, FileKind::kImage);
  for (SavedSound& s : d.sounds) each(s.address, FileKind::kData);
  for (SavedSound& m : d.music) each(m.address, FileKind::kData);
}

bool Exists(const std::string& address, FileKind kind) {
  ResourceAddress where = SplitAddress(address);
  if (!where.isPackEntry) return access(where.file.c_str(), R_OK) == 0;
  return PackHasEntry(where.file.c_str(), where.entry, kind == FileKind::kImage ? kImageRecordSize : kDataRecordSize);
}

}  // namespace

void NameSavedFiles(const Engine& engine, SaveGameData* data) {
  const auto& names = engine.resources.nameOfAddress;
  if (names.empty()) return;
  ForEachFile(*data, [&](std::string& file, FileKind) {
    auto name = names.find(file);
    if (name != names.end()) file = name->second;
  });
}

bool FindSavedFiles(const Engine& engine, SaveGameData* data, std::string* missing) {
  const auto& addresses = engine.resources.addressOfName;
  missing->clear();
  ForEachFile(*data, [&](std::string& file, FileKind kind) {
    if (file.empty() || !missing->empty()) return;
    auto address = addresses.find(file);
    std::string found = address != addresses.end() ? address->second : file;
    if (Exists(found, kind)) file = found;
    else *missing = file;
  });
  return missing->empty();
}
