// Save slots on disk: the folder, atomic writing, reading and listing.
#include "save/save_slots.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "engine/engine.h"
#include "save/save_format.h"
#include "util/files.h"

namespace fs = std::filesystem;

namespace {

const char kSlotExtension[] = ".qsave";

// Puts what was written to fd on the disk before the file is renamed into place.
// In a web page fsync would instead copy the whole save folder to the
// browser's storage, suspending the engine until the browser answers; the page
// keeps each save itself as it is renamed into place (web/page.js).
int SyncToDisk(int fd) {
#ifdef __EMSCRIPTEN__
  (void)fd;
  return 0;
#else
  return fsync(fd);
#endif
}

std::string Environment(const char* name) {
  const char* value = getenv(name);
  return value ? value : "";
}

}  // namespace

std::string GameNameOf(const Engine& engine) {
  if (!engine.save.gameName.empty()) return engine.save.gameName;
  std::error_code failed;
  std::string name = fs::current_path(failed).filename().string();
  for (char& c : name)
    if (!isalnum(static_cast<unsigned char>(c)) && c != '-' && c != '_') c = '_';
  return name.empty() ? "game" : name;
}

namespace {

std::string Failure(const std::string& what) { return what + " (" + strerror(errno) + ")"; }

}  // namespace

bool IsSlotName(const std::string& name) {
  if (name.empty() || name.size() > 32) return false;
  return std::all_of(name.begin(), name.end(), [](char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' || c == '_';
  });
}

std::string SaveFolder(const Engine& engine) {
  std::string chosen = Environment("QUILLON_SAVE_DIR");
  if (!chosen.empty()) return chosen;
  std::string data = Environment("XDG_DATA_HOME");
  if (data.empty()) {
    std::string home = Environment("HOME");
    if (home.empty()) return "";
    data = home + "/.local/share";
  }
  return data + "/quillon/" + GameNameOf(engine);
}

std::string SlotPath(const Engine& engine, const std::string& slot) {
  std::string folder = SaveFolder(engine);
  return folder.empty() ? "" : folder + "/" + slot + kSlotExtension;
}

bool WriteSlotFile(Engine& engine, const std::string& path, const std::string& bytes, std::string* reason) {
  std::error_code failed;
  fs::path folder = fs::path(path).parent_path();
  fs::create_directories(folder, failed);
  if (failed) {
    *reason = "cannot make the folder " + folder.string() + " (" + failed.message() + ")";
    return false;
  }
  std::string temporary = path + ".tmp";
  FILE* file = fopen(temporary.c_str(), "wb");
  if (!file) {
    *reason = Failure("cannot write " + temporary);
    return false;
  }
  long long& space = engine.save.diskSpace;
  size_t room = space < 0 ? bytes.size() : std::min<size_t>(bytes.size(), static_cast<size_t>(space));
  size_t written = fwrite(bytes.data(), 1, room, file);
  if (space >= 0) space -= static_cast<long long>(written);
  if (written < bytes.size()) errno = ENOSPC;
  bool whole = written == bytes.size() && fflush(file) == 0 && SyncToDisk(fileno(file)) == 0;
  whole = (fclose(file) == 0) && whole;
  if (!whole || rename(temporary.c_str(), path.c_str()) != 0) {
    *reason = Failure("cannot write " + path);
    remove(temporary.c_str());
    return false;
  }
  // The rename itself reaches the disk with the folder.
  int directory = open(folder.c_str(), O_RDONLY);
  if (directory >= 0) {
    SyncToDisk(directory);
    close(directory);
  }
  return true;
}

bool ReadSlot(const Engine& engine, const std::string& slot, SaveGameData* data, std::string* reason) {
  std::string path = SlotPath(engine, slot);
  std::ifstream in(path, std::ios::binary);
  if (path.empty() || !in) {
    *reason = "no save in this slot";
    return false;
  }
  std::ostringstream bytes;
  bytes << in.rdbuf();
  if (!in && !in.eof()) {
    *reason = "cannot read " + path;
    return false;
  }
  if (!DecodeSave(bytes.str(), data, reason)) return false;
  if (data->gameName != GameNameOf(engine)) {
    *reason = "saved by another game (" + data->gameName + ")";
    return false;
  }
  return true;
}

std::vector<SlotInfo> ListSlots(const Engine& engine) {
  std::vector<SlotInfo> slots;
  std::string folder = SaveFolder(engine);
  std::error_code failed;
  if (folder.empty() || !fs::is_directory(folder, failed)) return slots;
  for (const fs::directory_entry& entry : fs::directory_iterator(folder, failed)) {
    if (entry.path().extension() != kSlotExtension) continue;
    std::string slot = entry.path().stem().string();
    SaveGameData data;
    std::string reason;
    if (IsSlotName(slot) && ReadSlot(engine, slot, &data, &reason)) slots.push_back({slot, data.title, data.timeMs});
  }
  std::sort(slots.begin(), slots.end(), [](const SlotInfo& a, const SlotInfo& b) {
    return a.timeMs != b.timeMs ? a.timeMs > b.timeMs : a.slot < b.slot;
  });
  return slots;
}
