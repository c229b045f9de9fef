// quillon-map: the command line of the walk-box map tool.
#include "map/map_tool.h"

#include <SDL/SDL.h>

#include <climits>
#include <filesystem>
#include <string>
#include <vector>

#include "common/tool_frame.h"
#include "map/map_check.h"
#include "map/map_draw.h"
#include "map/map_format.h"
#include "pack/pack_index.h"

namespace {

const char kUsage[] =
    "usage: quillon-map COMMAND ...\n"
    "\n"
    "  compile TEXT MAP                 make a map file from a text of walk boxes\n"
    "  decompile MAP [TEXT]             write a map's boxes as text (to standard output without TEXT)\n"
    "  check MAP [--background BMP | --size W H] [--strict]\n"
    "                                   list each box with its neighbours and find what breaks walking\n"
    "  path MAP X1 Y1 X2 Y2             the waypoints the engine walks from (X1,Y1) to (X2,Y2), or why\n"
    "                                   there is no path\n"
    "  draw MAP BACKGROUND.bmp OUT.bmp [--path X1 Y1 X2 Y2]\n"
    "                                   the boxes, their numbers, their connections (and a path) drawn\n"
    "                                   over the background into a new 24-bit BMP\n"
    "\n"
    "MAP is a map file, or PACK:N for entry N of a script/text pack, as scripts give it to LoadPathMap.\n"
    "\n"
    "The text has one box a line: four corners x,y in order around the box. '#' starts a comment;\n"
    "a name and a colon may stand before the corners. For example:\n"
    "    # the floor in front of the bar\n"
    "    10,20   100,20  100,80  10,80\n"
    "    door: 100,20  180,20  180,80  100,80\n"
    "Coordinates are scene pixels, whole numbers from 0 to 65535. Boxes are numbered from 0 in the\n"
    "order of their lines. Two boxes are connected only when they share two corners exactly: a common\n"
    "edge whose ends are corners of both boxes.\n"
    "\n"
    "check reports errors (a box that crosses itself, has no area, has its centre outside itself,\n"
    "or reaches outside the background) and warnings (boxes that meet or overlap without being\n"
    "connected, corners a few pixels apart, boxes out of reach of box 0, walks the engine's path\n"
    "search gets wrong). It fails on errors, with --strict also on warnings.\n"
    "\n"
    "Exit status: 0 on success, 1 on a failure (check: errors; path: no path), 2 on a wrong command line.\n";

struct Args {
  std::vector<std::string> words;
  bool strict = false;
  std::string background;
  std::vector<std::string> size;  // W H
  std::vector<std::string> path;  // X1 Y1 X2 Y2
  bool help = false;
  std::string error;
};

Args ParseArgs(int argc, const char* const* argv) {
  Args args;
  for (int i = 0; i < argc; ++i) {
    std::string word = argv[i];
    auto take = [&](int count, std::vector<std::string>* into) {
      if (i + count >= argc) {
        args.error = word + " needs " + std::to_string(count) + (count == 1 ? " value" : " values");
        i = argc;
        return;
      }
      for (int k = 0; k < count; ++k) into->push_back(argv[++i]);
    };
    if (word == "--help" || word == "-h") {
      args.help = true;
    } else if (word == "--strict") {
      args.strict = true;
    } else if (word == "--background") {
      std::vector<std::string> value;
      take(1, &value);
      if (!value.empty()) args.background = value[0];
    } else if (word == "--size") {
      take(2, &args.size);
    } else if (word == "--path") {
      take(4, &args.path);
    } else if (word.size() > 1 && word[0] == '-' && !(word[1] >= '0' && word[1] <= '9')) {
      if (args.error.empty()) args.error = "unknown option '" + word + "'";
    } else {
      args.words.push_back(word);
    }
  }
  return args;
}

// A whole number of the int range, nothing else.
bool ParseInt(const std::string& text, int* value) {
  if (text.empty() || text.size() > 11) return false;
  size_t i = (text[0] == '-' || text[0] == '+') ? 1 : 0;
  if (i == text.size()) return false;
  for (size_t k = i; k < text.size(); ++k)
    if (text[k] < '0' || text[k] > '9') return false;
  long long v = std::stoll(text);
  if (v < INT_MIN || v > INT_MAX) return false;
  *value = static_cast<int>(v);
  return true;
}

bool SameFile(const std::string& a, const std::string& b) {
  std::error_code ec;
  return std::filesystem::equivalent(a, b, ec) && !ec;
}

class Tool {
 public:
  Tool(const Args& args, std::ostream& out, std::ostream& err) : args_(args), out_(out), err_(err) {}

