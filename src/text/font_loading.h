// Loading the system, talk and decision fonts, from a script or a saved game.
#pragma once

#include "engine/text_state.h"

struct Engine;

enum class FontRole { kSystem, kTalk, kDecision };

// Loads the font of the role from source and remembers source in the text state.
void LoadRoleFont(Engine& engine, FontRole role, const FontSource& source);
