// The save file: our own versioned binary format, written and read without the script runtime.
#pragma once

#include <cstdint>
#include <string>

#include "save/save_data.h"

// The format this engine writes; files of a newer format are refused.
constexpr uint32_t kSaveFormatVersion = 1;

// The CRC-32 that guards a save's payload.
uint32_t SaveChecksum(const char* bytes, size_t size);

// The bytes of a save file holding data.
std::string EncodeSave(const SaveGameData& data);

// Reads a whole save file into data. False with the reason (for a log line)
// when the bytes are not a save, are damaged or truncated, or are of a newer
// format; data is then incomplete and must not be used.
bool DecodeSave(const std::string& bytes, SaveGameData* data, std::string* reason);
