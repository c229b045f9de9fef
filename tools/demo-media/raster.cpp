// The rasteriser behind every generated picture.
#include "demo-media/raster.h"

#include <algorithm>
#include <cmath>

namespace {

uint8_t Clamp8(double v) { return uint8_t(std::lround(std::clamp(v, 0.0, 255.0))); }

void PutLE(std::string& out, uint32_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(char((v >> (8 * i)) & 0xff));
}

}  // namespace

Rgb Mix(Rgb a, Rgb b, double t) {
  return {Clamp8(a.r + (b.r - a.r) * t), Clamp8(a.g + (b.g - a.g) * t), Clamp8(a.b + (b.b - a.b) * t)};
}

Rgb Shade(Rgb c, double factor) {
  if (factor <= 1.0) return {Clamp8(c.r * factor), Clamp8(c.g * factor), Clamp8(c.b * factor)};
  return Mix(c, Rgb{255, 255, 255}, std::min(1.0, factor - 1.0));
}

double Bayer(int x, int y) {
  static const int kMatrix[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};
  return (kMatrix[y & 3][x & 3] + 0.5) / 16.0;
}

Brush Solid(Rgb c) {
  return [c](int, int) { return c; };
}

Brush Dither(Rgb a, Rgb b, double t) {
  return [a, b, t](int x, int y) { return t > Bayer(x, y) ? b : a; };
}

namespace {

// Picks between the two band colours around position t in [0, 1] so that
// neighbouring bands interleave instead of meeting at a hard edge.
Rgb Banded(Rgb from, Rgb to, double t, int steps, int x, int y) {
  t = std::clamp(t, 0.0, 1.0);
  if (steps < 2) return Mix(from, to, t);
  double pos = t * (steps - 1);
  int band = int(pos);
  double frac = pos - band;
  if (frac > Bayer(x, y)) ++band;
  return Mix(from, to, double(std::min(band, steps - 1)) / (steps - 1));
}

}  // namespace

Brush VGradient(Rgb top, Rgb bottom, int y0, int y1, int steps) {
  return [=](int x, int y) { return Banded(top, bottom, double(y - y0) / std::max(1, y1 - y0), steps, x, y); };
}

Brush HGradient(Rgb left, Rgb right, int x0, int x1, int steps) {
  return [=](int x, int y) { return Banded(left, right, double(x - x0) / std::max(1, x1 - x0), steps, x, y); };
}

Brush Ball(Rgb base, double cx, double cy, double rx, double ry) {
  return [=](int x, int y) {
    double dx = (x + 0.5 - cx) / std::max(rx, 0.5), dy = (y + 0.5 - cy) / std::max(ry, 0.5);
    // Light from the upper left: the lit side sits towards (-0.5, -0.6).
    double light = 1.0 - 0.28 * (dx + dy) - 0.12 * (dx * dx + dy * dy);
    double q = light > 1.12 ? 1.15 : light > 0.9 ? 1.0 : light > 0.68 ? 0.88 : 0.76;
    return Shade(base, q);
  };
}

Brush Cylinder(Rgb base, double x0, double x1) {
  return [=](int x, int y) {
    double t = (x + 0.5 - x0) / std::max(1.0, x1 - x0);
    double q = t < 0.25 ? 1.12 : t < 0.7 ? 1.0 : 0.8;
    return Shade(base, q);
  };
}

Canvas::Canvas(int width, int height, Rgb fill) : w_(width), h_(height), px_(size_t(width) * height, fill) {}

void Canvas::Put(int x, int y, Rgb c) {
  if (!Inside(x, y)) return;
  if (c == kMagenta) c.g = 1;
  px_[size_t(y) * w_ + x] = c;
}

void Canvas::Clear(int x, int y) {
  if (Inside(x, y)) px_[size_t(y) * w_ + x] = kMagenta;
}

void Canvas::FillRect(int x, int y, int w, int h, const Brush& b) {
  for (int yy = std::max(0, y); yy < std::min(h_, y + h); ++yy)
    for (int xx = std::max(0, x); xx < std::min(w_, x + w); ++xx) Plot(xx, yy, b);
}

void Canvas::FillEllipse(double cx, double cy, double rx, double ry, const Brush& b) {
  if (rx <= 0 || ry <= 0) return;
  int y0 = std::max(0, int(std::floor(cy - ry))), y1 = std::min(h_ - 1, int(std::ceil(cy + ry)));
  int x0 = std::max(0, int(std::floor(cx - rx))), x1 = std::min(w_ - 1, int(std::ceil(cx + rx)));
  for (int y = y0; y <= y1; ++y)
    for (int x = x0; x <= x1; ++x) {
      double dx = (x + 0.5 - cx) / rx, dy = (y + 0.5 - cy) / ry;
      if (dx * dx + dy * dy <= 1.0) Plot(x, y, b);
    }
}

