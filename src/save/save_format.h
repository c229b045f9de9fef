// The save file: our own versioned binary format, written and read without the script runtime.
#pragma once

#include <cstdint>
#include <string>

#include "save/save_data.h"

// The format this engine writes; files of a newer format are refused, every
// older one is read. 1: files by address. 2: files by the names the game knows
// them by (the same fields: a format-1 address is read as a name that the
// name table does not know, and so stays that address). 3: objects add an
// area's outline and whether they pass clicks (none and no in older files).
// 4: the scene's scale by depth and whether each object takes part (none,
// and as the hero does, in older files).
constexpr uint32_t kSaveFormatVersion = 4;

// The CRC-32 that guards a save's payload.
uint32_t SaveChecksum(const char* bytes, size_t size);

// The bytes of a save file holding data.
std::string EncodeSave(const SaveGameData& data);

// Reads a whole save file into data. False with the reason (for a log line)
// when the bytes are not a save, are damaged or truncated, or are of a newer
// format; data is then incomplete and must not be used.
bool DecodeSave(const std::string& bytes, SaveGameData* data, std::string* reason);