  int Compile() {
    if (!Expect(3, 3, "compile TEXT MAP")) return 2;
    const std::string& textPath = args_.words[1];
    const std::string& mapPath = args_.words[2];
    std::string text, error;
    if (!ReadWholeFile(textPath, &text, &error)) return Fail(error);
    if (SameFile(textPath, mapPath)) return Fail(mapPath + ": the map would overwrite the text; give another name");
    MapText map;
    std::vector<std::string> errors;
    if (!ParseMapText(text, textPath, &map, &errors)) {
      for (const std::string& e : errors) err_ << "quillon-map: " << e << "\n";
      return 1;
    }
    if (!WriteFile(mapPath, EncodeMap(map.boxes))) return Fail(mapPath + ": cannot write the map");
    out_ << mapPath << ": " << map.boxes.size() << (map.boxes.size() == 1 ? " box" : " boxes") << " from "
         << textPath << "\n";
    for (size_t i = 0; i < map.boxes.size(); ++i) {
      out_ << "  box " << i << "  line " << map.lines[i];
      if (!map.names[i].empty()) out_ << "  " << map.names[i];
      out_ << "\n";
    }
    return 0;
  }

  int Decompile() {
    if (!Expect(2, 3, "decompile MAP [TEXT]")) return 2;
    PathMap map;
    if (!Open(args_.words[1], &map)) return 1;
    std::string text = FormatMapText(Boxes(map), args_.words[1]);
    if (args_.words.size() < 3) {
      out_ << text;
      return 0;
    }
    const std::string& textPath = args_.words[2];
    if (SameFile(args_.words[1], textPath)) return Fail(textPath + ": the text would overwrite the map; give another name");
    if (!WriteFile(textPath, text)) return Fail(textPath + ": cannot write the text");
    out_ << textPath << ": " << map.BoxCount() << (map.BoxCount() == 1 ? " box" : " boxes") << " from "
         << args_.words[1] << "\n";
    return 0;
  }

  int Check() {
    if (!Expect(2, 2, "check MAP [--background BMP | --size W H] [--strict]")) return 2;
    if (!args_.background.empty() && !args_.size.empty())
      return Usage("check: give either --background or --size, not both");
    const std::string& name = args_.words[1];
    MapCheckOptions options;
    options.mapName = name;
    if (!args_.size.empty() &&
        (!ParseInt(args_.size[0], &options.width) || !ParseInt(args_.size[1], &options.height) ||
         options.width <= 0 || options.height <= 0))
      return Usage("check: --size needs a width and a height in pixels, e.g. --size 640 480");
    if (!args_.background.empty()) {
      SDL_Surface* picture = LoadBmp(args_.background);
      if (!picture) return 1;
      options.width = picture->w;
      options.height = picture->h;
      SDL_FreeSurface(picture);
    }
    std::string bytes;
    bool fromPack;
    std::string error;
    if (!ReadMapBytes(name, &bytes, &fromPack, &error)) return Fail(error);
    MapBytesVerdict verdict = JudgeMapBytes(bytes, fromPack);
    if (verdict.refused) return Fail(name + ": " + verdict.problem);
    PathMap map;
    LoadMap(bytes, &map);
    MapCheckReport report = CheckMap(map, options);
    if (!verdict.problem.empty()) {
      report.findings.insert(report.findings.begin(), MapFinding{false, verdict.problem});
      ++report.warnings;
    }
    out_ << name << ": " << map.BoxCount() << (map.BoxCount() == 1 ? " box" : " boxes");
    if (options.width >= 0) out_ << " on a background of " << options.width << " x " << options.height;
    out_ << "\n";
    for (const std::string& line : report.listing) out_ << "  " << line << "\n";
    for (const MapFinding& f : report.findings)
      out_ << name << ": " << (f.error ? "error: " : "warning: ") << f.text << "\n";
    out_ << name << ": ";
    if (report.errors == 0 && report.warnings == 0) {
      out_ << "no problems\n";
    } else {
      if (report.errors) out_ << report.errors << (report.errors == 1 ? " error" : " errors");
      if (report.errors && report.warnings) out_ << ", ";
      if (report.warnings) out_ << report.warnings << (report.warnings == 1 ? " warning" : " warnings");
      out_ << "\n";
    }
    return report.errors > 0 || (args_.strict && report.warnings > 0) ? 1 : 0;
  }

