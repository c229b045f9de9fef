// quillon-font: the command line of the font maker and checker.
#include "font/font_tool.h"

#include <SDL/SDL.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "common/tool_frame.h"
#include "font/font_check.h"
#include "font/font_glyphs.h"
#include "font/font_sheet.h"

namespace {

const char kDefaultFace[] = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
const int kMaxSheetWidth = 32767;  // cell x positions travel in 16-bit blit rectangles

const char kUsage[] =
    "usage: quillon-font COMMAND ...\n"
    "\n"
    "  make OUT.bmp [options]       render a TrueType/OpenType face into a font image\n"
    "      --face FILE              the face (default DejaVu Sans)\n"
    "      --size PIXELS            pixels per em, 4 to 128 (default 14)\n"
    "      --colour RRGGBB          glyph colour of the next colour row; repeat for more rows\n"
    "                               (default FFFFFF and FFFF00: rows 0 and 1)\n"
    "      --background RRGGBB      transparent colour at (1, 0) (default FF00FF)\n"
    "      --marker RRGGBB          cell marker colour of row 0 (default FF0000)\n"
    "      --outline RRGGBB         draw a one-pixel outline of this colour round the glyphs\n"
    "  check FONT.bmp --cell-height H [--strict]\n"
    "                               what the engine reads from a font image: colours, cells,\n"
    "                               bands, empty or unusually wide cells, the marker row;\n"
    "                               --strict fails on warnings too\n"
    "\n"
    "A font image holds cells for the codes 1 to 255 (Latin-1: texts are bytes), one band\n"
    "of cells per colour row. Scripts load it with its cell height, which make prints:\n"
    "  LoadSystemFont(\"font.bmp\", H, x, y)  LoadTalkFont(\"font.bmp\", H, width)\n";

struct Args {
  std::vector<std::string> words;  // positional words
  std::string face = kDefaultFace;
  int size = 14;
  int cellHeight = 0;
  bool strict = false;
  FontSheetColours colours;
  bool outline = false;
  std::string error;  // a malformed option
};

bool ParseColour(const std::string& word, uint32_t* rgb) {
  std::string digits = !word.empty() && word[0] == '#' ? word.substr(1) : word;
  if (digits.size() != 6 || digits.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos) return false;
  *rgb = static_cast<uint32_t>(std::strtoul(digits.c_str(), nullptr, 16));
  return true;
}

bool ParseNumber(const std::string& word, int low, int high, int* value) {
  char* end = nullptr;
  long number = std::strtol(word.c_str(), &end, 10);
  if (word.empty() || *end != '\0' || number < low || number > high) return false;
  *value = static_cast<int>(number);
  return true;
}

Args ParseArgs(int argc, const char* const* argv) {
  Args args;
  bool coloursGiven = false;
  for (int i = 0; i < argc && args.error.empty(); ++i) {
    std::string word = argv[i];
    if (word == "--strict") {
      args.strict = true;
      continue;
    }
    if (word.compare(0, 2, "--") != 0 || word == "--help") {
      args.words.push_back(word);
      continue;
    }
    if (i + 1 >= argc) {
      args.error = word + " needs a value";
      break;
    }
    std::string value = argv[++i];
    uint32_t rgb = 0;
    bool isColour = word == "--colour" || word == "--color" || word == "--background" || word == "--marker" ||
                    word == "--outline";
    if (isColour && !ParseColour(value, &rgb)) {
      args.error = word + " '" + value + "' is not a colour (RRGGBB, six hexadecimal digits)";
    } else if (word == "--colour" || word == "--color") {
      if (!coloursGiven) args.colours.bands.clear();
      coloursGiven = true;
      args.colours.bands.push_back(rgb);
    } else if (word == "--background") {
      args.colours.background = rgb;
    } else if (word == "--marker") {
      args.colours.marker = rgb;
    } else if (word == "--outline") {
      args.colours.outline = rgb;
      args.outline = true;
    } else if (word == "--face") {
      args.face = value;
    } else if (word == "--size") {
      if (!ParseNumber(value, 4, 128, &args.size)) args.error = "--size '" + value + "' is not a number from 4 to 128";
    } else if (word == "--cell-height") {
      if (!ParseNumber(value, 2, 32767, &args.cellHeight))
        args.error = "--cell-height '" + value + "' is not a number from 2 to 32767";
    } else {
      args.error = "unknown option " + word;
    }
  }
  if (!coloursGiven) args.colours.bands = {0xFFFFFF, 0xFFFF00};
  return args;
}

std::string Hex(uint32_t rgb) {
  char text[8];
  std::snprintf(text, sizeof text, "%06X", static_cast<unsigned>(rgb));
  return text;
}

// Colours that differ only in the low bits become one colour on a 15- or 16-bit display,
// where the engine's converted font would lose glyph pixels to the colour key.
bool LookAlike(uint32_t a, uint32_t b) { return (a & 0xF8F8F8) == (b & 0xF8F8F8); }

std::string ColourClash(const Args& args) {
  const FontSheetColours& c = args.colours;
  if (LookAlike(c.marker, c.background))
    return "the marker colour " + Hex(c.marker) + " is too close to the background colour " + Hex(c.background);
  std::vector<std::pair<std::string, uint32_t>> glyphColours;
  for (uint32_t band : c.bands) glyphColours.push_back({"--colour", band});
  if (args.outline) glyphColours.push_back({"--outline", c.outline});
  for (const auto& [option, rgb] : glyphColours)
    if (LookAlike(rgb, c.background) || LookAlike(rgb, c.marker))
      return option + " " + Hex(rgb) + " is too close to the " +
             (LookAlike(rgb, c.background) ? "background colour " + Hex(c.background)
                                           : "marker colour " + Hex(c.marker)) +
             "; glyph pixels must differ from both";
  return "";
}

int Make(const Args& args, std::ostream& out, std::ostream& err) {
  if (args.words.size() != 2) {
    err << "quillon-font make: give the output file (and options)\n";
    return 2;
  }
  const std::string& path = args.words[1];
  std::string clash = ColourClash(args);
  if (!clash.empty()) {
    err << "quillon-font: " << clash << "\n";
    return 2;
  }
  GlyphCells cells;
  std::string error;
  if (!RenderLatin1Cells({args.face, args.size, args.outline}, &cells, &error)) {
    err << "quillon-font: " << error << "\n";
    return 1;
  }
  int width = SheetWidth(cells);
  if (width > kMaxSheetWidth) {
    err << "quillon-font: " << path << ": the image would be " << width << " pixels wide, more than the engine can "
        << "draw from (" << kMaxSheetWidth << "); choose a smaller --size\n";
    return 1;
  }
  SDL_Surface* sheet = BuildFontSheet(cells, args.colours);
  bool saved = sheet && SDL_SaveBMP(sheet, path.c_str()) == 0;
  if (!saved) {
    err << "quillon-font: " << path << ": cannot write the image (" << SDL_GetError() << ")\n";
    if (sheet) SDL_FreeSurface(sheet);
    return 1;
  }
  int cellHeight = SheetCellHeight(cells);
  int bands = static_cast<int>(args.colours.bands.size());
  out << path << ": " << cells.cells.size() << " cells (codes 1 to 255), cell height " << cellHeight << ", " << bands
      << " bands (colour rows 0 to " << bands - 1 << "), " << sheet->w << " x " << sheet->h << " pixels\n";
  SDL_FreeSurface(sheet);
  if (!cells.missing.empty()) {
    out << path << ": the face has no glyph for " << cells.missing.size() << " printable codes (empty cells):";
    for (int code : cells.missing) out << " " << code;
    out << "\n";
  }
  out << "cell height " << cellHeight << ": LoadSystemFont(\"" << path << "\", " << cellHeight << ", x, y)\n";
  return 0;
}

int Check(const Args& args, std::ostream& out, std::ostream& err) {
  if (args.words.size() != 2 || args.cellHeight == 0) {
    err << "quillon-font check: give the font image and --cell-height H\n";
    return 2;
  }
  return CheckFontImage(args.words[1], args.cellHeight, args.strict, out, err);
}

}  // namespace

int RunFontTool(int argc, const char* const* argv, std::ostream& out, std::ostream& err) {
  Args args = ParseArgs(argc, argv);
  int help = AnswerHelp(args.words, kUsage, out, err);
  if (help >= 0) return help;
  if (!args.error.empty()) {
    err << "quillon-font: " << args.error << "\n";
    return 2;
  }
  const std::string& command = args.words[0];
  return RunToolCommand(command,
                        {{"make", [&] { return Make(args, out, err); }},
                         {"check", [&] { return Check(args, out, err); }}},
                        [&] {
                          err << "quillon-font: unknown command '" << command << "'\n" << kUsage;
                          return 2;
                        });
}
