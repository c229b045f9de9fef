// quillon-pack game: planning, reading every file, then writing the packed game.
#include "pack/game_pack.h"

#include <filesystem>
#include <vector>

#include "pack/game_folder.h"
#include "pack/pack_files.h"

namespace fs = std::filesystem;

namespace {

std::vector<std::string> InFolder(const std::string& folder, const std::vector<std::string>& names) {
  std::vector<std::string> paths;
  for (const std::string& name : names) paths.push_back(folder + "/" + name);
  return paths;
}

// The name of path inside folder, or "" when it lies elsewhere.
std::string NameInside(const std::string& folder, const std::string& path) {
  if (path.empty()) return "";
  std::error_code error;
  fs::path base = fs::weakly_canonical(folder, error);
  std::string name = fs::weakly_canonical(path, error).lexically_relative(base).generic_string();
  return error || name.empty() || name.rfind("..", 0) == 0 ? "" : name;
}

struct Packs {
  std::string lua, gfx, sfx;
};

bool ReadPacks(const std::string& folder, const GameLayout& layout, const GamePackOptions& options,
               const std::string& table, Packs* packs, std::ostream& err) {
  std::string conf;
  if (layout.hasConf && !ReadFile(folder + "/conf.lua", &conf)) {
    err << "quillon-pack: " << folder << "/conf.lua: cannot read the file\n";
    return false;
  }
  std::vector<std::string> scripts{table + "\n" + conf}, sounds;
  std::vector<PackedImage> images;
  if (!ReadDataEntries(InFolder(folder, layout.scripts), PackKind::kScript, &scripts, err) ||
      !ReadImageEntries(InFolder(folder, layout.images), options.depth, &images, err) ||
      !ReadDataEntries(InFolder(folder, layout.sounds), PackKind::kSound, &sounds, err))
    return false;
  packs->lua = BuildDataPack(scripts);
  if (!images.empty()) packs->gfx = BuildImagePack(images);
  if (!sounds.empty()) packs->sfx = BuildDataPack(sounds);
  return true;
}

bool Write(const fs::path& path, const std::string& content, std::ostream& err) {
  if (WriteFile(path.string(), content)) return true;
  err << "quillon-pack: " << path.string() << ": cannot write the file\n";
  return false;
}

void List(std::ostream& out, const char* pack, const std::vector<std::string>& names, size_t first) {
  for (size_t i = 0; i < names.size(); ++i) out << pack << ":" << first + i << "  " << names[i] << "\n";
}

}  // namespace

int PackGame(const std::string& folder, const std::string& outDir, const GamePackOptions& options, std::ostream& out,
             std::ostream& err) {
  if (!fs::is_directory(folder)) {
    err << "quillon-pack game: no game folder " << folder << "\n";
    return 2;
  }
  std::vector<std::string> order, skip{NameInside(folder, outDir), NameInside(folder, options.orderFile)};
  if (skip[0] == ".") {
    err << "quillon-pack game: the packed game needs a folder of its own, not the game folder\n";
    return 2;
  }
  if (!options.orderFile.empty()) {
    std::string text;
    if (!ReadFile(options.orderFile, &text)) {
      err << "quillon-pack: " << options.orderFile << ": cannot read the order\n";
      return 1;
    }
    order = ReadOrder(text);
  }

  GameLayout layout = PlanGame(folder, order, skip);
  for (const std::string& problem : layout.problems) err << problem << "\n";
  std::string table = AssetTable(layout, options.comment);
  Packs packs;
  if (!layout.problems.empty() || !ReadPacks(folder, layout, options, table, &packs, err)) {
    err << "quillon-pack game: " << folder << " not packed\n";
    return 1;
  }

  fs::path to(outDir);
  std::error_code error;
  fs::create_directories(to, error);
  bool written = Write(to / "lua.dat", packs.lua, err) &&
                 (packs.gfx.empty() || Write(to / "gfx.dat", packs.gfx, err)) &&
                 (packs.sfx.empty() || Write(to / "sfx.dat", packs.sfx, err)) && Write(to / "assets.lua", table, err);
  for (const std::string& name : layout.loose) {
    fs::create_directories((to / name).parent_path(), error);
    fs::copy_file(fs::path(folder) / name, to / name, fs::copy_options::overwrite_existing, error);
    if (error) err << "quillon-pack: " << (to / name).string() << ": cannot copy (" << error.message() << ")\n";
    written = written && !error;
  }
  if (!written) return 1;

  out << "lua.dat:0  the table, then " << (layout.hasConf ? "conf.lua" : "nothing (no conf.lua)") << "\n";
  List(out, "lua.dat", layout.scripts, 1);
  List(out, "gfx.dat", layout.images, 0);
  List(out, "sfx.dat", layout.sounds, 0);
  for (const std::string& name : layout.loose) out << "loose      " << name << "\n";
  if (!layout.replays.empty()) {
    out << "left out  ";
    for (const std::string& name : layout.replays) out << " " << name;  // after the column's own blank
    out << ": replays are for quillon-play, not part of the game\n";
  }
  out << "table      " << (to / "assets.lua").string() << "\n";
  return 0;
}
