// Things to pick up, the door, the garden gate and the signpost, and the
// inventory icons. Each item is drawn on a 32-unit grid and scaled, so the
// scene sprite and its 40 x 40 icon are the same drawing.
#include <cmath>

#include "demo-media/assets.h"

namespace {

constexpr Rgb kInk{34, 24, 30};
constexpr Rgb kGold{232, 184, 60}, kWood{150, 98, 56}, kIron{52, 54, 66};

// Draws in item units: 1 unit = s pixels.
struct Pen {
  Canvas& c;
  double s;
  double ox = 0, oy = 0;
  double X(double u) const { return ox + u * s; }
  double Y(double u) const { return oy + u * s; }
  void Ellipse(double x, double y, double rx, double ry, Rgb col) const {
    c.FillEllipse(X(x), Y(y), rx * s, ry * s, Ball(col, X(x), Y(y), rx * s, ry * s));
  }
  void Flat(double x, double y, double rx, double ry, Rgb col) const { c.FillEllipse(X(x), Y(y), rx * s, ry * s, Solid(col)); }
  void Line(double x0, double y0, double x1, double y1, double t, Rgb col) const {
    c.Line(X(x0), Y(y0), X(x1), Y(y1), t * s, Solid(col));
  }
  void Poly(std::vector<Pt> pts, const Brush& b) const {
    for (Pt& p : pts) p = {X(p.x), Y(p.y)};
    c.FillPolygon(pts, b);
  }
  void ClearEllipse(double x, double y, double rx, double ry) const {
    for (int py = 0; py < c.height(); ++py)
      for (int px = 0; px < c.width(); ++px) {
        double dx = (px + 0.5 - X(x)) / (rx * s), dy = (py + 0.5 - Y(y)) / (ry * s);
        if (dx * dx + dy * dy <= 1) c.Clear(px, py);
      }
  }
};

void Key(const Pen& p) {
  p.Line(12, 12, 27, 27, 3.2, Shade(kGold, 0.85));
  p.Line(12, 12, 27, 27, 1.4, kGold);
  p.Line(23, 23, 19.5, 26.5, 3, Shade(kGold, 0.85));  // bit
  p.Line(26, 26, 23, 29, 3, Shade(kGold, 0.85));
  p.Ellipse(9, 9, 7, 7, kGold);
  p.ClearEllipse(9, 9, 2.8, 2.8);
  p.Flat(6.5, 6, 1.3, 1.3, Shade(kGold, 1.4));
}

void Coin(const Pen& p) {
  p.Ellipse(16, 16, 11, 11, kGold);
  p.Flat(16, 16, 8.5, 8.5, Shade(kGold, 0.86));
  std::vector<Pt> star;  // embossed star
  for (int i = 0; i < 10; ++i) {
    double a = -M_PI / 2 + i * M_PI / 5, r = i % 2 ? 2.6 : 6.2;
    star.push_back({16 + std::cos(a) * r, 16 + std::sin(a) * r});
  }
  p.Poly(star, Solid(Shade(kGold, 1.15)));
  p.Flat(11, 10, 1.6, 1.2, Shade(kGold, 1.5));
}

void Flower(const Pen& p) {
  Rgb stem{60, 130, 50};
  p.Line(16, 30, 16, 12, 1.8, stem);
  p.Poly({{16, 24}, {9, 18}, {10, 24}}, Solid(Shade(stem, 1.15)));
  p.Poly({{16, 21}, {23, 16}, {22, 22}}, Solid(stem));
  for (int i = 0; i < 6; ++i) {
    double a = i * M_PI / 3;
    p.Ellipse(16 + std::cos(a) * 4.6, 9 + std::sin(a) * 4.6, 3.6, 3.6, Rgb{224, 56, 72});
  }
  p.Ellipse(16, 9, 2.8, 2.8, Rgb{250, 210, 70});
}

void WateringCan(const Pen& p) {
  Rgb tin{70, 150, 96};
  p.Line(22, 24, 30, 10, 2.4, Shade(tin, 0.85));  // spout
  p.Ellipse(29.5, 9.5, 2.2, 2.8, Shade(tin, 1.1));
  p.Line(6, 13, 7, 6, 2.2, Shade(tin, 0.8));  // handle over the top
  p.Line(7, 6, 17, 6, 2.2, Shade(tin, 0.8));
  p.Line(17, 6, 19, 12, 2.2, Shade(tin, 0.8));
  p.Poly({{4, 12}, {22, 12}, {23, 29}, {3, 29}}, Cylinder(tin, p.X(3), p.X(23)));
  p.Flat(13, 12, 9, 2, Shade(tin, 0.7));
  p.Line(4, 20, 23, 20, 1, Shade(tin, 0.75));
}

void Bread(const Pen& p) {
  Rgb crust{204, 138, 64};
  p.Ellipse(16, 18, 14, 8, crust);
  for (int i = -1; i <= 1; ++i) p.Line(12 + i * 6, 13, 15 + i * 6, 21, 1.4, Rgb{246, 208, 150});
  p.Flat(10, 13, 3, 1.2, Shade(crust, 1.35));
}

Canvas ItemSprite(int w, int h, double scale, double ox, double oy, void (*draw)(const Pen&)) {
  Canvas c(w, h);
  Pen pen{c, scale, ox, oy};
  draw(pen);
  c.Outline(0, 0, w, h, kInk);
  return c;
}

// The door fills its doorway exactly. Closed: boarded oak with a small
// window; open: only the leaf swung inwards against the left jamb, so the
// scene's own view through the doorway shows beside it.
Canvas Door(bool open) {
  Canvas c(64, 112);
  if (open) {
    c.FillPolygon({{0, 0}, {14, 10}, {14, 104}, {0, 112}}, Cylinder(Shade(kWood, 0.8), 0, 14));
    for (int y = 20; y < 100; y += 30) c.Line(1, y, 13, y + 2, 2, Solid(Shade(kWood, 0.55)));
    c.FillRect(0, 0, 2, 112, Solid(Shade(kWood, 0.5)));
    return c;
  }
  for (int i = 0; i < 4; ++i) c.FillRect(i * 16, 0, 16, 112, Cylinder(Shade(kWood, 0.92 + (i % 2) * 0.08), i * 16, i * 16 + 16));
  for (int i = 1; i < 4; ++i) c.FillRect(i * 16, 0, 1, 112, Solid(Shade(kWood, 0.55)));
  for (int y : {58, 96}) {
    c.FillRect(2, y, 60, 6, Cylinder(Shade(kWood, 0.8), 2, 62));
    c.FillRect(2, y + 6, 60, 1, Solid(Shade(kWood, 0.5)));
  }
  c.FillRect(16, 12, 32, 30, Solid(Shade(kWood, 0.6)));
  c.FillRect(19, 15, 26, 24, VGradient(Rgb{255, 226, 150}, Rgb{210, 140, 70}, 15, 39, 4));
  c.FillRect(31, 15, 2, 24, Solid(Shade(kWood, 0.6)));
  c.FillRect(19, 26, 26, 2, Solid(Shade(kWood, 0.6)));
  c.FillCircle(53, 72, 3, Ball(kGold, 52, 71, 3, 3));
  c.FillRect(52, 78, 2, 4, Solid(kInk));
  c.Frame(0, 0, 64, 112, Shade(kWood, 0.45));
  return c;
}

// Wrought-iron gate of two leaves with spear tips; open, the leaves stand
// folded back against the pillars.
Canvas Gate(bool open) {
  Canvas c(80, 96);
  auto leaf = [&](double x0, double x1, int bars) {
    double step = (x1 - x0) / (bars - 1);
    for (int i = 0; i < bars; ++i) {
      double x = x0 + i * step;
      c.FillRect(int(x) - 1, 12, 2, 84, Solid(kIron));
      c.FillRect(int(x) - 1, 12, 1, 84, Solid(Shade(kIron, 1.5)));
      c.FillPolygon({{x - 2.5, 12}, {x + 2.5, 12}, {x, 4}}, Solid(Rgb{200, 170, 70}));
    }
    c.Line(x0, 26, x1, 26, 2.5, Solid(kIron));
    c.Line(x0, 84, x1, 84, 2.5, Solid(kIron));
    return step;
  };
  if (open) {
    leaf(1, 13, 4);
    leaf(67, 79, 4);
  } else {
    leaf(2, 38, 6);
    leaf(42, 78, 6);
    for (double cx : {20.0, 60.0}) {  // ring ornaments
      c.FillEllipse(cx, 55, 9, 9, Solid(kIron));
      for (int y = 44; y < 66; ++y)
        for (int x = int(cx) - 10; x < int(cx) + 10; ++x) {
          double dx = x + 0.5 - cx, dy = y + 0.5 - 55;
          if (dx * dx + dy * dy < 6.5 * 6.5) c.Clear(x, y);
        }
      c.FillCircle(cx, 55, 2.2, Solid(Rgb{200, 170, 70}));
    }
    c.FillRect(37, 50, 6, 10, Solid(kIron));  // lock
    c.FillCircle(40, 54, 1.2, Solid(kGold));
  }
  return c;
}

// Signpost pointing along the path, with a painted flower on the board.
Canvas Sign() {
  Canvas c(48, 64);
  c.FillRect(21, 18, 6, 46, Cylinder(Shade(kWood, 0.85), 21, 27));
  c.FillPolygon({{3, 8}, {36, 8}, {46, 19}, {36, 30}, {3, 30}}, Cylinder(kWood, 3, 46));
  c.FillRect(3, 18, 40, 1, Solid(Shade(kWood, 0.7)));
  Pen pen{c, 0.5, 9, 10};
  Flower(pen);
  c.Outline(0, 0, 48, 64, kInk);
  return c;
}

}  // namespace