  int Path() {
    if (!Expect(6, 6, "path MAP X1 Y1 X2 Y2")) return 2;
    WalkPoint from, to;
    if (!Point(2, args_.words, &from) || !Point(4, args_.words, &to)) return 2;
    PathMap map;
    if (!Open(args_.words[1], &map)) return 1;
    std::string why;
    if (!Search(&map, from, to, &why)) return Fail("no path from " + PointText(from) + " to " + PointText(to) + ": " + why);
    std::vector<WalkPoint> path = map.Path();
    out_ << "path from " << PointText(from) << " in box " << map.BoxIndexOf(from) << " to " << PointText(to)
         << " in box " << map.BoxIndexOf(to) << ", " << path.size() << " waypoints:\n";
    for (size_t k = 0; k < path.size(); ++k) {
      out_ << "  " << path[k].x << " " << path[k].y;
      if (k == 0) out_ << "  start";
      else if (k + 1 == path.size()) out_ << "  target";
      else out_ << "  centre of box " << BoxWithCentre(map, path[k]);
      out_ << "\n";
    }
    for (size_t k = 0; k + 1 < path.size(); ++k) {
      int a = map.BoxIndexOf(path[k]), b = map.BoxIndexOf(path[k + 1]);
      if (a == b || (a >= 0 && b >= 0 && Connected(map, a, b))) continue;
      err_ << "quillon-map: warning: the path jumps from " << PointText(path[k]) << " to " << PointText(path[k + 1])
           << ", which are not in the same or connected boxes; the hero walks straight across (see quillon-map check)\n";
    }
    return 0;
  }

  int Draw() {
    if (!Expect(4, 4, "draw MAP BACKGROUND.bmp OUT.bmp [--path X1 Y1 X2 Y2]")) return 2;
    const std::string& backgroundPath = args_.words[2];
    const std::string& outPath = args_.words[3];
    DrawnPath drawn;
    if (!args_.path.empty() && (!Point(0, args_.path, &drawn.start) || !Point(2, args_.path, &drawn.target)))
      return 2;
    PathMap map;
    if (!Open(args_.words[1], &map)) return 1;
    if (SameFile(backgroundPath, outPath))
      return Fail(outPath + ": the drawing would overwrite the background; give another name");
    SDL_Surface* background = LoadBmp(backgroundPath);
    if (!background) return 1;
    std::string why;
    if (!args_.path.empty()) {
      drawn.found = Search(&map, drawn.start, drawn.target, &why);
      if (drawn.found) drawn.waypoints = map.Path();
    }
    SDL_Surface* picture = DrawMap(map, background, args_.path.empty() ? nullptr : &drawn);
    SDL_FreeSurface(background);
    if (!picture) return Fail(outPath + ": cannot draw (" + SDL_GetError() + ")");
    bool saved = SDL_SaveBMP(picture, outPath.c_str()) == 0;
    int w = picture->w, h = picture->h;
    SDL_FreeSurface(picture);
    if (!saved) return Fail(outPath + ": cannot write the picture (" + SDL_GetError() + ")");
    int connections = 0;
    for (int i = 0; i < map.BoxCount(); ++i)
      for (int j = i + 1; j < map.BoxCount(); ++j) connections += Connected(map, i, j);
    out_ << outPath << ": " << w << " x " << h << ", " << map.BoxCount() << (map.BoxCount() == 1 ? " box, " : " boxes, ")
         << connections << (connections == 1 ? " connection" : " connections");
    if (drawn.found) out_ << ", a path of " << drawn.waypoints.size() << " waypoints";
    out_ << "\n";
    if (!args_.path.empty() && !drawn.found)
      return Fail("no path from " + PointText(drawn.start) + " to " + PointText(drawn.target) + ": " + why +
                  " (the start and target are marked in " + outPath + ")");
    return 0;
  }

  int Usage(const std::string& message) {
    err_ << "quillon-map: " << message << "\n";
    return 2;
  }

 private:
  int Fail(const std::string& message) {
    err_ << "quillon-map: " << message << "\n";
    return 1;
  }

  bool Expect(size_t least, size_t most, const char* form) {
    size_t n = args_.words.size();
    if (n >= least && n <= most) return true;
    err_ << "quillon-map " << args_.words[0] << ": " << (n < least ? "too few" : "too many")
         << " arguments; the form is: quillon-map " << form << "\n";
    return false;
  }

