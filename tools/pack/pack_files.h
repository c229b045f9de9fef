// Reading the files that go into a pack: shared by quillon-pack create and game.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "pack/pack_index.h"
#include "resources/pack_writer.h"

// Each BMP file as an image entry, at its own depth (8 with its palette, 16,
// 24 or 32) or at depth bits when depth is not 0. False after naming the
// first file that cannot be read or converted on err.
bool ReadImageEntries(const std::vector<std::string>& files, int depth, std::vector<PackedImage>* images,
                      std::ostream& err);

// The bytes of each file as a script or sound entry; a sound file must not be
// empty. False after naming the first file that fails on err.
bool ReadDataEntries(const std::vector<std::string>& files, PackKind kind, std::vector<std::string>* entries,
                     std::ostream& err);
