// The save file format. Layout, all numbers little-endian:
//   8 bytes magic "QSAVE\r\n\x1a" (the line ends catch text-mode copies)
//   u32 format version, u32 payload length, u32 CRC-32 of the payload
//   payload: the fields of SaveGameData in the order Visit lists them.
// Strings and lists are a u32 count and their items; numbers of the scripts
// and the engine's floats keep their bit patterns.
#include "save/save_format.h"

#include <cmath>
#include <cstring>
#include <stdexcept>

namespace {

const char kMagic[8] = {'Q', 'S', 'A', 'V', 'E', '\r', '\n', '\x1a'};
const size_t kHeaderSize = 20;

}  // namespace

uint32_t SaveChecksum(const char* bytes, size_t size) {
  static const auto table = [] {
    struct Table { uint32_t entry[256]; } t{};
    for (uint32_t i = 0; i < 256; ++i) {
      uint32_t c = i;
      for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
      t.entry[i] = c;
    }
    return t;
  }();
  uint32_t crc = 0xFFFFFFFFu;
  for (size_t i = 0; i < size; ++i) crc = table.entry[(crc ^ static_cast<uint8_t>(bytes[i])) & 0xFF] ^ (crc >> 8);
  return crc ^ 0xFFFFFFFFu;
}

namespace {

struct Damaged : std::runtime_error {
  Damaged() : std::runtime_error("damaged") {}
};

class Writer {
 public:
  std::string out;

  void Raw(uint64_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<char>(v >> (8 * i)));
  }
  void operator()(bool& v) { Raw(v ? 1 : 0, 1); }
  void operator()(uint8_t& v) { Raw(v, 1); }
  void operator()(int32_t& v) { Raw(static_cast<uint32_t>(v), 4); }
  void operator()(uint32_t& v) { Raw(v, 4); }
  void operator()(int64_t& v) { Raw(static_cast<uint64_t>(v), 8); }
  void operator()(float& v) {
    uint32_t bits;
    memcpy(&bits, &v, 4);
    Raw(bits, 4);
  }
  void operator()(double& v) {
    uint64_t bits;
    memcpy(&bits, &v, 8);
    Raw(bits, 8);
  }
  void operator()(std::string& v) {
    Raw(v.size(), 4);
    out += v;
  }
  void Bound(uint64_t, size_t) {}
  template <class T, class Each>
  void List(std::vector<T>& items, Each&& each) {
    Raw(items.size(), 4);
    for (T& item : items) each(item);
  }
};

// Every read is bounded by the bytes left; any misfit throws Damaged.
class Reader {
 public:
  Reader(const char* bytes, size_t size) : at_(bytes), left_(size) {}

  uint64_t Raw(int bytes) {
    if (left_ < static_cast<size_t>(bytes)) throw Damaged();
    uint64_t v = 0;
    for (int i = 0; i < bytes; ++i) v |= uint64_t{static_cast<uint8_t>(at_[i])} << (8 * i);
    at_ += bytes;
    left_ -= bytes;
    return v;
  }
  void operator()(bool& v) {
    uint64_t byte = Raw(1);
    if (byte > 1) throw Damaged();
    v = byte == 1;
  }
  void operator()(uint8_t& v) { v = static_cast<uint8_t>(Raw(1)); }
  void operator()(int32_t& v) { v = static_cast<int32_t>(static_cast<uint32_t>(Raw(4))); }
  void operator()(uint32_t& v) { v = static_cast<uint32_t>(Raw(4)); }
  void operator()(int64_t& v) { v = static_cast<int64_t>(Raw(8)); }
  void operator()(float& v) {
    uint32_t bits = static_cast<uint32_t>(Raw(4));
    memcpy(&v, &bits, 4);
  }
  void operator()(double& v) {
    uint64_t bits = Raw(8);
    memcpy(&v, &bits, 8);
  }
  void operator()(std::string& v) {
    size_t size = Count();
    v.assign(at_, size);
    at_ += size;
    left_ -= size;
  }
  template <class T, class Each>
  void List(std::vector<T>& items, Each&& each) {
    size_t count = Count();  // every item takes at least one byte: the count cannot outgrow the file
    items.clear();
    items.resize(count);
    for (T& item : items) each(item);
  }
  size_t Left() const { return left_; }
  void Bound(uint64_t count, size_t bytesEach) {
    if (count > left_ / bytesEach) throw Damaged();
  }

 private:
  size_t Count() {
    uint64_t count = Raw(4);
    if (count > left_) throw Damaged();
    return static_cast<size_t>(count);
  }
  const char* at_;
  size_t left_;
};

template <class A>
void Visit(A& a, SavedValue& v, uint32_t tableCount) {
  a(v.kind);
  switch (v.kind) {
    case SavedValue::kFalse:
    case SavedValue::kTrue:
      return;
    case SavedValue::kNumber:
      return a(v.number);
    case SavedValue::kString:
      return a(v.text);
    case SavedValue::kTable:
      a(v.table);
      if (v.table >= tableCount) throw Damaged();
      return;
    default:
      throw Damaged();
  }
}

template <class A>
void Visit(A& a, SavedGlobals& g) {
  uint32_t tableCount = static_cast<uint32_t>(g.tables.size());
  a(tableCount);
  a.Bound(tableCount, 4);  // each table starts with its entry count
  // Tables are listed before their entries, so a reference may point forward.
  g.tables.resize(tableCount);
  for (auto& table : g.tables) {
    a.List(table, [&](std::pair<SavedValue, SavedValue>& entry) {
      Visit(a, entry.first, tableCount);
      // The runtime refuses NaN as a key; a key it cannot hold is damage.
      if (entry.first.kind == SavedValue::kNumber && std::isnan(entry.first.number)) throw Damaged();
      Visit(a, entry.second, tableCount);
    });
  }
  a.List(g.globals, [&](std::pair<std::string, SavedValue>& global) {
    a(global.first);
    Visit(a, global.second, tableCount);
  });
}

