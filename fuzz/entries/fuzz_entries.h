// Entry functions of the fuzz targets: the fuzzers and the regression tests run the same code.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

// Each entry takes arbitrary bytes, feeds them to one input path of the engine
// and returns 0. None of them may crash, hang or leak, whatever the bytes.
int FuzzDataPack(const uint8_t* data, size_t size);    // script/text pack reader, scripts and maps from packs
int FuzzImagePack(const uint8_t* data, size_t size);   // image pack reader and LoadImage on its entries
int FuzzSoundPack(const uint8_t* data, size_t size);   // sound pack reader
int FuzzBmpImage(const uint8_t* data, size_t size);    // LoadImage on a loose BMP file
int FuzzWalkMap(const uint8_t* data, size_t size);     // walk-box maps and the path search over them
int FuzzFont(const uint8_t* data, size_t size);        // font images, DrawString and DrawTextBox
int FuzzStringFile(const uint8_t* data, size_t size);  // string files through SetStringFile and GetString
int FuzzScriptCalls(const uint8_t* data, size_t size); // sequences of script function calls and input events
int FuzzSaveFile(const uint8_t* data, size_t size);    // the save file reader and the globals it sets

struct FuzzTarget {
  const char* name;  // also the folder name of its corpus and regression inputs
  int (*entry)(const uint8_t* data, size_t size);
};
const std::vector<FuzzTarget>& FuzzTargets();

// A small corpus for each target, made with the engine's own writers.
std::vector<std::string> SeedInputs(const std::string& target);
std::vector<std::string> SaveFileSeeds();

// Closes the SDL video and audio the entries opened (for test binaries that go on).
void CloseFuzzWorld();

// A broken promise of the engine: reported like a sanitizer finding.
inline void Require(bool holds, const char* what) {
  if (holds) return;
  fprintf(stderr, "fuzz entry: %s\n", what);
  abort();
}