void DrawItems(Pictures& out) {
  out.emplace_back("key.bmp", ItemSprite(32, 32, 1.0, 0, 0, Key));
  out.emplace_back("coin.bmp", ItemSprite(24, 24, 0.75, 0, 0, Coin));
  out.emplace_back("flower.bmp", ItemSprite(24, 32, 1.0, -4, 0, Flower));
  out.emplace_back("watering_can.bmp", ItemSprite(32, 32, 1.0, 0, 0, WateringCan));
  out.emplace_back("door_closed.bmp", Door(false));
  out.emplace_back("door_open.bmp", Door(true));
  out.emplace_back("gate_closed.bmp", Gate(false));
  out.emplace_back("gate_open.bmp", Gate(true));
  out.emplace_back("sign.bmp", Sign());
  // Icons fill most of their 40 x 40 slot, centred.
  out.emplace_back("icon_key.bmp", ItemSprite(40, 40, 1.15, 1.6, 1.6, Key));
  out.emplace_back("icon_coin.bmp", ItemSprite(40, 40, 1.15, 1.6, 1.6, Coin));
  out.emplace_back("icon_flower.bmp", ItemSprite(40, 40, 1.15, 1.6, 1.6, Flower));
  out.emplace_back("icon_can.bmp", ItemSprite(40, 40, 1.15, 1.6, 1.6, WateringCan));
  out.emplace_back("icon_bread.bmp", ItemSprite(40, 40, 1.15, 1.6, 1.6, Bread));
}
