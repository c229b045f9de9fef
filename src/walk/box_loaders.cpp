// Reading walk boxes from map files and memory buffers: 16-byte records of
// four corners, each x then y as unsigned 16-bit little-endian values.
#include <cstdio>
#include <memory>

#include "util/bytes.h"
#include "util/files.h"
#include "util/guard.h"
#include "util/log.h"
#include "walk/path_map.h"

namespace {

constexpr int kRecordSize = 16;

Box BoxFromRecord(const unsigned char* record) {
  Box box;
  for (int c = 0; c < 4; ++c) {
    box.corners[c].x = static_cast<int>(ReadLittle16(record + 4 * c));
    box.corners[c].y = static_cast<int>(ReadLittle16(record + 4 * c + 2));
  }
  return box;
}

}  // namespace

void PathMap::LoadBoxesFromFile(const char* name) {
  if (!name) name = "";
  std::vector<Box> boxes;
  GuardedWith([&] { return FormatText("Exception catched in LoadBoxesFromFile(%s)\r\n", name); },
              [&] {
                File file = OpenBinary(name);
                unsigned char record[kRecordSize];
                // A missing file leaves the map without boxes; a trailing
                // incomplete record is not a box.
                while (file && fread(record, 1, kRecordSize, file.get()) == kRecordSize) {
                  if (boxes.size() == static_cast<size_t>(kMostBoxes)) {
                    LogFormat("Map-File (%s) has more than %d boxes; the rest are ignored\r\n", name, kMostBoxes);
                    break;
                  }
                  Box box = BoxFromRecord(record);
                  for (const WalkPoint& c : box.corners) LogFormat("(X:%i, Y:%i)", c.x, c.y);
                  boxes.push_back(box);
                }
                LogFormat("Boxes loaded from Map-File (%s)\r\n", name);
              });
  // The boxes read before a failure stay.
  ReplaceBoxes(std::move(boxes));
}

void PathMap::LoadBoxesFromBuffer(const char* buffer, int length) {
  // A length that is not a multiple of 4 cannot be a map; neither can bytes
  // that are not there.
  if (length % 4 != 0 || (!buffer && length > 0)) {
    LogText("Invalid BoxBuffer\r\n");
    return;
  }
  std::vector<Box> boxes;
  Guarded("Exception catched in LoadBoxesFromBuffer\r\n", [&] {
    const auto* bytes = reinterpret_cast<const unsigned char*>(buffer);
    // Bytes after the last whole record are ignored.
    int records = length / kRecordSize;
    if (records > kMostBoxes) {
      LogFormat("BoxBuffer has more than %d boxes; the rest are ignored\r\n", kMostBoxes);
      records = kMostBoxes;
    }
    for (int i = 0; i < records; ++i) boxes.push_back(BoxFromRecord(bytes + kRecordSize * i));
  });
  ReplaceBoxes(std::move(boxes));
}
