// Author diagnostics about a font image the engine has just read.
#pragma once

#include <string>

struct Engine;
class CBitmapFont;

// Names what would make the font draw wrongly or not at all: a marker colour
// that is nearly but not exactly the one at (0, 0), a background that is not
// magenta, glyph pixels that are nearly the transparent colour, no visible
// glyph at all. Only when diagnostics are on.
void DiagnoseFont(Engine& engine, const CBitmapFont& font, const std::string& address);
