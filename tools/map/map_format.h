// The two forms of a walk-box map: the readable text an author writes and the
// 16-byte records the engine reads (Part 6.1 of the specification).
#pragma once

#include <string>
#include <vector>

#include "walk/path_map.h"

constexpr int kMapRecordSize = 16;  // four corners, x then y, unsigned 16-bit little-endian
constexpr int kMaxCoordinate = 65535;

// The boxes of a map text, in order: box i of the text is box i of the map.
struct MapText {
  std::vector<Box> boxes;
  std::vector<std::string> names;  // the optional "name:" of each box, empty when none
  std::vector<int> lines;          // the text line of each box, counting from 1
};

// Reads a map text. One box a line: four corners x,y (eight whole numbers in
// 0..65535, separated by commas, blanks or parentheses), optionally preceded
// by a name and a colon; "#" starts a comment. Each problem becomes one line
// "FILE:LINE: what is wrong" in errors; returns true when there is none.
bool ParseMapText(const std::string& text, const std::string& fileName, MapText* map,
                  std::vector<std::string>* errors);

// The text of the boxes, one line each with its number as a comment; reading
// it back gives the same boxes. source names the map in the head comment.
std::string FormatMapText(const std::vector<Box>& boxes, const std::string& source);

// The map file bytes of the boxes. Every coordinate must lie in 0..65535.
std::string EncodeMap(const std::vector<Box>& boxes);

// Reads a whole file; on failure error holds "PATH: cannot read the file (reason)".
bool ReadWholeFile(const std::string& path, std::string* bytes, std::string* error);

// Reads the bytes of a map: a loose file, or "PACK:N" for entry N of a
// script/text pack, as the engine's LoadPathMap reads a resource address.
// On failure error holds a one-line reason naming the file.
bool ReadMapBytes(const std::string& address, std::string* bytes, bool* fromPack, std::string* error);

// What the engine makes of a map of these bytes.
struct MapBytesVerdict {
  int boxes = 0;          // whole 16-byte records
  int trailing = 0;       // bytes after the last whole record
  bool refused = false;   // the engine would not load the map at all
  std::string problem;    // one line about the length, empty when it is right
};
MapBytesVerdict JudgeMapBytes(const std::string& bytes, bool fromPack);

// Loads the whole records of the bytes into the engine's own walk map with the
// engine's own loader.
void LoadMap(const std::string& bytes, PathMap* map);

std::string PointText(WalkPoint p);  // "(x,y)"
