// The places that take a click now, for pointing without a mouse: what the
// keyboard and a gamepad step through, and what the hotspot reveal marks.
#pragma once

#include <string>
#include <vector>

struct Engine;

struct PointerSpot {
  int x = 0, y = 0;  // screen pixels: a point the pointer hovers the thing at
  std::string name;  // an object's or item's display name; empty for buttons and decision lines
};

// Each adds the places of its kind, in no particular order.
void AddObjectSpots(Engine& engine, std::vector<PointerSpot>* spots);     // named objects on screen
void AddInventorySpots(Engine& engine, std::vector<PointerSpot>* spots);  // items the current verb reaches
void AddButtonSpots(Engine& engine, std::vector<PointerSpot>* spots);     // visible verb buttons
void AddDecisionSpots(Engine& engine, std::vector<PointerSpot>* spots);   // the options of a running decision
