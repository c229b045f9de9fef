// The reference scene drawn by plain SDL calls, as a yardstick for the engine's frame.
#pragma once

#include <SDL/SDL.h>

#include <string>
#include <vector>

// Opens its own video mode and loads the reference game's pictures the way the
// engine's loaders set them up (display format, magenta key without RLE, the
// 16-bit translucent text box background, the font image keyed on its
// background colour), then draws frames with nothing but SDL blits.
class BareSdlFrame {
 public:
  BareSdlFrame(const std::string& folder, int depth);
  ~BareSdlFrame();
  BareSdlFrame(const BareSdlFrame&) = delete;
  BareSdlFrame& operator=(const BareSdlFrame&) = delete;

  bool ok() const { return screen_ != nullptr; }
  // One frame of the scene at step t (10 ms each), drawn in the engine's order.
  void Draw(int t);

 private:
  SDL_Surface* Load(const std::string& file);
  void DrawText(const std::string& text, int x, int y, int row);

  SDL_Surface* screen_ = nullptr;            // the video surface
  SDL_Surface* background_ = nullptr;        // 1280 x 480 scene background
  SDL_Surface* strips_[10] = {};             // object animation strips
  SDL_Surface* hero_ = nullptr;              // hero strip
  SDL_Surface* menu_ = nullptr;              // menu background
  SDL_Surface* buttons_[10] = {};            // verb button strips
  SDL_Surface* icons_[4] = {};               // inventory icons
  SDL_Surface* cursor_ = nullptr;            // pointer picture
  SDL_Surface* font_ = nullptr;              // font image, keyed on its background
  SDL_Surface* box_ = nullptr;               // 16-bit text box background, alpha 220
  std::vector<std::string> lines_;           // the speech, wrapped as the engine wraps it
  std::vector<SDL_Surface*> owned_;          // everything to free
};