  bool Point(size_t at, const std::vector<std::string>& words, WalkPoint* p) {
    for (size_t k = at; k < at + 2; ++k) {
      int v;
      if (!ParseInt(words[k], &v)) {
        err_ << "quillon-map " << args_.words[0] << ": '" << words[k]
             << "' is not a whole number (coordinates are scene pixels)\n";
        return false;
      }
      (k == at ? p->x : p->y) = v;
    }
    return true;
  }

  // Reads a map into the engine's walk map; says why not on failure.
  bool Open(const std::string& name, PathMap* map) {
    std::string bytes, error;
    bool fromPack;
    if (!ReadMapBytes(name, &bytes, &fromPack, &error)) {
      Fail(error);
      return false;
    }
    MapBytesVerdict verdict = JudgeMapBytes(bytes, fromPack);
    if (verdict.refused) {
      Fail(name + ": " + verdict.problem);
      return false;
    }
    if (!verdict.problem.empty()) err_ << "quillon-map: " << name << ": warning: " << verdict.problem << "\n";
    LoadMap(bytes, map);
    return true;
  }

  SDL_Surface* LoadBmp(const std::string& path) {
    std::string bytes, error;
    if (!ReadWholeFile(path, &bytes, &error)) {
      Fail(error);
      return nullptr;
    }
    SDL_Surface* picture = SDL_LoadBMP(path.c_str());
    if (!picture) Fail(path + ": not a readable BMP image (" + SDL_GetError() + ")");
    return picture;
  }

  static std::vector<Box> Boxes(const PathMap& map) {
    std::vector<Box> boxes;
    for (int i = 0; i < map.BoxCount(); ++i) boxes.push_back(map.BoxAt(i));
    return boxes;
  }

  static int BoxWithCentre(const PathMap& map, WalkPoint p) {
    for (int i = 0; i < map.BoxCount(); ++i)
      if (PathMap::BoxCentre(map.BoxAt(i)) == p) return i;
    return -1;
  }

  // The engine's search from `from` to `to`, as the walking code calls it.
  static bool Search(PathMap* map, WalkPoint from, WalkPoint to, std::string* why) {
    bool startIn = map->SetStart(from.x, from.y);
    bool targetIn = map->SetTarget(to.x, to.y);
    if (!startIn || !targetIn) {
      *why = !startIn && !targetIn ? "neither the start nor the target lies in a box"
             : !startIn            ? "the start lies in no box"
                                   : "the target lies in no box";
      return false;
    }
    if (map->FindPath()) return true;
    int s = map->BoxIndexOf(from), t = map->BoxIndexOf(to);
    std::vector<bool> reached;
    std::vector<int> parent = ReachFrom(*map, s, &reached);
    if (!reached[t]) {
      *why = "box " + std::to_string(s) + " (the start's) and box " + std::to_string(t) +
             " (the target's) are not connected, not even through other boxes (see quillon-map check)";
      return false;
    }
    *why = "the engine's path search gives up between box " + std::to_string(s) + " and box " + std::to_string(t) +
           " although they are connected (" + ChainText(parent, t) + ")." + FarCentreNote(*map, parent, t, to) +
           " See quillon-map check";
    return false;
  }

  const Args& args_;
  std::ostream& out_;
  std::ostream& err_;
};

}  // namespace

int RunMapTool(int argc, const char* const* argv, std::ostream& out, std::ostream& err) {
  Args args = ParseArgs(argc, argv);
  if (args.help) {
    out << kUsage;
    return 0;
  }
  if (args.words.empty()) {
    err << kUsage;
    return 2;
  }
  Tool tool(args, out, err);
  if (!args.error.empty()) return tool.Usage(args.error);
  const std::string& command = args.words[0];
  if (!args.path.empty() && command != "draw") return tool.Usage("--path belongs to draw");
  if ((!args.background.empty() || !args.size.empty() || args.strict) && command != "check")
    return tool.Usage("--background, --size and --strict belong to check");
  return RunToolCommand(command,
                        {{"compile", [&] { return tool.Compile(); }},
                         {"decompile", [&] { return tool.Decompile(); }},
                         {"check", [&] { return tool.Check(); }},
                         {"path", [&] { return tool.Path(); }},
                         {"draw", [&] { return tool.Draw(); }}},
                        [&] {
                          err << "quillon-map: unknown command '" << command
                              << "' (compile, decompile, check, path or draw; see --help)\n";
                          return 2;
                        });
}
