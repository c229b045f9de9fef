// The packed game's name table, which the engine reads from the scripts once the configuration has run.
#pragma once

struct Engine;

// The global that holds the table. It belongs to the game as built, not to a
// play of it: saves neither keep nor replace it.
constexpr char kNameTableGlobal[] = "ASSETS";

// Takes the global table ASSETS (file name to pack address, as quillon-pack
// writes it in front of the configuration script) as the game's name table.
// Entries that are not two strings are left out; without the table, or with
// one that is not a table, the game has none.
void ReadNameTable(Engine& engine);
