// Pack index reading and the structural checks of quillon-pack.
#include "pack/pack_index.h"

#include <fstream>
#include <sstream>

#include "resources/pack_writer.h"
#include "util/bytes.h"

bool ReadFile(const std::string& path, std::string* content) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  std::ostringstream data;
  data << in.rdbuf();
  *content = data.str();
  return true;
}

bool WriteFile(const std::string& path, const std::string& content) {
  std::ofstream out(path, std::ios::binary);
  out << content;
  return static_cast<bool>(out);
}

int RecordSize(PackKind kind) { return kind == PackKind::kImage ? 20 : 8; }

const char* KindName(PackKind kind) {
  switch (kind) {
    case PackKind::kImage: return "image";
    case PackKind::kSound: return "sound";
    default: return "script";
  }
}

bool ParseKind(const std::string& word, PackKind* kind) {
  if (word == "script" || word == "text" || word == "map") *kind = PackKind::kScript;
  else if (word == "image") *kind = PackKind::kImage;
  else if (word == "sound") *kind = PackKind::kSound;
  else return false;
  return true;
}

namespace {

int32_t At(const std::string& pack, int64_t offset) {
  return ReadLittleInt32(reinterpret_cast<const unsigned char*>(pack.data()) + offset);
}

bool FitsLayout(const std::string& pack, int recordSize, int offsetField) {
  if (pack.size() < 4) return false;
  int64_t count = At(pack, 0);
  int64_t indexEnd = 4 + count * recordSize;
  if (count <= 0 || indexEnd > static_cast<int64_t>(pack.size())) return false;
  return At(pack, 4 + offsetField) == indexEnd;
}

}  // namespace

bool GuessKind(const std::string& pack, PackKind* kind) {
  if (FitsLayout(pack, 20, 12)) {
    *kind = PackKind::kImage;
    return true;
  }
  if (FitsLayout(pack, 8, 0)) {
    // Script and sound packs share one layout: a pack whose entries all hold sound files is a sound pack.
    PackIndex index = ReadIndex(pack, PackKind::kScript);
    bool sounds = !index.records.empty();
    for (const PackRecord& r : index.records) {
      std::string magic = r.offset >= 0 && r.size >= 4 && static_cast<size_t>(r.offset) + 4 <= pack.size()
                              ? pack.substr(r.offset, 4) : "";
      sounds = sounds && (magic == "RIFF" || magic == "OggS" || magic == "FORM" || magic == "Crea");
    }
    *kind = sounds ? PackKind::kSound : PackKind::kScript;
    return true;
  }
  return false;
}

PackIndex ReadIndex(const std::string& pack, PackKind kind) {
  PackIndex index;
  index.kind = kind;
  int64_t fileSize = static_cast<int64_t>(pack.size());
  if (fileSize < 4) {
    index.problems.push_back("the file is shorter than the 4-byte head field");
    return index;
  }
  index.head = At(pack, 0);
  int recordSize = RecordSize(kind);
  if (index.head < 0) index.problems.push_back("the head field holds a negative entry count");
  int64_t claimed = index.head > 0 ? index.head : 0;
  for (int64_t i = 0; i < claimed; ++i) {
    int64_t at = 4 + i * recordSize;
    if (at + recordSize > fileSize) {
      index.problems.push_back("entry " + std::to_string(i) + ": its index record lies past the end of the file");
      break;
    }
    PackRecord r;
    if (kind == PackKind::kImage) {
      r.width = At(pack, at);
      r.height = At(pack, at + 4);
      r.depth = At(pack, at + 8);
      r.offset = At(pack, at + 12);
      r.size = At(pack, at + 16);
    } else {
      r.offset = At(pack, at);
      r.size = At(pack, at + 4);
    }
    std::string entry = "entry " + std::to_string(i) + ": ";
    if (r.offset < 0 || r.size < 0 || static_cast<int64_t>(r.offset) + r.size > fileSize)
      index.problems.push_back(entry + "its data (offset " + std::to_string(r.offset) + ", size " +
                               std::to_string(r.size) + ") lies outside the file of " + std::to_string(fileSize) +
                               " bytes");
    if (kind == PackKind::kImage) {
      bool depthKnown = r.depth == 8 || r.depth == 16 || r.depth == 24 || r.depth == 32;
      if (!depthKnown) {
        index.problems.push_back(entry + "depth " + std::to_string(r.depth) + " is not 8, 16, 24 or 32");
      } else if (r.width <= 0 || r.height <= 0) {
        index.problems.push_back(entry + "size " + std::to_string(r.width) + " x " + std::to_string(r.height) +
                                 " is empty");
      } else {
        int64_t expected = static_cast<int64_t>(PackPitch(r.width, r.depth)) * r.height + (r.depth == 8 ? 768 : 0);
        if (expected != r.size)
          index.problems.push_back(entry + "data size " + std::to_string(r.size) + " should be " +
                                   std::to_string(expected) + " for " + std::to_string(r.width) + " x " +
                                   std::to_string(r.height) + " at " + std::to_string(r.depth) + " bits");
      }
    } else if (kind == PackKind::kSound && r.size > 0 && static_cast<int64_t>(r.offset) + r.size <= fileSize &&
               r.offset >= 0) {
      std::string magic = pack.substr(r.offset, 4);
      if (magic != "RIFF" && magic != "OggS" && magic != "FORM" && magic != "Crea")
        index.problems.push_back(entry + "does not look like a sound file (no RIFF, OggS, FORM or VOC header)");
    }
    index.records.push_back(r);
  }
  return index;
}