void Canvas::FillPolygon(const std::vector<Pt>& points, const Brush& b) {
  if (points.size() < 3) return;
  double minY = points[0].y, maxY = points[0].y;
  for (const Pt& p : points) minY = std::min(minY, p.y), maxY = std::max(maxY, p.y);
  std::vector<double> xs;
  for (int y = std::max(0, int(std::floor(minY))); y <= std::min(h_ - 1, int(std::ceil(maxY))); ++y) {
    double sy = y + 0.5;
    xs.clear();
    for (size_t i = 0; i < points.size(); ++i) {
      const Pt& a = points[i];
      const Pt& c = points[(i + 1) % points.size()];
      if ((a.y <= sy && c.y > sy) || (c.y <= sy && a.y > sy)) xs.push_back(a.x + (sy - a.y) * (c.x - a.x) / (c.y - a.y));
    }
    std::sort(xs.begin(), xs.end());
    for (size_t i = 0; i + 1 < xs.size(); i += 2)
      for (int x = std::max(0, int(std::ceil(xs[i] - 0.5))); x <= std::min(w_ - 1, int(std::floor(xs[i + 1] - 0.5)));
           ++x)
        Plot(x, y, b);
  }
}

void Canvas::Line(double x0, double y0, double x1, double y1, double thickness, const Brush& b) {
  double r = thickness / 2.0;
  int minX = std::max(0, int(std::floor(std::min(x0, x1) - r))), maxX = std::min(w_ - 1, int(std::ceil(std::max(x0, x1) + r)));
  int minY = std::max(0, int(std::floor(std::min(y0, y1) - r))), maxY = std::min(h_ - 1, int(std::ceil(std::max(y0, y1) + r)));
  double dx = x1 - x0, dy = y1 - y0, len2 = dx * dx + dy * dy;
  for (int y = minY; y <= maxY; ++y)
    for (int x = minX; x <= maxX; ++x) {
      double px = x + 0.5 - x0, py = y + 0.5 - y0;
      double t = len2 > 0 ? std::clamp((px * dx + py * dy) / len2, 0.0, 1.0) : 0.0;
      double ex = px - t * dx, ey = py - t * dy;
      if (ex * ex + ey * ey <= r * r + 0.25) Plot(x, y, b);
    }
}

void Canvas::Frame(int x, int y, int w, int h, Rgb c) {
  FillRect(x, y, w, 1, Solid(c));
  FillRect(x, y + h - 1, w, 1, Solid(c));
  FillRect(x, y, 1, h, Solid(c));
  FillRect(x + w - 1, y, 1, h, Solid(c));
}

void Canvas::DarkenEllipse(double cx, double cy, double rx, double ry, double factor) {
  FillEllipse(cx, cy, rx, ry, [this, factor](int x, int y) { return Shade(At(x, y), factor); });
}

void Canvas::DarkenRect(int x, int y, int w, int h, double factor) {
  FillRect(x, y, w, h, [this, factor](int px, int py) { return Shade(At(px, py), factor); });
}

void Canvas::Blit(const Canvas& src, int x, int y) {
  for (int sy = 0; sy < src.height(); ++sy)
    for (int sx = 0; sx < src.width(); ++sx)
      if (src.At(sx, sy) != kMagenta) Put(x + sx, y + sy, src.At(sx, sy));
}

void Canvas::Copy(const Canvas& src, int sx, int sy, int w, int h, int x, int y) {
  for (int j = 0; j < h; ++j)
    for (int i = 0; i < w; ++i)
      if (src.Inside(sx + i, sy + j) && Inside(x + i, y + j)) px_[size_t(y + j) * w_ + x + i] = src.At(sx + i, sy + j);
}

void Canvas::MirrorX(int x, int y, int w, int h) {
  for (int j = y; j < y + h; ++j)
    for (int i = 0; i < w / 2; ++i) std::swap(px_[size_t(j) * w_ + x + i], px_[size_t(j) * w_ + x + w - 1 - i]);
}

void Canvas::Outline(int x, int y, int w, int h, Rgb c) {
  std::vector<std::pair<int, int>> edge;
  auto in = [&](int px, int py) { return px >= x && py >= y && px < x + w && py < y + h && Opaque(px, py); };
  for (int py = y; py < y + h; ++py)
    for (int px = x; px < x + w; ++px)
      if (!in(px, py) && (in(px - 1, py) || in(px + 1, py) || in(px, py - 1) || in(px, py + 1))) edge.push_back({px, py});
  for (auto [px, py] : edge) Put(px, py, c);
}

std::string Canvas::ToBmp() const {
  const int rowBytes = (w_ * 3 + 3) & ~3;
  const uint32_t dataSize = uint32_t(rowBytes) * h_;
  std::string out;
  out.reserve(54 + dataSize);
  out += "BM";
  PutLE(out, 54 + dataSize, 4);
  PutLE(out, 0, 4);
  PutLE(out, 54, 4);
  PutLE(out, 40, 4);  // BITMAPINFOHEADER
  PutLE(out, uint32_t(w_), 4);
  PutLE(out, uint32_t(h_), 4);  // positive: rows bottom-up
  PutLE(out, 1, 2);
  PutLE(out, 24, 2);
  PutLE(out, 0, 4);  // uncompressed
  PutLE(out, dataSize, 4);
  PutLE(out, 2835, 4);  // 72 dpi
  PutLE(out, 2835, 4);
  PutLE(out, 0, 4);
  PutLE(out, 0, 4);
  for (int y = h_ - 1; y >= 0; --y) {
    for (int x = 0; x < w_; ++x) {
      Rgb c = At(x, y);
      out.push_back(char(c.b));
      out.push_back(char(c.g));
      out.push_back(char(c.r));
    }
    out.append(size_t(rowBytes - w_ * 3), '\0');
  }
  return out;
}
