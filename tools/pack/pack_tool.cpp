// quillon-pack: the command line of the pack builder.
#include "pack/pack_tool.h"

#include <SDL/SDL.h>

#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "common/tool_frame.h"
#include "pack/game_pack.h"
#include "pack/pack_files.h"
#include "pack/pack_index.h"
#include "resources/pack_readers.h"
#include "resources/pack_writer.h"

namespace {

const char kUsage[] =
    "usage: quillon-pack COMMAND ...\n"
    "\n"
    "  create script PACK FILE...           script/text pack (Lua scripts, walk-box maps) in the given order\n"
    "  create image [--depth N] PACK BMP... image pack; each BMP is stored at its own depth\n"
    "                                       (8 with its palette, 16, 24 or 32) or at N bits\n"
    "  create sound PACK FILE...            sound pack (WAV or other files SDL_mixer reads)\n"
    "  game GAMEDIR OUTDIR [--order FILE] [--depth N] [--comment TEXT]\n"
    "                                       the whole loose game: lua.dat (entry 0 the table ASSETS\n"
    "                                       from file names to pack addresses, then conf.lua; entry 1\n"
    "                                       init.lua; then the other scripts and maps), gfx.dat, sfx.dat,\n"
    "                                       the string files and icon1.bmp copied, the table as assets.lua.\n"
    "                                       Entries follow the names listed in FILE (one a line), the\n"
    "                                       rest sorted by name; --comment is the table's first line\n"
    "  list [--kind K] PACK                 the index: entry, offset, size (and width, height, depth)\n"
    "  extract [--kind K] PACK DIR          every entry into DIR (images as BMP files)\n"
    "  check [--kind K] PACK                every record inside the file, image sizes right\n"
    "\n"
    "K is script, image or sound. Without --kind the layout is read from the pack itself;\n"
    "script and sound packs share it, and a pack whose entries are all sound files is a sound pack.\n"
    "Entry n of a pack is addressed in scripts as \"PACK:n\", counting from 0.\n";

struct Args {
  std::vector<std::string> words;  // positional words
  int depth = 0;                   // --depth, 0 when not given
  std::string kind;                // --kind, empty when not given
  std::string order;               // --order, empty when not given
  std::string comment;             // --comment, empty when not given
  std::string error;               // a malformed option
};

Args ParseArgs(int argc, const char* const* argv) {
  Args args;
  for (int i = 0; i < argc; ++i) {
    std::string word = argv[i];
    bool valued = word == "--depth" || word == "--kind" || word == "--order" || word == "--comment";
    if (valued && i + 1 >= argc) {
      args.error = word + " needs a value";
    } else if (word == "--depth") {
      args.depth = std::atoi(argv[++i]);
      if (args.depth != 8 && args.depth != 16 && args.depth != 24 && args.depth != 32)
        args.error = "--depth must be 8, 16, 24 or 32";
    } else if (word == "--kind") {
      args.kind = argv[++i];
    } else if (word == "--order") {
      args.order = argv[++i];
    } else if (word == "--comment") {
      args.comment = argv[++i];
    } else {
      args.words.push_back(word);
    }
  }
  return args;
}

int Create(const Args& args, std::ostream& out, std::ostream& err) {
  if (args.words.size() < 4) {
    err << "quillon-pack create: give the kind, the pack file and at least one file\n";
    return 2;
  }
  PackKind kind;
  if (!ParseKind(args.words[1], &kind)) {
    err << "quillon-pack create: unknown kind '" << args.words[1] << "' (script, image or sound)\n";
    return 2;
  }
  const std::string& packPath = args.words[2];
  std::vector<std::string> files(args.words.begin() + 3, args.words.end());
  std::string pack;
  if (kind == PackKind::kImage) {
    std::vector<PackedImage> images;
    if (!ReadImageEntries(files, args.depth, &images, err)) return 1;
    pack = BuildImagePack(images);
  } else {
    std::vector<std::string> entries;
    if (!ReadDataEntries(files, kind, &entries, err)) return 1;
    pack = BuildDataPack(entries);
  }
  if (!WriteFile(packPath, pack)) {
    err << "quillon-pack: " << packPath << ": cannot write the pack\n";
    return 1;
  }
  for (size_t i = 0; i < files.size(); ++i) out << packPath << ":" << i << "  " << files[i] << "\n";
  return 0;
}

int Game(const Args& args, std::ostream& out, std::ostream& err) {
  if (args.words.size() != 3) {
    err << "quillon-pack game: give the game folder and the folder for the packed game\n";
    return 2;
  }
  GamePackOptions options;
  options.orderFile = args.order;
  options.depth = args.depth;
  if (!args.comment.empty()) options.comment = args.comment;
  return PackGame(args.words[1], args.words[2], options, out, err);
}

// Loads the pack named by words[1] and works out its kind.
bool OpenPack(const Args& args, std::string* pack, PackKind* kind, std::ostream& err) {
  if (args.words.size() < 2) {
    err << "quillon-pack " << args.words[0] << ": give the pack file\n";
    return false;
  }
  const std::string& path = args.words[1];
  if (!ReadFile(path, pack)) {
    err << "quillon-pack: " << path << ": cannot read the file\n";
    return false;
  }
  if (!args.kind.empty()) {
    if (ParseKind(args.kind, kind)) return true;
    err << "quillon-pack: unknown kind '" << args.kind << "' (script, image or sound)\n";
    return false;
  }
  if (GuessKind(*pack, kind)) return true;
  err << "quillon-pack: " << path << ": not a pack this tool recognises (say --kind script, image or sound)\n";
  return false;
}

int List(const Args& args, std::ostream& out, std::ostream& err) {
  std::string pack;
  PackKind kind;
  if (!OpenPack(args, &pack, &kind, err)) return 1;
  PackIndex index = ReadIndex(pack, kind);
  out << args.words[1] << ": " << KindName(kind) << " pack, " << index.head << " entries\n";
  for (size_t i = 0; i < index.records.size(); ++i) {
    const PackRecord& r = index.records[i];
    out << "  " << i << "  offset " << r.offset << "  size " << r.size;
    if (kind == PackKind::kImage) out << "  " << r.width << " x " << r.height << " x " << r.depth;
    out << "\n";
  }
  for (const std::string& problem : index.problems) err << args.words[1] << ": " << problem << "\n";
  return index.problems.empty() ? 0 : 1;
}

std::string ExtensionFor(PackKind kind, const std::string& data) {
  if (kind == PackKind::kImage) return ".bmp";
  if (data.compare(0, 4, "RIFF") == 0) return ".wav";
  if (data.compare(0, 4, "OggS") == 0) return ".ogg";
  if (kind == PackKind::kSound) return ".snd";
  if (data.compare(0, 4, "\033Lua") == 0) return ".luac";
  bool text = data.find('\0') == std::string::npos;
  return text ? ".lua" : ".bin";
}

int Extract(const Args& args, std::ostream& out, std::ostream& err) {
  std::string pack;
  PackKind kind;
  if (args.words.size() < 3) {
    err << "quillon-pack extract: give the pack file and a folder\n";
    return 2;
  }
  if (!OpenPack(args, &pack, &kind, err)) return 1;
  std::error_code made;
  std::filesystem::create_directories(args.words[2], made);
  PackIndex index = ReadIndex(pack, kind);
  int failures = 0;
  for (size_t i = 0; i < index.records.size(); ++i) {
    const PackRecord& r = index.records[i];
    if (r.offset < 0 || r.size < 0 || static_cast<int64_t>(r.offset) + r.size > static_cast<int64_t>(pack.size())) {
      err << args.words[1] << ": entry " << i << ": damaged, not extracted\n";
      ++failures;
      continue;
    }
    std::string data = pack.substr(r.offset, r.size);
    std::string name = args.words[2] + "/entry-" + std::to_string(i) + ExtensionFor(kind, data);
    bool written;
    if (kind == PackKind::kImage) {
      SDL_Surface* surface = BMPPackReader().LoadImage(args.words[1].c_str(), static_cast<int>(i));
      written = surface && SDL_SaveBMP(surface, name.c_str()) == 0;
      if (surface) SDL_FreeSurface(surface);
    } else {
      written = WriteFile(name, data);
    }
    if (!written) {
      err << name << ": cannot write the entry\n";
      ++failures;
      continue;
    }
    out << name << "\n";
  }
  return failures == 0 ? 0 : 1;
}

int Check(const Args& args, std::ostream& out, std::ostream& err) {
  std::string pack;
  PackKind kind;
  if (!OpenPack(args, &pack, &kind, err)) return 1;
  PackIndex index = ReadIndex(pack, kind);
  for (const std::string& problem : index.problems) err << args.words[1] << ": " << problem << "\n";
  if (index.problems.empty())
    out << args.words[1] << ": " << KindName(kind) << " pack, " << index.records.size() << " entries, no problems\n";
  return index.problems.empty() ? 0 : 1;
}

}  // namespace

int RunPackTool(int argc, const char* const* argv, std::ostream& out, std::ostream& err) {
  Args args = ParseArgs(argc, argv);
  int help = AnswerHelp(args.words, kUsage, out, err);
  if (help >= 0) return help;
  if (!args.error.empty()) {
    err << "quillon-pack: " << args.error << "\n";
    return 2;
  }
  const std::string& command = args.words[0];
  return RunToolCommand(command,
                        {{"create", [&] { return Create(args, out, err); }},
                         {"game", [&] { return Game(args, out, err); }},
                         {"list", [&] { return List(args, out, err); }},
                         {"extract", [&] { return Extract(args, out, err); }},
                         {"check", [&] { return Check(args, out, err); }}},
                        [&] {
                          err << "quillon-pack: unknown command '" << command << "'\n" << kUsage;
                          return 2;
                        });
}
