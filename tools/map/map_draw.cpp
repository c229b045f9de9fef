// Outlines, numbers in a pixel font of our own, connections and a path over a background.
#include "map/map_draw.h"

#include <algorithm>
#include <cstdlib>

#include "map/map_check.h"
#include "resources/pixels.h"

namespace {

// Outline colours, one per box in turn; bright, and never magenta (255, 0, 255).
const SDL_Color kBoxColours[] = {
    {255, 220, 0, 0}, {0, 230, 255, 0}, {90, 255, 90, 0}, {255, 150, 40, 0},
    {140, 170, 255, 0}, {255, 150, 200, 0}, {210, 255, 140, 0}, {120, 255, 220, 0},
};
const SDL_Color kConnection = {255, 255, 255, 0};
const SDL_Color kLabelGround = {0, 0, 0, 0};
const SDL_Color kPath = {255, 40, 0, 0};
const SDL_Color kWaypoint = {255, 255, 255, 0};
const SDL_Color kStart = {0, 200, 0, 0};
const SDL_Color kTarget = {230, 0, 0, 0};

// Digits 0-9, three pixels wide and five high; bit 2 is the left column.
const unsigned char kDigits[10][5] = {
    {7, 5, 5, 5, 7}, {2, 6, 2, 2, 7}, {7, 1, 7, 4, 7}, {7, 1, 7, 1, 7}, {5, 5, 7, 1, 1},
    {7, 4, 7, 1, 7}, {7, 4, 7, 5, 7}, {7, 1, 1, 1, 1}, {7, 5, 7, 5, 7}, {7, 5, 7, 1, 7},
};

class Canvas {
 public:
  explicit Canvas(SDL_Surface* s) : s_(s) {}

  void Dot(int x, int y, SDL_Color c) {
    if (x < 0 || y < 0 || x >= s_->w || y >= s_->h) return;
    PutPixel(x, y, SDL_MapRGB(s_->format, c.r, c.g, c.b), s_);
  }
  void Fill(int x, int y, int w, int h, SDL_Color c) {
    for (int yy = y; yy < y + h; ++yy)
      for (int xx = x; xx < x + w; ++xx) Dot(xx, yy, c);
  }
  // Bresenham's line; `radius` widens it to a square brush, `dash` > 0 leaves gaps.
  void Line(WalkPoint a, WalkPoint b, SDL_Color c, int radius = 0, int dash = 0) {
    long long x = a.x, y = a.y;
    const long long dx = std::llabs(static_cast<long long>(b.x) - a.x), sx = a.x < b.x ? 1 : -1;
    const long long dy = -std::llabs(static_cast<long long>(b.y) - a.y), sy = a.y < b.y ? 1 : -1;
    long long err = dx + dy;
    for (long long step = 0;; ++step) {
      if (dash == 0 || (step / dash) % 2 == 0) {
        if (OnOrNear(x, y, radius)) Fill(static_cast<int>(x) - radius, static_cast<int>(y) - radius, 2 * radius + 1, 2 * radius + 1, c);
      }
      if (x == b.x && y == b.y) break;
      long long e2 = 2 * err;
      if (e2 >= dy) err += dy, x += sx;
      if (e2 <= dx) err += dx, y += sy;
    }
  }
  // A number centred on the point, on a dark ground.
  void Number(int value, WalkPoint at, int scale, SDL_Color c) {
    std::string digits = std::to_string(value);
    int w = static_cast<int>(digits.size()) * 4 * scale - scale, h = 5 * scale;
    int x0 = at.x - w / 2, y0 = at.y - h / 2;
    Fill(x0 - scale, y0 - scale, w + 2 * scale, h + 2 * scale, kLabelGround);
    for (size_t k = 0; k < digits.size(); ++k) {
      const unsigned char* rows = kDigits[digits[k] - '0'];
      for (int r = 0; r < 5; ++r)
        for (int col = 0; col < 3; ++col)
          if (rows[r] & (4 >> col)) Fill(x0 + static_cast<int>(k) * 4 * scale + col * scale, y0 + r * scale, scale, scale, c);
    }
  }
  void Mark(WalkPoint at, int half, SDL_Color c) {
    Fill(at.x - half - 1, at.y - half - 1, 2 * half + 3, 2 * half + 3, kLabelGround);
    Fill(at.x - half, at.y - half, 2 * half + 1, 2 * half + 1, c);
  }

 private:
  bool OnOrNear(long long x, long long y, int radius) const {
    return x >= -radius && y >= -radius && x < s_->w + radius && y < s_->h + radius;
  }
  SDL_Surface* s_;
};

}  // namespace

std::vector<SDL_Color> DrawingColours() {
  std::vector<SDL_Color> colours(std::begin(kBoxColours), std::end(kBoxColours));
  for (SDL_Color c : {kConnection, kLabelGround, kPath, kWaypoint, kStart, kTarget}) colours.push_back(c);
  return colours;
}

SDL_Surface* DrawMap(const PathMap& map, SDL_Surface* background, const DrawnPath* path) {
  SDL_Surface* canvas =
      SDL_CreateRGBSurface(SDL_SWSURFACE, background->w, background->h, 24, 0xFF0000, 0x00FF00, 0x0000FF, 0);
  if (!canvas) return nullptr;
  SDL_SetAlpha(background, 0, 255);
  SDL_SetColorKey(background, 0, 0);
  if (SDL_BlitSurface(background, nullptr, canvas, nullptr) != 0) {
    SDL_FreeSurface(canvas);
    return nullptr;
  }
  // Bigger digits and lines on bigger pictures.
  const int shorter = std::min(background->w, background->h);
  const int scale = shorter >= 700 ? 3 : shorter >= 150 ? 2 : 1;  // of the digits and marks
  const int line = shorter >= 400 ? 1 : 0;                        // outline brush radius
  const int n = map.BoxCount();
  const int colours = static_cast<int>(sizeof kBoxColours / sizeof kBoxColours[0]);
  SDL_LockSurface(canvas);
  Canvas draw(canvas);
  for (int i = 0; i < n; ++i) {
    const Box& box = map.BoxAt(i);
    for (int c = 0; c < 4; ++c) draw.Line(box.corners[c], box.corners[(c + 1) % 4], kBoxColours[i % colours], line);
  }
  for (int i = 0; i < n; ++i)
    for (int j = i + 1; j < n; ++j)
      if (Connected(map, i, j))
        draw.Line(PathMap::BoxCentre(map.BoxAt(i)), PathMap::BoxCentre(map.BoxAt(j)), kConnection, 0, 3 * scale);
  if (path && path->found) {
    for (size_t k = 0; k + 1 < path->waypoints.size(); ++k)
      draw.Line(path->waypoints[k], path->waypoints[k + 1], kPath, line + 1);
    for (size_t k = 1; k + 1 < path->waypoints.size(); ++k) draw.Mark(path->waypoints[k], scale, kWaypoint);
  }
  // The numbers over everything but the start and target marks.
  for (int i = 0; i < n; ++i) draw.Number(i, PathMap::BoxCentre(map.BoxAt(i)), scale, kBoxColours[i % colours]);
  if (path) {
    draw.Mark(path->start, 2 * scale, kStart);
    draw.Mark(path->target, 2 * scale, kTarget);
  }
  SDL_UnlockSurface(canvas);
  return canvas;
}
