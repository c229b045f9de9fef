// The save file format. Layout, all numbers little-endian:
//   8 bytes magic "QSAVE\r\n\x1a" (the line ends catch text-mode copies)
//   u32 format version, u32 payload length, u32 CRC-32 of the payload
//   payload: the fields of SaveGameData in the order save_fields.h lists them.
// Strings and lists are a u32 count and their items; numbers of the scripts
// and the engine's floats keep their bit patterns.
#include "save/save_format.h"

#include <cstring>

#include "save/save_fields.h"

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

class Writer {
 public:
  std::string out;
  uint32_t format = kSaveFormatVersion;

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

// Every read is bounded by the bytes left; any misfit throws SaveDamaged.
class Reader {
 public:
  Reader(const char* bytes, size_t size, uint32_t fileFormat = 0) : format(fileFormat), at_(bytes), left_(size) {}
  uint32_t format;

  uint64_t Raw(int bytes) {
    if (left_ < static_cast<size_t>(bytes)) throw SaveDamaged();
    uint64_t v = 0;
    for (int i = 0; i < bytes; ++i) v |= uint64_t{static_cast<uint8_t>(at_[i])} << (8 * i);
    at_ += bytes;
    left_ -= bytes;
    return v;
  }
  void operator()(bool& v) {
    uint64_t byte = Raw(1);
    if (byte > 1) throw SaveDamaged();
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
    if (count > left_ / bytesEach) throw SaveDamaged();
  }

 private:
  size_t Count() {
    uint64_t count = Raw(4);
    if (count > left_) throw SaveDamaged();
    return static_cast<size_t>(count);
  }
  const char* at_;
  size_t left_;
};

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
    Reader reader(payload, payloadSize, version);
    Visit(reader, *data);
    if (reader.Left() != 0) throw SaveDamaged();
  } catch (const std::exception&) {
    *reason = "the file is damaged";
    return false;
  }
  return true;
}
