// Scene backgrounds and the menu panel. Places where scripts put objects
// (the shop doorway, the garden gate, the flower bed) are listed in MEDIA.md;
// the constants below are those places.
#include <cmath>

#include "demo-media/assets.h"

namespace {

// Fixed-seed generator: scattered stones, flowers and leaves fall the same way every run.
struct Rand {
  uint32_t s;
  explicit Rand(uint32_t seed) : s(seed) {}
  uint32_t Next() { return s = s * 1664525u + 1013904223u, s >> 8; }
  double Unit() { return (Next() & 0xffff) / 65536.0; }
  double Range(double a, double b) { return a + (b - a) * Unit(); }
};

constexpr Rgb kWhite{255, 255, 255}, kNight{24, 20, 30};

// Street layout: the shop doorway takes door_closed/door_open, the garden
// entrance takes gate_closed/gate_open.
constexpr int kStreetW = 1280, kKerb = 330, kRoad = 364;
constexpr int kShopDoorX = 566, kShopDoorY = 218;
constexpr int kGateX = 1152, kGateY = 234;

void Sky(Canvas& c, int y1, Rgb top, Rgb horizon) { c.FillRect(0, 0, c.width(), y1, VGradient(top, horizon, 0, y1, 10)); }

void Cloud(Canvas& c, double x, double y, double size, Rgb tint) {
  const double parts[][3] = {{0, 0, 1}, {-1.1, 0.25, 0.7}, {1.1, 0.3, 0.75}, {-0.4, -0.45, 0.75}, {0.5, -0.35, 0.8}};
  for (const auto& p : parts) c.FillEllipse(x + p[0] * size, y + p[1] * size * 0.6, size * p[2], size * p[2] * 0.55, Solid(Shade(tint, 0.9)));
  for (const auto& p : parts)
    c.FillEllipse(x + p[0] * size - 2, y + p[1] * size * 0.6 - 2, size * p[2] * 0.85, size * p[2] * 0.45, Solid(tint));
}

// A ridge of hills: each column filled from its crest down to bottom, hazier towards the top.
void Hills(Canvas& c, int base, double amp, double phase, Rgb colour, int bottom) {
  for (int x = 0; x < c.width(); ++x) {
    double h = base - amp * (0.6 * std::sin(x * 0.006 + phase) + 0.3 * std::sin(x * 0.017 + phase * 2) +
                             0.1 * std::sin(x * 0.043 + phase * 3));
    int top = int(h);
    for (int y = top; y < bottom; ++y) c.Plot(x, y, [&](int px, int py) {
        return Mix(colour, Shade(colour, 0.82), (py - top) > 6 ? (Bayer(px, py) < 0.5 ? 1.0 : 0.6) : 0.0);
      });
  }
}

void Tree(Canvas& c, double x, int ground, double size, Rgb leaf, uint32_t seed) {
  Rand r(seed);
  c.DarkenEllipse(x, ground, size * 0.9, size * 0.18, 0.7);
  Rgb bark{104, 74, 50};
  c.FillPolygon({{x - size * 0.12, double(ground)}, {x + size * 0.12, double(ground)}, {x + size * 0.07, ground - size * 1.2},
                 {x - size * 0.07, ground - size * 1.2}},
                Cylinder(bark, x - size * 0.12, x + size * 0.12));
  c.Line(x, ground - size * 0.9, x + size * 0.35, ground - size * 1.3, size * 0.06, Solid(Shade(bark, 0.85)));
  double cy = ground - size * 1.55;
  for (int i = 0; i < 14; ++i) {
    double a = r.Range(0, 6.283), d = r.Range(0, 0.55) * size;
    double px = x + std::cos(a) * d, py = cy + std::sin(a) * d * 0.75, rad = size * r.Range(0.28, 0.42);
    c.FillCircle(px, py, rad, Ball(Shade(leaf, 0.95), px - rad * 0.3, py - rad * 0.3, rad, rad));
  }
  for (int i = 0; i < 5; ++i) {  // sunlit clumps on the upper left
    double px = x - size * r.Range(0.05, 0.45), py = cy - size * r.Range(0.1, 0.45), rad = size * r.Range(0.15, 0.25);
    c.FillCircle(px, py, rad, Ball(Shade(leaf, 1.12), px, py, rad, rad));
  }
}

void Bush(Canvas& c, double x, double ground, double size, Rgb leaf) {
  c.DarkenEllipse(x, ground, size * 1.3, size * 0.25, 0.75);
  const double parts[][3] = {{-0.7, -0.4, 0.6}, {0.7, -0.4, 0.6}, {0, -0.7, 0.75}};
  for (const auto& p : parts) {
    double px = x + p[0] * size, py = ground + p[1] * size, rad = p[2] * size;
    c.FillCircle(px, py, rad, Ball(leaf, px, py, rad, rad));
  }
}

void Window(Canvas& c, int x, int y, int w, int h, Rgb frame, bool lit) {
  c.FillRect(x - 3, y - 3, w + 6, h + 6, Solid(Shade(frame, 0.7)));
  Brush glass = lit ? VGradient(Rgb{255, 226, 140}, Rgb{226, 150, 70}, y, y + h, 5)
                    : VGradient(Rgb{150, 190, 226}, Rgb{52, 70, 110}, y, y + h, 6);
  c.FillRect(x, y, w, h, glass);
  c.Line(x + w * 0.2, y + h * 0.75, x + w * 0.55, y + h * 0.2, 2, Solid(Shade(lit ? Rgb{255, 240, 200} : Rgb{200, 220, 240}, 1.0)));
  c.FillRect(x + w / 2 - 1, y, 3, h, Solid(frame));
  c.FillRect(x, y + h / 2 - 1, w, 3, Solid(frame));
  c.Frame(x - 1, y - 1, w + 2, h + 2, frame);
  c.FillRect(x - 6, y + h + 3, w + 12, 4, VGradient(Shade(frame, 1.2), Shade(frame, 0.8), y + h + 3, y + h + 7, 3));
}

void Shutters(Canvas& c, int x, int y, int w, int h, Rgb colour) {
  for (int side = 0; side < 2; ++side) {
    int sx = side ? x + w + 4 : x - 4 - w / 2;
    c.FillRect(sx, y - 2, w / 2, h + 4, Cylinder(colour, sx, sx + w / 2));
    for (int yy = y + 2; yy < y + h; yy += 5) c.FillRect(sx + 2, yy, w / 2 - 4, 1, Solid(Shade(colour, 0.7)));
  }
}

// A wall brush with a faint ordered grain, so large walls do not look flat.
Brush Plaster(Rgb wall) {
  return [wall](int x, int y) {
    uint32_t h = (uint32_t(x) * 73856093u) ^ (uint32_t(y) * 19349663u);
    return (h % 23) == 0 ? Shade(wall, 0.93) : wall;
  };
}

Brush Bricks(Rgb brick, Rgb mortar) {
  return [=](int x, int y) {
    int row = y / 6, off = (row % 2) * 7;
    if (y % 6 == 5 || (x + off) % 14 == 13) return mortar;
    uint32_t h = (uint32_t((x + off) / 14) * 2654435761u) ^ (uint32_t(row) * 40503u);
    return Shade(brick, 0.9 + (h % 5) * 0.04);
  };
}

void House(Canvas& c, int x, int w, int top, Rgb wall, Rgb roof, bool brick, bool litWindows, uint32_t seed) {
  Rand r(seed);
  c.FillRect(x, top, w, kKerb - top, brick ? Bricks(wall, Shade(wall, 1.35)) : Plaster(wall));
  c.FillRect(x + w - 6, top, 6, kKerb - top, Solid(Shade(wall, 0.8)));  // corner in shade
  // Roof with tile rows and a chimney.
  int ridge = top - 56;
  int cx = x + int(w * r.Range(0.55, 0.8));
  c.FillRect(cx, ridge - 6, 16, 40, Bricks(Rgb{150, 70, 56}, Rgb{190, 170, 160}));
  c.FillRect(cx - 2, ridge - 8, 20, 4, Solid(Rgb{90, 80, 84}));
  c.FillPolygon({{x - 10.0, double(top)}, {x + w + 10.0, double(top)}, {x + w - 20.0, double(ridge)}, {x + 20.0, double(ridge)}},
                [=](int px, int py) {
                  Rgb t = ((py - ridge) % 7 == 6) ? Shade(roof, 0.7) : roof;
                  return ((px + ((py - ridge) / 7) * 5) % 10 == 0) ? Shade(t, 0.85) : t;
                });
  c.FillRect(x - 10, top, w + 20, 3, Solid(Shade(roof, 0.55)));
  c.DarkenRect(x, top + 3, w - 6, 6, 0.75);  // eaves shadow
  // Upper floor windows with shutters.
  int n = w / 70;
  for (int i = 0; i < n; ++i) {
    int wx = x + (w - 6) * (2 * i + 1) / (2 * n) - 13;
    Window(c, wx, top + 26, 26, 38, Rgb{236, 232, 220}, litWindows && i == 0);
    Shutters(c, wx, top + 26, 26, 38, Shade(roof, 1.1));
  }
  c.FillRect(x, top + 98, w - 6, 4, Solid(Shade(wall, 0.82)));  // floor band
}

// Cobblestones in rows that widen towards the viewer; joints point at the vanishing point.
void Cobbles(Canvas& c, int x0, int x1, int y0, int y1, double vx, double vy, uint32_t seed) {
  Rgb stone{150, 142, 138};
  c.FillRect(x0, y0, x1 - x0, y1 - y0, VGradient(Rgb{104, 98, 100}, Rgb{84, 78, 82}, y0, y1, 4));
  Rand r(seed);
  double y = y0;
  int row = 0;
  while (y < y1) {
    double hgt = 4 + (y - y0) * 0.09;
    double scale = (y + hgt / 2 - vy) / (y0 - vy);
    double step = 18 * scale;
    double start = vx - std::ceil((vx - x0) / step) * step - (row % 2) * step / 2;
    for (double sx = start; sx < x1; sx += step) {
      double cxp = sx + step / 2, cyp = y + hgt / 2;
      Rgb s = Shade(stone, r.Range(0.82, 1.08));
      c.FillEllipse(cxp, cyp, step / 2 - 1, hgt / 2 - 0.5, Ball(s, cxp, cyp, step / 2, hgt / 2));
    }
    y += hgt;
    ++row;
  }
}

void Lamp(Canvas& c, int x, int ground) {
  Rgb iron{46, 48, 58};
  c.DarkenEllipse(x, ground, 14, 3, 0.7);
  c.FillRect(x - 5, ground - 8, 10, 8, Solid(iron));
  c.FillRect(x - 2, ground - 150, 4, 144, Cylinder(iron, x - 2, x + 2));
  c.FillPolygon({{x - 10.0, ground - 150.0}, {x + 10.0, ground - 150.0}, {x + 7.0, ground - 176.0}, {x - 7.0, ground - 176.0}},
                Solid(Rgb{255, 232, 160}));
  c.Frame(x - 8, ground - 176, 16, 26, iron);
  c.FillPolygon({{x - 12.0, ground - 176.0}, {x + 12.0, ground - 176.0}, {x + 0.0, ground - 188.0}}, Solid(iron));
}

// The bench without its shadow: also a picture of its own, laid over the
// street's to stand in front of Robin.
void BenchFrame(Canvas& c, int x, int ground, Rgb wood) {
  Rgb iron{50, 50, 60};
  c.FillRect(x + 6, ground - 24, 4, 24, Solid(iron));
  c.FillRect(x + 70, ground - 24, 4, 24, Solid(iron));
  for (int i = 0; i < 3; ++i) c.FillRect(x, ground - 48 + i * 7, 80, 5, Cylinder(wood, x, x + 80));  // back rest
  c.FillRect(x - 2, ground - 26, 84, 6, VGradient(Shade(wood, 1.2), Shade(wood, 0.8), ground - 26, ground - 20, 3));
}

void Bench(Canvas& c, int x, int ground, Rgb wood) {
  c.DarkenEllipse(x + 40, ground, 46, 5, 0.75);
  BenchFrame(c, x, ground, wood);
}

const Rgb kStreetBench{150, 96, 56};

Canvas Street() {
  Canvas c(kStreetW, 480);
  Sky(c, 260, Rgb{72, 118, 196}, Rgb{252, 214, 168});
  Cloud(c, 160, 60, 40, Rgb{252, 246, 240});
  Cloud(c, 520, 36, 30, Rgb{252, 246, 240});
  Cloud(c, 900, 80, 46, Rgb{252, 240, 232});
  Cloud(c, 1180, 44, 28, Rgb{252, 246, 240});
  Hills(c, 190, 30, 0.5, Rgb{150, 150, 196}, 260);
  Hills(c, 222, 24, 2.0, Rgb{110, 140, 140}, 260);
  // The row of houses; the shop sits in the middle.
  const struct {
    int x, w, top;
    Rgb wall, roof;
    bool brick;
  } kHouses[] = {{-20, 200, 130, Rgb{214, 180, 120}, Rgb{150, 66, 50}, false},
                 {180, 170, 104, Rgb{168, 84, 62}, Rgb{72, 78, 96}, true},
                 {350, 180, 142, Rgb{170, 196, 176}, Rgb{150, 66, 50}, false},
                 {810, 170, 118, Rgb{196, 186, 214}, Rgb{86, 70, 74}, false},
                 {980, 150, 96, Rgb{160, 92, 70}, Rgb{72, 78, 96}, true}};
  uint32_t seed = 7;
  for (const auto& h : kHouses) House(c, h.x, h.w, h.top, h.wall, h.roof, h.brick, seed % 3 == 1, seed), seed += 11;
  // Ground-floor windows and a closed door on the neighbours.
  for (const auto& h : kHouses) {
    Window(c, h.x + 22, 250, 40, 44, Rgb{226, 220, 206}, false);
    c.FillRect(h.x + h.w - 70, 256, 38, 74, Cylinder(Rgb{96, 60, 40}, h.x + h.w - 70, h.x + h.w - 32));
    c.Frame(h.x + h.w - 72, 254, 42, 76, Rgb{60, 40, 30});
    c.FillCircle(h.x + h.w - 38, 294, 2, Solid(Rgb{220, 190, 90}));
  }
  // The shop: cream front, big display window, striped awning, hanging sign.
  const int sx = 530, sw = 280, stop = 80;
  House(c, sx, sw, stop, Rgb{236, 222, 186}, Rgb{150, 66, 50}, false, true, 99);
  const int wx = 656;  // display window right of the door
  c.FillRect(wx, 206, 130, 94, Solid(Rgb{110, 70, 46}));
  c.FillRect(wx + 6, 212, 118, 82, VGradient(Rgb{255, 228, 160}, Rgb{200, 130, 70}, 212, 294, 5));
  for (int i = 0; i < 5; ++i) {  // loaves on display
    double lx = wx + 20 + i * 22, ly = 276;
    c.FillEllipse(lx, ly, 9, 6, Ball(Rgb{196, 130, 62}, lx, ly, 9, 6));
    c.Line(lx - 4, ly - 3, lx - 2, ly + 1, 1, Solid(Rgb{236, 190, 120}));
    c.Line(lx + 1, ly - 4, lx + 3, ly, 1, Solid(Rgb{236, 190, 120}));
  }
  for (int i = 0; i < 3; ++i) {  // cakes on the upper tray
    double lx = wx + 30 + i * 34, ly = 240;
    c.FillEllipse(lx, ly, 11, 7, Ball(Rgb{240, 200, 200}, lx, ly, 11, 7));
    c.FillCircle(lx, ly - 6, 2, Solid(Rgb{210, 40, 50}));
  }
  c.FillRect(wx + 6, 284, 118, 10, Solid(Rgb{140, 96, 60}));
  c.FillRect(wx + 2, 250, 126, 3, Solid(Rgb{110, 70, 46}));
  for (int i = 0; i < 12; ++i)  // awning stripes
    c.FillPolygon({{sx + 14.0 + i * 21.0, 176.0}, {sx + 35.0 + i * 21.0, 176.0}, {sx + 38.0 + i * 21.0, 198.0}, {sx + 11.0 + i * 21.0, 198.0}},
                  Solid(i % 2 ? Rgb{244, 240, 230} : Rgb{200, 52, 52}));
  for (int i = 0; i < 12; ++i) c.FillCircle(sx + 24.5 + i * 21, 198, 10.5, [&](int px, int py) {
      return py >= 198 ? (i % 2 ? Rgb{244, 240, 230} : Rgb{200, 52, 52}) : c.At(px, py);
    });
  c.DarkenRect(sx + 14, 208, sw - 28, 6, 0.8);
  // Doorway the door object covers: stone frame, dark inside, step.
  c.FillRect(kShopDoorX - 8, kShopDoorY - 8, 80, 120, Cylinder(Rgb{180, 170, 160}, kShopDoorX - 8, kShopDoorX + 72));
  // Seen through the open door: the warm shop, its floor and a shelf.
  c.FillRect(kShopDoorX, kShopDoorY, 64, 70, VGradient(Rgb{200, 160, 100}, Rgb{160, 118, 70}, kShopDoorY, kShopDoorY + 70, 4));
  c.FillRect(kShopDoorX, kShopDoorY + 70, 64, 42, VGradient(Rgb{120, 80, 50}, Rgb{150, 100, 60}, kShopDoorY + 70, kShopDoorY + 112, 4));
  c.FillRect(kShopDoorX + 20, kShopDoorY + 30, 44, 4, Solid(Rgb{110, 70, 44}));
  for (int i = 0; i < 3; ++i) c.FillRect(kShopDoorX + 26 + i * 12, kShopDoorY + 18, 8, 12, Solid(Rgb{220, 150, 60}));
  c.FillRect(kShopDoorX - 12, kKerb - 4, 88, 6, VGradient(Rgb{200, 194, 186}, Rgb{140, 134, 130}, kKerb - 4, kKerb + 2, 3));
  // Bakery board above the awning with a painted loaf between two ears of wheat.
  const int bx = 600, by = 153;
  c.FillRect(bx, by, 150, 22, Cylinder(Rgb{120, 80, 50}, bx, bx + 150));
  c.Frame(bx, by, 150, 22, Rgb{70, 44, 30});
  c.FillEllipse(bx + 75, by + 11, 20, 7, Ball(Rgb{214, 152, 70}, bx + 75, by + 11, 20, 7));
  for (int i = -1; i <= 1; ++i) c.Line(bx + 69 + i * 9, by + 7, bx + 73 + i * 9, by + 15, 1.2, Solid(Rgb{246, 210, 150}));
  for (int side = -1; side <= 1; side += 2) {
    double ex = bx + 75 + side * 44;
    c.Line(ex, by + 18, ex + side * 6, by + 4, 1, Solid(Rgb{230, 190, 90}));
    for (int k = 0; k < 4; ++k) c.FillEllipse(ex + side * (1.5 * k) , by + 15 - k * 3.2, 2.2, 1.4, Solid(Rgb{240, 200, 100}));
  }
  // The garden wall at the east end, with its gateway and a glimpse of green.
  c.FillRect(1130, 210, 150, kKerb - 210, Bricks(Rgb{150, 140, 130}, Rgb{190, 182, 172}));
  for (int i = 0; i < 6; ++i) Bush(c, 1140 + i * 28, 214, 16, Rgb{70, 130, 60});
  c.FillRect(kGateX, kGateY, 80, 96, VGradient(Rgb{120, 180, 100}, Rgb{80, 140, 70}, kGateY, kGateY + 96, 4));
  Tree(c, kGateX + 40, kGateY + 60, 22, Rgb{70, 140, 64}, 5);
  c.FillRect(kGateX - 14, kGateY - 26, 14, 122, Cylinder(Rgb{176, 168, 158}, kGateX - 14, kGateX));
  c.FillRect(kGateX + 80, kGateY - 26, 14, 122, Cylinder(Rgb{176, 168, 158}, kGateX + 80, kGateX + 94));
  c.FillCircle(kGateX - 7, kGateY - 30, 7, Ball(Rgb{190, 182, 172}, kGateX - 7, kGateY - 30, 7, 7));
  c.FillCircle(kGateX + 87, kGateY - 30, 7, Ball(Rgb{190, 182, 172}, kGateX + 87, kGateY - 30, 7, 7));
  // Pavement, kerb and cobbled road.
  c.FillRect(0, kKerb, kStreetW, kRoad - kKerb, VGradient(Rgb{176, 170, 164}, Rgb{150, 144, 140}, kKerb, kRoad, 4));
  for (int x = 0; x < kStreetW; x += 48) c.Line(x, kKerb, x - (x - 640) * 0.12, kRoad - 4, 1, Solid(Rgb{130, 124, 120}));
  c.FillRect(0, kKerb + 16, kStreetW, 1, Solid(Rgb{136, 130, 126}));
  c.FillRect(0, kRoad - 4, kStreetW, 4, Solid(Rgb{200, 196, 190}));
  c.FillRect(0, kRoad, kStreetW, 2, Solid(Rgb{90, 86, 84}));
  Cobbles(c, 0, kStreetW, kRoad + 2, 480, 640, 150, 3);
  // Street furniture.
  Lamp(c, 150, kKerb + 22);
  Lamp(c, 980, kKerb + 22);
  Bench(c, 400, kKerb + 18, kStreetBench);
  Tree(c, 60, kKerb + 14, 48, Rgb{84, 140, 66}, 11);
  // The menu lies over the lowest 80 rows: keep them calm.
  c.DarkenRect(0, 400, kStreetW, 80, 0.7);
  return c;
}

// Wooden floor planks that run away from the viewer towards (vx, vy).
void Planks(Canvas& c, int y0, int y1, double vx, double vy, Rgb wood) {
  c.FillRect(0, y0, c.width(), y1 - y0, [&](int x, int y) {
    double t = (y - vy) / (y0 - vy);
    double u = (x - vx) / t;  // position across the planks at the back wall's scale
    int plank = int(std::floor(u / 28));
    double along = 1.0 / t * 40;  // depth coordinate
    int joint = int(std::floor(along + plank * 3.7));
    Rgb base = Shade(wood, 0.88 + ((plank * 7 + 3) % 5) * 0.04);
    double frac = u / 28 - plank;
    if (frac < 0.03 * t + 0.02) return Shade(wood, 0.55);
    if (joint % 4 == 0 && along + plank * 3.7 - joint < 0.05 * t) return Shade(wood, 0.6);
    return base;
  });
}

Canvas Shop() {
  Canvas c(640, 480);
  const int floorY = 300;
  const double vx = 320, vy = 150;
  // Wallpaper with a stripe and small dots, then wood panelling.
  c.FillRect(0, 0, 640, floorY, [](int x, int y) {
    Rgb a{214, 196, 150}, b{198, 176, 132};
    Rgb w = (x / 16) % 2 ? a : b;
    if ((x % 16 == 8) && (y % 12 == 6)) w = Rgb{170, 110, 90};
    return w;
  });
  c.FillRect(0, 0, 640, 34, Cylinder(Rgb{96, 64, 44}, 0, 640));
  c.FillRect(0, 30, 640, 5, Solid(Rgb{70, 46, 32}));
  for (int x = 40; x < 640; x += 160) c.FillRect(x, 0, 24, 34, Solid(Rgb{80, 52, 36}));  // beams
  c.FillRect(0, 222, 640, floorY - 222, Solid(Rgb{120, 78, 50}));
  for (int x = 0; x < 640; x += 64) {
    c.FillRect(x + 6, 230, 52, 62, Solid(Rgb{132, 88, 58}));
    c.Frame(x + 6, 230, 52, 62, Rgb{96, 62, 40});
  }
  c.FillRect(0, 220, 640, 5, Solid(Rgb{90, 58, 38}));
  // Window on the street, with curtains.
  Window(c, 60, 76, 130, 110, Rgb{120, 80, 52}, false);
  c.FillRect(60, 150, 130, 36, Solid(Rgb{150, 110, 80}));  // the house across the street
  for (int i = 0; i < 2; ++i) {
    int cx = i ? 172 : 46;
    c.FillPolygon({{cx + 0.0, 60.0}, {cx + 32.0, 60.0}, {cx + 24.0 - i * 16, 200.0}, {cx + 4.0 + i * 4, 200.0}},
                  [](int x, int) { return (x / 4) % 2 ? Rgb{168, 48, 56} : Rgb{144, 38, 48}; });
  }
  c.FillRect(40, 56, 170, 6, Cylinder(Rgb{150, 120, 60}, 40, 210));
  // The way out: a doorway the door object covers, with the shop bell above it.
  c.FillRect(232, 180, 80, 120, Cylinder(Rgb{110, 72, 48}, 232, 312));
  // Seen through the open door: daylight, the house across, the pavement.
  c.FillRect(240, 188, 64, 40, VGradient(Rgb{120, 170, 230}, Rgb{230, 220, 200}, 188, 228, 4));
  c.FillRect(240, 204, 64, 70, Bricks(Rgb{168, 84, 62}, Rgb{200, 180, 160}));
  Window(c, 254, 222, 20, 26, Rgb{226, 220, 206}, false);
  c.FillRect(240, 274, 64, 26, VGradient(Rgb{176, 170, 164}, Rgb{140, 136, 132}, 274, 300, 3));
  c.Line(272, 164, 272, 172, 1, Solid(Rgb{60, 50, 40}));
  c.FillPolygon({{266.0, 178.0}, {278.0, 178.0}, {276.0, 170.0}, {268.0, 170.0}}, Ball(Rgb{220, 180, 70}, 270, 172, 6, 6));
  c.FillCircle(272, 180, 1.5, Solid(Rgb{120, 90, 40}));
  // Shelves with jars, bread and tins behind the counter.
  Rgb shelf{110, 70, 44};
  Rand r(21);
  for (int i = 0; i < 3; ++i) {
    int sy = 90 + i * 52;
    c.FillRect(360, sy, 250, 6, VGradient(Shade(shelf, 1.2), Shade(shelf, 0.8), sy, sy + 6, 3));
    c.DarkenRect(360, sy + 6, 250, 4, 0.8);
    for (int x = 370; x < 596;) {
      int kind = int(r.Next() % 3);
      if (kind == 0) {  // jar
        Rgb jar = Mix(Rgb{200, 90, 60}, Rgb{240, 190, 60}, r.Unit());
        c.FillRect(x, sy - 28, 18, 28, Ball(jar, x + 6, sy - 20, 12, 16));
        c.FillRect(x - 1, sy - 32, 20, 5, Solid(Rgb{230, 230, 220}));
        x += 26;
      } else if (kind == 1) {  // loaf
        c.FillEllipse(x + 14, sy - 9, 15, 9, Ball(Rgb{200, 136, 66}, x + 14, sy - 9, 15, 9));
        c.Line(x + 8, sy - 13, x + 11, sy - 6, 1.2, Solid(Rgb{240, 200, 140}));
        c.Line(x + 16, sy - 14, x + 19, sy - 7, 1.2, Solid(Rgb{240, 200, 140}));
        x += 34;
      } else {  // tin
        Rgb tin = Mix(Rgb{70, 110, 170}, Rgb{90, 160, 100}, r.Unit());
        c.FillRect(x, sy - 20, 16, 20, Cylinder(tin, x, x + 16));
        c.FillRect(x, sy - 14, 16, 6, Solid(Rgb{236, 226, 200}));
        x += 22;
      }
    }
  }
  // Counter: top seen from above, panelled front.
  c.FillPolygon({{340.0, 228.0}, {620.0, 228.0}, {628.0, 246.0}, {332.0, 246.0}},
                VGradient(Rgb{176, 120, 74}, Rgb{150, 98, 60}, 228, 246, 3));
  c.FillRect(336, 246, 288, 64, Cylinder(Rgb{128, 82, 50}, 336, 624));
  for (int x = 346; x < 610; x += 68) c.Frame(x, 254, 58, 48, Rgb{98, 62, 38});
  c.FillRect(332, 246, 296, 4, Solid(Rgb{90, 56, 34}));
  c.FillRect(540, 210, 40, 18, Cylinder(Rgb{150, 150, 160}, 540, 580));  // till
  c.FillRect(544, 200, 32, 10, Solid(Rgb{90, 90, 100}));
  // Floor, rug, barrel and a sack.
  Planks(c, floorY, 480, vx, vy, Rgb{156, 104, 62});
  c.DarkenRect(336, 310, 288, 8, 0.75);
  c.FillPolygon({{200.0, 340.0}, {440.0, 340.0}, {480.0, 400.0}, {160.0, 400.0}}, [](int x, int y) {
    bool border = y < 345 || y > 394 || std::abs((x - 320) * 60 / (y - 150 + 1)) > 72;
    return border ? Rgb{200, 160, 70} : ((x / 8 + y / 6) % 2 ? Rgb{150, 40, 46} : Rgb{132, 34, 42});
  });
  c.DarkenEllipse(64, 372, 40, 8, 0.7);
  c.FillRect(30, 296, 68, 76, Cylinder(Rgb{140, 92, 54}, 30, 98));
  c.FillEllipse(64, 296, 34, 8, Solid(Rgb{112, 72, 44}));
  for (int y : {306, 334, 362}) c.FillRect(30, y, 68, 4, Solid(Rgb{70, 70, 80}));
  c.FillEllipse(130, 356, 24, 18, Ball(Rgb{226, 214, 180}, 126, 350, 24, 18));
  c.FillEllipse(130, 336, 14, 6, Solid(Rgb{210, 196, 160}));
  // A hanging lamp and its warm glow.
  c.Line(320, 34, 320, 70, 1, Solid(Rgb{40, 36, 36}));
  c.FillPolygon({{304.0, 86.0}, {336.0, 86.0}, {326.0, 70.0}, {314.0, 70.0}}, Ball(Rgb{60, 110, 80}, 316, 74, 16, 10));
  c.FillEllipse(320, 88, 6, 3, Solid(Rgb{255, 244, 190}));
  c.FillEllipse(320, 200, 200, 130, [&](int x, int y) { return Bayer(x, y) < 0.35 ? Shade(c.At(x, y), 1.06) : c.At(x, y); });
  c.DarkenRect(0, 400, 640, 80, 0.7);
  return c;
}

void Flowers(Canvas& c, double cx, double cy, double rx, double ry, int count, uint32_t seed) {
  c.FillEllipse(cx, cy, rx, ry, Ball(Rgb{110, 76, 50}, cx, cy, rx, ry));
  Rand r(seed);
  const Rgb kPetals[] = {{230, 60, 70}, {250, 200, 60}, {240, 240, 250}, {200, 110, 220}, {250, 140, 60}};
  for (int i = 0; i < count; ++i) {
    double a = r.Range(0, 6.283), d = std::sqrt(r.Unit()) * 0.85;
    double x = cx + std::cos(a) * rx * d, y = cy + std::sin(a) * ry * d;
    c.Line(x, y, x, y - 7, 1, Solid(Rgb{60, 130, 50}));
    Rgb p = kPetals[r.Next() % 5];
    c.FillCircle(x, y - 8, 2.6, Solid(p));
    c.Put(int(x), int(y - 8), Rgb{250, 230, 120});
  }
}

Canvas Garden() {
  Canvas c(640, 480);
  const int wallTop = 170, lawnY = 262;
  Sky(c, lawnY, Rgb{90, 150, 220}, Rgb{220, 236, 240});
  Cloud(c, 120, 50, 36, Rgb{255, 255, 255});
  Cloud(c, 460, 80, 44, Rgb{250, 250, 252});
  Hills(c, 180, 26, 1.2, Rgb{140, 170, 200}, lawnY);
  Hills(c, 206, 20, 3.1, Rgb{110, 160, 120}, lawnY);
  // Old brick wall at the back with the gateway to the street on the left.
  c.FillRect(0, wallTop, 640, lawnY - wallTop, Bricks(Rgb{164, 96, 72}, Rgb{200, 180, 160}));
  c.FillRect(0, wallTop - 6, 640, 8, Cylinder(Rgb{180, 172, 160}, 0, 640));
  for (int i = 0; i < 12; ++i) Bush(c, 20 + i * 56, wallTop - 2, 18, Rgb{76, 132, 62});
  // The street beyond the gateway: a house front and the pavement.
  c.FillRect(40, 166, 80, 96, VGradient(Rgb{140, 180, 230}, Rgb{230, 220, 200}, 166, 206, 4));
  c.FillRect(40, 184, 80, 60, Plaster(Rgb{196, 186, 214}));
  Window(c, 58, 198, 18, 22, Rgb{236, 232, 220}, true);
  c.FillRect(92, 206, 18, 38, Solid(Rgb{96, 60, 40}));
  c.FillRect(40, 244, 80, 18, VGradient(Rgb{176, 170, 164}, Rgb{140, 136, 132}, 244, 262, 3));
  c.FillRect(26, 140, 14, 122, Cylinder(Rgb{176, 168, 158}, 26, 40));
  c.FillRect(120, 140, 14, 122, Cylinder(Rgb{176, 168, 158}, 120, 134));
  c.FillCircle(33, 136, 7, Ball(Rgb{190, 182, 172}, 33, 136, 7, 7));
  c.FillCircle(127, 136, 7, Ball(Rgb{190, 182, 172}, 127, 136, 7, 7));
  // Lawn with mowing stripes running towards the viewer.
  c.FillRect(0, lawnY, 640, 480 - lawnY, [&](int x, int y) {
    double t = (y - 150.0) / (lawnY - 150.0);
    int stripe = int(std::floor((x - 320) / t / 40));
    Rgb g = stripe % 2 ? Rgb{104, 170, 80} : Rgb{92, 156, 70};
    return Mix(Shade(g, 0.9), g, std::min(1.0, (y - lawnY) / 120.0));
  });
  // Gravel path from the gateway down to the front.
  c.FillPolygon({{48.0, 262.0}, {112.0, 262.0}, {380.0, 400.0}, {420.0, 480.0}, {240.0, 480.0}, {200.0, 400.0}},
                [](int x, int y) {
                  uint32_t h = (uint32_t(x) * 2654435761u) ^ (uint32_t(y) * 40503u);
                  return h % 7 == 0 ? Rgb{170, 156, 130} : h % 5 == 0 ? Rgb{220, 208, 180} : Rgb{200, 186, 156};
                });
  // Pond with lily pads on the right.
  c.FillEllipse(500, 330, 92, 30, Solid(Rgb{150, 140, 120}));
  c.FillEllipse(500, 330, 86, 26, VGradient(Rgb{60, 110, 150}, Rgb{100, 170, 200}, 304, 356, 5));
  c.FillEllipse(470, 322, 30, 4, Solid(Rgb{170, 210, 230}));
  for (int i = 0; i < 3; ++i) c.FillEllipse(460 + i * 34, 334 + (i % 2) * 8, 8, 3, Solid(Rgb{70, 140, 60}));
  // Trees, flower beds and a bench.
  Tree(c, 220, 268, 56, Rgb{76, 140, 60}, 13);
  Tree(c, 600, 272, 44, Rgb{96, 150, 60}, 17);
  Bench(c, 300, 276, Rgb{140, 90, 52});
  Flowers(c, 110, 350, 70, 20, 46, 31);
  Flowers(c, 590, 378, 44, 14, 30, 37);
  Bush(c, 380, 300, 22, Rgb{70, 130, 56});
  c.DarkenRect(0, 400, 640, 80, 0.7);
  return c;
}

// The menu panel: a bevelled wooden board with a recessed strip for the action
// sentence, wells for the eleven verb buttons and eight inventory slots.
Canvas Menu() {
  Canvas c(640, 80);
  c.FillRect(0, 0, 640, 80, [](int x, int y) {
    Rgb a{92, 62, 44};
    return ((y * 5 + (x / 40) * 17) % 23 == 0) ? Shade(a, 0.9) : a;
  });
  c.FillRect(0, 0, 640, 2, Solid(Rgb{150, 110, 80}));
  c.FillRect(0, 78, 640, 2, Solid(Rgb{40, 26, 20}));
  auto well = [&](int x, int y, int w, int h) {
    c.FillRect(x, y, w, h, Solid(Rgb{44, 30, 24}));
    c.FillRect(x, y + h - 1, w, 1, Solid(Rgb{140, 100, 70}));
    c.FillRect(x + w - 1, y, 1, h, Solid(Rgb{140, 100, 70}));
  };
  well(4, 3, 632, 17);  // sentence strip
  for (int row = 0; row < 3; ++row)
    for (int col = 0; col < 4; ++col) well(7 + col * 64, 21 + row * 19, 62, 19);
  for (int i = 0; i < 8; ++i) well(287 + i * 44, 29, 42, 42);
  return c;
}

}  // namespace

void DrawScenes(Pictures& out) {
  out.emplace_back("street.bmp", Street());
  out.emplace_back("shop.bmp", Shop());
  out.emplace_back("garden.bmp", Garden());
  Canvas bench(84, 48);
  BenchFrame(bench, 2, 48, kStreetBench);
  out.emplace_back("bench.bmp", bench);
  out.emplace_back("menu.bmp", Menu());
}
