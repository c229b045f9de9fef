// The files a saved game refers to: kept by the names the game knows them by,
// found again through the game as it is when the save is loaded.
#pragma once

#include <string>

#include "save/save_data.h"

struct Engine;

// Each address becomes the file's name where the game's name table has one
// (a pack entry of a packed game); any other address is its own name (a
// loose file, or an address the table does not know).
void NameSavedFiles(const Engine& engine, SaveGameData* data);

// Each name becomes the address it has in the game now, through the name
// table, else it stays as it is. False with the first name that the game no
// longer has (no loose file, no pack entry); data is then half resolved and
// must not be used.
bool FindSavedFiles(const Engine& engine, SaveGameData* data, std::string* missing);
