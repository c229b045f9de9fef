// Map text reading and writing, map bytes, and loading them into the engine's walk map.
#include "map/map_format.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <sstream>

#include "resources/pack_readers.h"
#include "util/resource_address.h"

namespace {

constexpr size_t kMaxErrors = 20;  // lines reported before giving up on a text
const char* const kOrdinal[] = {"first", "second", "third", "fourth"};

bool IsSeparator(char c) { return c == ',' || c == '(' || c == ')' || c == ';' || c == ' ' || c == '\t' || c == '\r'; }

// A whole number of at most nine digits with an optional sign.
bool ReadWholeNumber(const std::string& word, long* value) {
  size_t i = (word[0] == '-' || word[0] == '+') ? 1 : 0;
  if (i == word.size()) return false;
  for (size_t k = i; k < word.size(); ++k)
    if (word[k] < '0' || word[k] > '9') return false;
  std::string digits = word.substr(i);
  size_t first = digits.find_first_not_of('0');
  digits = first == std::string::npos ? "0" : digits.substr(first);
  long v = digits.size() > 9 ? 999999999L : std::stol(digits);  // big enough to be out of range
  *value = word[0] == '-' ? -v : v;
  return true;
}

std::string Trim(const std::string& s) {
  size_t a = s.find_first_not_of(" \t\r");
  if (a == std::string::npos) return "";
  size_t b = s.find_last_not_of(" \t\r");
  return s.substr(a, b - a + 1);
}

// Parses one line (comment removed, not blank); returns an empty string or the problem.
std::string ParseBoxLine(std::string line, Box* box, std::string* name) {
  size_t colon = line.find(':');
  if (colon != std::string::npos) {
    *name = Trim(line.substr(0, colon));
    if (name->empty()) return "a name must stand before the ':'";
    char c = (*name)[0];
    if ((c >= '0' && c <= '9') || c == '-' || c == '+' || name->find_first_of(",()") != std::string::npos)
      return "'" + *name + ":' is not a box name (a name starts with a letter and stands before the corners)";
    line = line.substr(colon + 1);
  }
  std::vector<long> numbers;
  size_t i = 0;
  while (i < line.size()) {
    if (IsSeparator(line[i])) {
      ++i;
      continue;
    }
    size_t end = i;
    while (end < line.size() && !IsSeparator(line[end])) ++end;
    std::string word = line.substr(i, end - i);
    long value;
    if (!ReadWholeNumber(word, &value))
      return "'" + word + "' is not a whole number (a box is four corners x,y, e.g. 10,20  100,20  100,80  10,80)";
    numbers.push_back(value);
    i = end;
  }
  if (numbers.empty()) return "the box '" + *name + "' has no corners";
  if (numbers.size() % 2 != 0)
    return std::to_string(numbers.size()) + " numbers: every corner needs an x and a y (a box is four corners x,y)";
  if (numbers.size() != 8)
    return std::to_string(numbers.size() / 2) + (numbers.size() == 2 ? " corner" : " corners") +
           ": a box needs exactly four corners x,y";
  for (int c = 0; c < 4; ++c) {
    for (int axis = 0; axis < 2; ++axis) {
      long v = numbers[2 * c + axis];
      if (v < 0 || v > kMaxCoordinate)
        return std::string(axis == 0 ? "x" : "y") + " " + std::to_string(v) + " of the " + kOrdinal[c] +
               " corner is outside 0..65535";
    }
    box->corners[c] = WalkPoint{static_cast<int>(numbers[2 * c]), static_cast<int>(numbers[2 * c + 1])};
  }
  return "";
}

}  // namespace

std::string PointText(WalkPoint p) { return "(" + std::to_string(p.x) + "," + std::to_string(p.y) + ")"; }

bool ParseMapText(const std::string& text, const std::string& fileName, MapText* map,
                  std::vector<std::string>* errors) {
  size_t before = errors->size();
  // Editors may start a UTF-8 text with a byte order mark.
  std::istringstream lines(text.compare(0, 3, "\xEF\xBB\xBF") == 0 ? text.substr(3) : text);
  std::string line;
  int number = 0;
  while (std::getline(lines, line)) {
    ++number;
    size_t hash = line.find('#');
    if (hash != std::string::npos) line.erase(hash);
    if (Trim(line).empty()) continue;
    if (line.find('\0') != std::string::npos) {
      errors->push_back(fileName + ":" + std::to_string(number) + ": binary bytes: this is not a map text " +
                        "(is it a compiled map? use 'quillon-map decompile')");
      break;
    }
    Box box;
    std::string name;
    std::string problem = ParseBoxLine(line, &box, &name);
    if (!problem.empty()) {
      if (errors->size() - before == kMaxErrors) {
        errors->push_back(fileName + ": more lines with problems follow; is this a map text?");
        break;
      }
      errors->push_back(fileName + ":" + std::to_string(number) + ": " + problem);
      continue;
    }
    map->boxes.push_back(box);
    map->names.push_back(name);
    map->lines.push_back(number);
  }
  if (errors->size() == before && map->boxes.empty())
    errors->push_back(fileName + ": no boxes: write one box a line, four corners x,y, e.g. 10,20  100,20  100,80  10,80");
  if (map->boxes.size() > static_cast<size_t>(kMostBoxes))
    errors->push_back(fileName + ": " + std::to_string(map->boxes.size()) + " boxes; the engine uses at most " +
                      std::to_string(kMostBoxes));
  return errors->size() == before;
}

