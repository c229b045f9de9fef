// Verb buttons, the pointer and the window icon. Buttons carry pictograms
// instead of words, since button images cannot hold translated text.
#include <algorithm>
#include <cmath>

#include "demo-media/assets.h"

namespace {

constexpr int kBtnW = 60, kBtnH = 18;
constexpr Rgb kBlack{16, 14, 22};

struct Look {
  Rgb panel, ink, border;
};
// Frame 0 at rest, frame 1 lit under the pointer or as the current verb.
const Look kLooks[2] = {{{58, 64, 92}, {206, 198, 180}, {22, 20, 32}}, {{96, 110, 160}, {255, 246, 196}, {250, 206, 84}}};

using Pictogram = void (*)(Canvas&, Rgb ink, Rgb panel);

void Arrow(Canvas& c, double x0, double x1, double y, Rgb ink) {
  double dir = x1 > x0 ? 1 : -1;
  c.Line(x0, y, x1 - dir * 3, y, 2, Solid(ink));
  c.FillPolygon({{x1 - dir * 5, y - 4}, {x1 + dir * 0.5, y}, {x1 - dir * 5, y + 4}}, Solid(ink));
}

void Box(Canvas& c, int x, int y, int s, Rgb ink, Rgb panel) {
  c.FillRect(x, y, s, s, Solid(ink));
  c.Line(x + 1.5, y + 1.5, x + s - 1.5, y + s - 1.5, 1, Solid(Mix(ink, panel, 0.5)));
  c.Line(x + s - 1.5, y + 1.5, x + 1.5, y + s - 1.5, 1, Solid(Mix(ink, panel, 0.5)));
}

// A flat hand seen from the side, fingers pointing right (or left).
void Hand(Canvas& c, double x, double y, bool right, Rgb ink) {
  double d = right ? 1 : -1;
  c.FillRect(int(x - (right ? 5 : 0)), int(y - 3), 6, 7, Solid(ink));
  for (int i = 0; i < 4; ++i) c.Line(x, y - 3 + i * 2, x + d * (4 + (i == 1 || i == 2)), y - 3 + i * 2, 1.4, Solid(ink));
  c.Line(x - d * 2, y - 3, x + d * 1, y - 6, 1.6, Solid(ink));  // thumb
  c.FillRect(int(x - (right ? 9 : -4)), int(y - 2), 5, 5, Solid(ink));  // cuff
}

void Walk(Canvas& c, Rgb ink, Rgb) {
  for (int i = 0; i < 2; ++i) {
    double x = 24 + i * 11, y = i ? 1.5 : 3.5;
    c.FillEllipse(x, y + 4.5, 3.6, 4.3, Solid(ink));  // ball of the foot
    c.FillEllipse(x + (i ? 0.8 : -0.8), y + 10.8, 2.6, 2.4, Solid(ink));  // heel
    c.FillEllipse(x + (i ? 0.5 : -0.5), y + 8.2, 1.6, 1.5, Solid(ink));
  }
}

void Talk(Canvas& c, Rgb ink, Rgb panel) {
  c.FillEllipse(31, 7.5, 11, 5.5, Solid(ink));
  c.FillPolygon({{24, 10}, {29, 12}, {21, 16.5}}, Solid(ink));
  for (int i = -1; i <= 1; ++i) c.FillCircle(31 + i * 5, 7.5, 1.3, Solid(panel));
}

void Take(Canvas& c, Rgb ink, Rgb panel) {
  Hand(c, 24, 6, true, ink);
  c.FillCircle(35, 13, 3, Solid(ink));
  c.Line(40, 14, 40, 6, 2, Solid(ink));
  c.FillPolygon({{36.5, 7}, {40, 2}, {43.5, 7}}, Solid(ink));
}

void Give(Canvas& c, Rgb ink, Rgb panel) {
  Hand(c, 22, 10, true, ink);
  Arrow(c, 29, 38, 9, ink);
  c.FillCircle(42, 9, 3.2, Solid(ink));
  c.FillCircle(42, 9, 1.4, Solid(panel));
}

void Use(Canvas& c, Rgb ink, Rgb panel) {
  for (int i = 0; i < 8; ++i) {
    double a = i * M_PI / 4;
    c.Line(30 + std::cos(a) * 4, 9 + std::sin(a) * 4, 30 + std::cos(a) * 7, 9 + std::sin(a) * 7, 2.6, Solid(ink));
  }
  c.FillCircle(30, 9, 5.2, Solid(ink));
  c.FillCircle(30, 9, 2, Solid(panel));
}

void Open(Canvas& c, Rgb ink, Rgb panel) {
  c.Frame(29, 2, 12, 15, ink);
  c.Frame(30, 3, 10, 13, ink);
  c.FillPolygon({{29, 2}, {21, 5}, {21, 17}, {29, 17}}, Solid(ink));
  c.FillCircle(23.5, 11, 1, Solid(panel));
}

void Close(Canvas& c, Rgb ink, Rgb panel) {
  c.FillRect(24, 2, 12, 15, Solid(ink));
  c.Frame(25, 3, 10, 13, panel);
  c.FillCircle(32.5, 10, 1, Solid(panel));
  c.FillRect(38, 8, 4, 3, Solid(ink));  // bolt shot home
}

void Push(Canvas& c, Rgb ink, Rgb panel) {
  Arrow(c, 20, 33, 9, ink);
  Box(c, 34, 3, 12, ink, panel);
}

void Pull(Canvas& c, Rgb ink, Rgb panel) {
  Box(c, 14, 3, 12, ink, panel);
  c.Line(26, 9, 30, 9, 1, Solid(ink));  // rope
  Arrow(c, 30, 44, 9, ink);
}

void LookAt(Canvas& c, Rgb ink, Rgb panel) {
  c.FillPolygon({{19, 9}, {25, 4}, {35, 4}, {41, 9}, {35, 14}, {25, 14}}, Solid(ink));
  c.FillCircle(30, 9, 4, Solid(panel));
  c.FillCircle(30, 9, 2.2, Solid(ink));
  c.Put(29, 8, panel);
}

void Smell(Canvas& c, Rgb ink, Rgb panel) {
  // A face in profile looking left, the nose standing out.
  c.FillPolygon({{37, 2}, {43, 2}, {43, 16}, {36, 16}, {35.5, 14}, {30, 13}, {30.5, 11}, {35, 3.5}}, Solid(ink));
  c.FillRect(34, 12, 2, 1, Solid(panel));  // nostril
  for (int k = 0; k < 3; ++k)  // wafting scent
    for (int x = 16; x < 28; ++x) c.Put(x, int(std::lround(4 + k * 4.5 + std::sin(x * 0.9) * 1.2)), ink);
}

Canvas Button(Pictogram draw) {
  return Strip(kBtnW, kBtnH, 2, [draw](Canvas& f, int lit) {
    const Look& l = kLooks[lit];
    f.FillRect(0, 0, kBtnW, kBtnH, VGradient(Shade(l.panel, 1.15), Shade(l.panel, 0.85), 0, kBtnH, 4));
    f.FillRect(1, 1, kBtnW - 2, 1, Solid(Shade(l.panel, 1.35)));  // bevel
    f.FillRect(1, 1, 1, kBtnH - 2, Solid(Shade(l.panel, 1.35)));
    f.FillRect(1, kBtnH - 2, kBtnW - 2, 1, Solid(Shade(l.panel, 0.6)));
    f.FillRect(kBtnW - 2, 1, 1, kBtnH - 2, Solid(Shade(l.panel, 0.6)));
    f.Frame(0, 0, kBtnW, kBtnH, l.border);
    // The pictogram with a drop shadow.
    Canvas shadow(kBtnW, kBtnH);
    draw(shadow, kBlack, l.panel);
    for (int y = 0; y < kBtnH - 3; ++y)
      for (int x = 0; x < kBtnW - 3; ++x)
        if (shadow.Opaque(x, y) && shadow.At(x, y) == kBlack) f.Put(x + 1, y + 1, Shade(l.panel, 0.55));
    Canvas picto(kBtnW, kBtnH);
    draw(picto, l.ink, l.panel);
    f.Blit(picto, 0, 0);
  });
}

Canvas Cursor() {
  Canvas c(16, 16);
  c.FillPolygon({{1, 1.5}, {1, 12.5}, {3.8, 10}, {6.2, 14.8}, {8, 14}, {5.8, 9.3}, {9.6, 9.3}}, Solid(Rgb{250, 250, 250}));
  c.Outline(0, 0, 16, 16, kBlack);
  c.Put(0, 0, kBlack);  // the pointer itself is the top-left pixel
  return c;
}

// The window icon: a quill over a deep blue tile with rounded corners.
Canvas Icon() {
  Canvas c(32, 32);
  const double r = 6;
  c.FillRect(0, 0, 32, 32, [](int x, int y) { return Mix(Rgb{40, 70, 150}, Rgb{20, 30, 80}, (x + y) / 62.0); });
  for (int y = 0; y < 32; ++y)  // the corners stay transparent
    for (int x = 0; x < 32; ++x) {
      double cx = std::clamp(x + 0.5, r, 32 - r), cy = std::clamp(y + 0.5, r, 32 - r);
      if ((x + 0.5 - cx) * (x + 0.5 - cx) + (y + 0.5 - cy) * (y + 0.5 - cy) > r * r) c.Clear(x, y);
    }
  c.FillPolygon({{27, 3}, {22, 4}, {14, 12}, {9, 21}, {8, 24}, {12, 22}, {20, 15}, {26, 8}}, Solid(Rgb{246, 240, 226}));
  c.FillPolygon({{27, 3}, {26, 8}, {20, 15}, {12, 22}, {15, 15}}, Solid(Rgb{206, 196, 180}));
  c.Line(27, 3, 6, 26, 1.2, Solid(Rgb{120, 100, 80}));
  c.Line(8, 24, 5, 28, 1.6, Solid(Rgb{30, 26, 30}));  // nib
  c.FillEllipse(9, 28.5, 4, 1.4, Solid(Rgb{10, 20, 60}));  // ink line
  return c;
}

}  // namespace

void DrawInterface(Pictures& out) {
  const struct {
    const char* name;
    Pictogram draw;
  } kButtons[] = {{"btn_walk.bmp", Walk}, {"btn_talk.bmp", Talk},   {"btn_take.bmp", Take},   {"btn_give.bmp", Give},
                  {"btn_use.bmp", Use},   {"btn_open.bmp", Open},   {"btn_close.bmp", Close}, {"btn_push.bmp", Push},
                  {"btn_pull.bmp", Pull}, {"btn_look.bmp", LookAt}, {"btn_smell.bmp", Smell}};
  for (const auto& b : kButtons) out.emplace_back(b.name, Button(b.draw));
  out.emplace_back("cursor.bmp", Cursor());
  out.emplace_back("icon1.bmp", Icon());
  // Wholly transparent: with OverrideColorKey it makes places in a background clickable.
  out.emplace_back("zone.bmp", Canvas(256, 160));
}
