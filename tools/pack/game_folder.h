// quillon-pack game: which file of a loose game folder goes into which pack.
#pragma once

#include <string>
#include <vector>

// A loose game folder sorted into the packs of its packed build. Names are
// relative to the folder, with '/' between subfolders.
struct GameLayout {
  bool hasConf = false;               // conf.lua: it follows the table in lua.dat entry 0
  std::vector<std::string> scripts;   // lua.dat from entry 1 on: init.lua, then the other scripts and walk maps
  std::vector<std::string> images;    // gfx.dat: every BMP but the window icon
  std::vector<std::string> sounds;    // sfx.dat: WAV, Ogg, AIFF and VOC files
  std::vector<std::string> loose;     // copied as they are: icon1.bmp and the string files
  std::vector<std::string> replays;   // left out: quillon-play's replays, kept beside the game they test
  std::vector<std::string> problems;  // one line each; a game with a problem is not packed
};

// Sorts the files of folder into a layout. Names in order come first in their
// pack, in that order; the others follow sorted by name. Hidden files and
// folders (a leading '.') and the names in skip are not part of the game.
// Problems: a file of no kind the engine reads; a literal R("name") in a
// script that names no file of the folder; a literal file argument that names
// a packed file directly; a name in order that the folder lacks; no init.lua.
GameLayout PlanGame(const std::string& folder, const std::vector<std::string>& order,
                    const std::vector<std::string>& skip);

// The Lua table ASSETS from the name of every packed file but conf.lua to its
// address, led by the comment line "-- comment".
std::string AssetTable(const GameLayout& layout, const std::string& comment);

// The names of an order file: one a line; blank lines and lines that start with # are skipped.
std::vector<std::string> ReadOrder(const std::string& text);
