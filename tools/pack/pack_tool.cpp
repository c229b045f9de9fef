// quillon-pack: the command line of the pack builder.
#include "pack/pack_tool.h"

#include <SDL/SDL.h>

#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "common/tool_frame.h"
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
  std::string error;               // a malformed option
};

Args ParseArgs(int argc, const char* const* argv) {
  Args args;
  for (int i = 0; i < argc; ++i) {
    std::string word = argv[i];
    if ((word == "--depth" || word == "--kind") && i + 1 >= argc) {
      args.error = word + " needs a value";
    } else if (word == "--depth") {
      args.depth = std::atoi(argv[++i]);
      if (args.depth != 8 && args.depth != 16 && args.depth != 24 && args.depth != 32)
        args.error = "--depth must be 8, 16, 24 or 32";
    } else if (word == "--kind") {
      args.kind = argv[++i];
    } else {
      args.words.push_back(word);
    }
  }
  return args;
}

int NaturalDepth(const SDL_Surface* surface) {
  int bits = surface->format->BitsPerPixel;
  if (bits <= 8) return 8;
  if (bits <= 16) return 16;
  return bits == 24 ? 24 : 32;
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
    for (const std::string& file : files) {
      SDL_Surface* surface = SDL_LoadBMP(file.c_str());
      if (!surface) {
        err << "quillon-pack: " << file << ": not a readable BMP image (" << SDL_GetError() << ")\n";
        return 1;
      }
      PackedImage image;
      bool packed = PackSurface(surface, args.depth ? args.depth : NaturalDepth(surface), &image);
      SDL_FreeSurface(surface);
      if (!packed) {
        err << "quillon-pack: " << file << ": cannot convert the image (" << SDL_GetError() << ")\n";
        return 1;
      }
      images.push_back(std::move(image));
    }
    pack = BuildImagePack(images);
  } else {
    std::vector<std::string> entries;
    for (const std::string& file : files) {
      std::string content;
      if (!ReadFile(file, &content)) {
        err << "quillon-pack: " << file << ": cannot read the file\n";
        return 1;
      }
      if (kind == PackKind::kSound && content.empty()) {
        err << "quillon-pack: " << file << ": the sound file is empty\n";
        return 1;
      }
      entries.push_back(std::move(content));
    }
    pack = BuildDataPack(entries);
  }
  if (!WriteFile(packPath, pack)) {
    err << "quillon-pack: " << packPath << ": cannot write the pack\n";
    return 1;
  }
  for (size_t i = 0; i < files.size(); ++i) out << packPath << ":" << i << "  " << files[i] << "\n";
  return 0;
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
                         {"list", [&] { return List(args, out, err); }},
                         {"extract", [&] { return Extract(args, out, err); }},
                         {"check", [&] { return Check(args, out, err); }}},
                        [&] {
                          err << "quillon-pack: unknown command '" << command << "'\n" << kUsage;
                          return 2;
                        });
}
