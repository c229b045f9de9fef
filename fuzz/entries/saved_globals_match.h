// Whether the globals a save sets are what it holds: the promise a load keeps
// to the scripts, checked on the globals captured again after setting them.
#pragma once

#include <string>

#include "save/save_data.h"

// True when loaded, captured from a fresh script state that saved was set in,
// means what saved means: the same globals (a later one of a name winning,
// the names of the library and the engine left out, as a load leaves them),
// the same plain values, and tables that match entry for entry (a later entry
// of a key winning) and are shared and nested alike. Else false, with the
// first difference found.
bool LoadsAsSaved(const SavedGlobals& saved, const SavedGlobals& loaded, std::string* difference);
