// Reading a pack's index for listing and checking, tolerant of damage.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

enum class PackKind { kScript, kImage, kSound };

struct PackRecord {
  int32_t width = 0, height = 0, depth = 0;  // image packs only
  int32_t offset = 0;
  int32_t size = 0;
};

struct PackIndex {
  PackKind kind = PackKind::kScript;
  int32_t head = 0;                 // the head field: the entry count, as our tools write it
  std::vector<PackRecord> records;  // the records that lie wholly inside the file
  std::vector<std::string> problems;  // one line each, naming the entry
};

bool ReadFile(const std::string& path, std::string* content);
bool WriteFile(const std::string& path, const std::string& content);

// Packs carry no format mark; the head field tells the entry count, and the
// first record must then point just past the index. Returns false when the
// file fits neither layout.
bool GuessKind(const std::string& pack, PackKind* kind);

// Reads the index of a pack of the given kind and checks every record.
PackIndex ReadIndex(const std::string& pack, PackKind kind);

int RecordSize(PackKind kind);
const char* KindName(PackKind kind);
bool ParseKind(const std::string& word, PackKind* kind);
