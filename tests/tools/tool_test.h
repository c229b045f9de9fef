// Small checks shared by the tool tests.
#pragma once

#include <SDL/SDL.h>

#include <algorithm>
#include <memory>
#include <string>

inline bool Has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }
inline int Lines(const std::string& text) { return static_cast<int>(std::count(text.begin(), text.end(), '\n')); }

struct SurfaceFree {
  void operator()(SDL_Surface* s) const { SDL_FreeSurface(s); }
};
using Surface = std::unique_ptr<SDL_Surface, SurfaceFree>;
inline Surface LoadSurface(const std::string& path) { return Surface(SDL_LoadBMP(path.c_str())); }
