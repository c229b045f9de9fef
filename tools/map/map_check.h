// The map checker: what silently breaks walking in this engine, in an author's words.
#pragma once

#include <string>
#include <vector>

#include "walk/path_map.h"

struct MapFinding {
  bool error = false;  // errors always fail the check, warnings only with --strict
  std::string text;    // one line
};

struct MapCheckOptions {
  int width = -1;   // background size; negative when not given
  int height = -1;
  std::string mapName;  // how commands in the advice name the map
};

struct MapCheckReport {
  std::vector<std::string> listing;   // one line a box: corners, centre, neighbours
  std::vector<MapFinding> findings;
  int errors = 0;
  int warnings = 0;
};

// Checks the boxes loaded in the map. The map's search state is used (and
// left changed) by the trial searches between boxes.
MapCheckReport CheckMap(PathMap& map, const MapCheckOptions& options);

// Boxes a and b are connected in either direction (the engine's Neighbours).
bool Connected(const PathMap& map, int a, int b);
// Whether each box can be reached from box `from` through Neighbours, and the
// box each was first reached from (-1 for `from` and unreached boxes).
std::vector<int> ReachFrom(const PathMap& map, int from, std::vector<bool>* reached);
// The chain of boxes "0-1-2" from the start of ReachFrom to box `to`.
std::string ChainText(const std::vector<int>& parent, int to);
// Why the greedy search gives up on that chain when it is the 9999-pixel rule
// (a sentence with a leading blank), or an empty text.
std::string FarCentreNote(const PathMap& map, const std::vector<int>& parent, int to, WalkPoint target);
// A point that the engine counts as lying in box i (BoxIndexOf gives i), if any.
bool PointOfBox(const PathMap& map, int i, WalkPoint* point);
// The text "2, 3 and 5".
std::string ListText(const std::vector<int>& numbers);
