// quillon-pack game: a loose game folder packed for release in one command.
#pragma once

#include <ostream>
#include <string>

struct GamePackOptions {
  std::string orderFile;  // the order of the entries (see ReadOrder); empty: sorted by name
  std::string comment = "Made by quillon-pack: where each file of the game lies in its pack.";  // above the table
  int depth = 0;          // the image depth, as create image --depth; 0 keeps each picture's own
};

// Writes into outDir: lua.dat (entry 0 the table ASSETS, then conf.lua; from
// entry 1 init.lua, the other scripts and the walk maps), gfx.dat, sfx.dat
// (each only when the game has such files), copies of the files the engine
// reads only loose, and the table alone as assets.lua. Writes nothing when
// the folder has a problem (see PlanGame) or a file cannot be read. Returns
// the exit status: 0, 1 on a problem, 2 on a usage error.
int PackGame(const std::string& folder, const std::string& outDir, const GamePackOptions& options, std::ostream& out,
             std::ostream& err);