std::string FormatMapText(const std::vector<Box>& boxes, const std::string& source) {
  std::ostringstream out;
  out << "# Walk boxes of " << source << ", written by quillon-map decompile.\n"
      << "# One box a line: four corners x,y in order (each corner is joined to the next\n"
      << "# and the last to the first); boxes are numbered from 0 in the order of the lines.\n"
      << "# Two boxes are connected only when they share two corners exactly.\n";
  for (size_t i = 0; i < boxes.size(); ++i) {
    std::string line;
    for (int c = 0; c < 4; ++c) {
      std::string corner = std::to_string(boxes[i].corners[c].x) + "," + std::to_string(boxes[i].corners[c].y);
      line += corner;
      line += std::string(corner.size() < 11 ? 13 - corner.size() : 2, ' ');
    }
    out << line << "# box " << i << "\n";
  }
  return out.str();
}

std::string EncodeMap(const std::vector<Box>& boxes) {
  std::string bytes;
  bytes.reserve(boxes.size() * kMapRecordSize);
  for (const Box& box : boxes)
    for (const WalkPoint& c : box.corners)
      for (int v : {c.x, c.y}) {
        bytes += static_cast<char>(v & 0xFF);
        bytes += static_cast<char>((v >> 8) & 0xFF);
      }
  return bytes;
}

bool ReadWholeFile(const std::string& path, std::string* bytes, std::string* error) {
  FILE* f = fopen(path.c_str(), "rb");
  if (!f) {
    *error = path + ": cannot read the file (" + std::strerror(errno) + ")";
    return false;
  }
  bytes->clear();
  char chunk[65536];
  size_t got;
  while ((got = fread(chunk, 1, sizeof chunk, f)) > 0) bytes->append(chunk, got);
  bool failed = ferror(f);
  int reason = errno;
  fclose(f);
  if (failed) *error = path + ": cannot read the file (" + std::strerror(reason) + ")";
  return !failed;
}

bool ReadMapBytes(const std::string& address, std::string* bytes, bool* fromPack, std::string* error) {
  ResourceAddress where = SplitAddress(address);
  *fromPack = where.isPackEntry;
  if (!where.isPackEntry) return ReadWholeFile(where.file, bytes, error);
  FILE* f = fopen(where.file.c_str(), "rb");
  if (!f) {
    *error = where.file + ": cannot read the pack (" + std::strerror(errno) + ")";
    return false;
  }
  fclose(f);
  if (where.entry < 0) {
    *error = address + ": entry numbers of a pack count from 0";
    return false;
  }
  std::vector<char> buffer;
  int size = TXTPackReader().LoadTXT(where.file.c_str(), where.entry, &buffer);
  if (size <= 0 || buffer.size() < static_cast<size_t>(size)) {
    *error = address + ": " + where.file + " has no readable entry " + std::to_string(where.entry) +
             " (see quillon-pack list " + where.file + ")";
    return false;
  }
  bytes->assign(buffer.data(), static_cast<size_t>(size));
  return true;
}

MapBytesVerdict JudgeMapBytes(const std::string& bytes, bool fromPack) {
  MapBytesVerdict v;
  const size_t size = bytes.size();
  v.boxes = static_cast<int>(size / kMapRecordSize);
  v.trailing = static_cast<int>(size % kMapRecordSize);
  const std::string length = std::to_string(size) + (size == 1 ? " byte" : " bytes");
  if (size == 0) {
    v.refused = true;
    v.problem = "the map is empty: it holds no box, so nobody can walk in the scene";
  } else if (fromPack && size % 4 != 0) {
    v.refused = true;
    v.problem = length + ": the engine refuses a map from a pack whose length is not a multiple of 4 " +
                "(\"Invalid BoxBuffer\"); a map is 16 bytes per box";
  } else if (v.boxes == 0) {
    v.refused = true;
    v.problem = length + " hold no whole box (a box is 16 bytes), so nobody can walk in the scene";
  } else if (v.trailing != 0) {
    v.problem = length + " is not a multiple of 16: the last " + std::to_string(v.trailing) +
                " bytes are no whole box and the engine ignores them";
  }
  return v;
}

void LoadMap(const std::string& bytes, PathMap* map) {
  int whole = static_cast<int>(bytes.size() / kMapRecordSize) * kMapRecordSize;
  map->LoadBoxesFromBuffer(bytes.data(), whole);
}