template <class A>
void Visit(A& a, SavedAnimation& n) {
  a(n.name), a(n.imageAddress), a(n.frameCount), a(n.currentFrame), a(n.frameHeight), a(n.frameWidth);
  a(n.timeout), a(n.replayArmed), a(n.replayIn), a(n.frameRate), a(n.mode), a(n.framesPlayed);
  a(n.hotspotX), a(n.hotspotY), a(n.autoRestart), a(n.playing), a(n.elapsed);
}

template <class A>
void Visit(A& a, SavedObject& o) {
  a(o.id), a(o.name), a(o.speechText), a(o.x), a(o.y), a(o.dirX), a(o.dirY), a(o.speed);
  a(o.targetX), a(o.targetY), a(o.walkToX), a(o.walkToY), a(o.textBoxX), a(o.textBoxY);
  a(o.pathIndex), a(o.textColor), a(o.talkLeft);
  a(o.textBoxAuto), a(o.visible), a(o.moving), a(o.followingPath), a(o.singleUse);
  a(o.talking), a(o.hotspotPositioning), a(o.colorKeyOverride), a(o.autoAnimation);
  a(o.headingUp), a(o.headingDown), a(o.headingLeft), a(o.headingRight);
  a.List(o.animations, [&](SavedAnimation& n) { Visit(a, n); });
  a(o.currentAnimation);
  a.List(o.slots, [&](std::string& s) { a(s); });
  a.List(o.path, [&](SavedPoint& p) { a(p.x), a(p.y); });
  a(o.inventoryIcon);
}

template <class A>
void Visit(A& a, SaveGameData& d) {
  a(d.gameName), a(d.title), a(d.timeMs), a(d.sceneAddress);
  a(d.background), a(d.cursor), a(d.cursorVisible), a(d.interactive), a(d.decisionMode), a(d.scrollX), a(d.gamma);
  a(d.walkMap), a(d.walkTarget), a(d.arrivalReported), a(d.hero);
  a.List(d.objects, [&](SavedObject& o) { Visit(a, o); });
  a.List(d.buttons, [&](SavedButton& b) {
    a(b.verb), a(b.imageAddress), a(b.label), a(b.x), a(b.y), a(b.width), a(b.height), a(b.lit);
    a(b.verbType), a(b.visible);
  });
  a(d.currentVerb), a(d.defaultVerb), a(d.verbLabel), a(d.useWord), a(d.defaultVerbSet);
  a(d.selectionCount), a(d.selected[0]), a(d.selected[1]);
  a(d.menuBackground), a(d.menuBackgroundVisible), a(d.menuBackgroundX), a(d.menuBackgroundY);
  a.List(d.inventory, [&](std::string& id) { a(id); });
  a(d.inventoryX), a(d.inventoryY), a(d.inventorySpacing), a(d.iconWidth), a(d.iconHeight);
  a(d.decisionX), a(d.decisionY);
  for (SavedFont& f : d.fonts) a(f.address), a(f.cellHeight), a(f.lineWidth);
  a(d.sentenceX), a(d.sentenceY), a(d.language), a(d.stringFile);
  a.List(d.variables, [&](std::pair<std::string, int32_t>& v) { a(v.first), a(v.second); });
  auto sound = [&](SavedSound& s) { a(s.name), a(s.address), a(s.volume); };
  a.List(d.sounds, sound);
  a.List(d.music, sound);
  a(d.playingMusic), a(d.musicVolume);
  Visit(a, d.globals);
}

}  // namespace

std::string EncodeSave(const SaveGameData& data) {
  Writer payload;
  Visit(payload, const_cast<SaveGameData&>(data));  // the writer only reads the fields
  Writer file;
  file.out.assign(kMagic, sizeof kMagic);
  file.Raw(kSaveFormatVersion, 4);
  file.Raw(payload.out.size(), 4);
  file.Raw(SaveChecksum(payload.out.data(), payload.out.size()), 4);
  return file.out + payload.out;
}

bool DecodeSave(const std::string& bytes, SaveGameData* data, std::string* reason) {
  if (bytes.size() < kHeaderSize || memcmp(bytes.data(), kMagic, sizeof kMagic) != 0) {
    *reason = "not a save file";
    return false;
  }
  Reader header(bytes.data() + sizeof kMagic, kHeaderSize - sizeof kMagic);
  uint32_t version = static_cast<uint32_t>(header.Raw(4));
  uint64_t length = header.Raw(4);
  uint32_t crc = static_cast<uint32_t>(header.Raw(4));
  if (version > kSaveFormatVersion) {
    *reason = "made by a newer engine (save format " + std::to_string(version) + ")";
    return false;
  }
  if (version == 0) {
    *reason = "not a save file";
    return false;
  }
  size_t payloadSize = bytes.size() - kHeaderSize;
  if (length != payloadSize) {
    *reason = length > payloadSize ? "the file is truncated" : "the file is damaged";
    return false;
  }
  const char* payload = bytes.data() + kHeaderSize;
  if (SaveChecksum(payload, payloadSize) != crc) {
    *reason = "the file is damaged";
    return false;
  }
  try {
    Reader reader(payload, payloadSize);
    Visit(reader, *data);
    if (reader.Left() != 0) throw Damaged();
  } catch (const std::exception&) {
    *reason = "the file is damaged";
    return false;
  }
  return true;
}
