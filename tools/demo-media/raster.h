// A small software rasteriser for the demo's pictures: an RGB canvas where
// magenta marks transparency, brushes that colour pixels by position (solid,
// gradients, ordered dithering, rounded shading) and the shapes to fill.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

struct Rgb {
  uint8_t r = 0, g = 0, b = 0;
  bool operator==(const Rgb& o) const { return r == o.r && g == o.g && b == o.b; }
  bool operator!=(const Rgb& o) const { return !(*this == o); }
};

// The engine's colour key.
constexpr Rgb kMagenta{255, 0, 255};

// Linear blend from a (t = 0) to b (t = 1).
Rgb Mix(Rgb a, Rgb b, double t);
// Scales brightness: below 1 darkens, above 1 lightens towards white.
Rgb Shade(Rgb c, double factor);

// 4 x 4 ordered dither threshold in [0, 1) for a pixel.
double Bayer(int x, int y);

// A brush says which colour a pixel gets; shapes decide which pixels.
using Brush = std::function<Rgb(int x, int y)>;

Brush Solid(Rgb c);
// Blend of a and b at a fixed share t, dithered so it reads as an in-between tone.
Brush Dither(Rgb a, Rgb b, double t);
// Vertical gradient from top (at y0) to bottom (at y1) in `steps` dithered bands.
Brush VGradient(Rgb top, Rgb bottom, int y0, int y1, int steps);
// Horizontal gradient from left (x0) to right (x1), dithered bands.
Brush HGradient(Rgb left, Rgb right, int x0, int x1, int steps);
// A rounded body lit from the upper left: bright near the light, dark at the far rim.
Brush Ball(Rgb base, double cx, double cy, double rx, double ry);
// A cylinder lit from the left: shading varies across x only.
Brush Cylinder(Rgb base, double x0, double x1);

struct Pt {
  double x, y;
};

class Canvas {
 public:
  Canvas(int width, int height, Rgb fill = kMagenta);

  int width() const { return w_; }
  int height() const { return h_; }
  Rgb At(int x, int y) const { return px_[size_t(y) * w_ + x]; }
  bool Inside(int x, int y) const { return x >= 0 && y >= 0 && x < w_ && y < h_; }
  bool Opaque(int x, int y) const { return Inside(x, y) && At(x, y) != kMagenta; }

  // Writes one pixel, clipped. A drawn colour never equals the colour key:
  // exact magenta is nudged so it cannot turn transparent by accident.
  void Put(int x, int y, Rgb c);
  // Makes a pixel transparent.
  void Clear(int x, int y);
  void Plot(int x, int y, const Brush& b) { Put(x, y, b(x, y)); }

  void FillRect(int x, int y, int w, int h, const Brush& b);
  // Filled ellipse around a real-valued centre (pixel centres are tested).
  void FillEllipse(double cx, double cy, double rx, double ry, const Brush& b);
  void FillCircle(double cx, double cy, double r, const Brush& b) { FillEllipse(cx, cy, r, r, b); }
  // Even-odd scanline fill of a closed polygon.
  void FillPolygon(const std::vector<Pt>& points, const Brush& b);
  // A line of the given thickness (round caps).
  void Line(double x0, double y0, double x1, double y1, double thickness, const Brush& b);
  // Rectangle border, one pixel wide.
  void Frame(int x, int y, int w, int h, Rgb c);
  // Multiplies the colours inside an ellipse, for cast shadows on a background.
  void DarkenEllipse(double cx, double cy, double rx, double ry, double factor);
  void DarkenRect(int x, int y, int w, int h, double factor);

  // Draws src with its top-left at (x, y); magenta pixels of src are skipped.
  void Blit(const Canvas& src, int x, int y);
  // Copies src's area (sx, sy, w, h) to (x, y), transparency included.
  void Copy(const Canvas& src, int sx, int sy, int w, int h, int x, int y);
  // Mirrors the area left to right.
  void MirrorX(int x, int y, int w, int h);
  // Gives every opaque shape inside the area a one-pixel border of colour c
  // on the transparent pixels around it; nothing leaks out of the area.
  void Outline(int x, int y, int w, int h, Rgb c);

  // The picture as an uncompressed 24-bit BMP file.
  std::string ToBmp() const;

 private:
  int w_, h_;
  std::vector<Rgb> px_;
};
