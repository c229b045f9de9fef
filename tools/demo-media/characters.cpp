// The hero and the shopkeeper. Every frame is 32 x 64 with the feet resting
// on row 62 around column 16, so scripts can use one hotspot for all strips.
#include <cmath>

#include "demo-media/assets.h"

namespace {

constexpr int kW = 32, kH = 64;
constexpr Rgb kInk{34, 24, 30};

// The hero: red jacket, jeans, brown hair and boots.
constexpr Rgb kSkin{238, 188, 150}, kHair{128, 78, 36}, kJacket{196, 64, 44}, kShirt{236, 232, 214},
    kJeans{64, 88, 150}, kBoot{86, 52, 30}, kEye{40, 30, 40}, kLip{176, 92, 84};

enum class Facing { Down, Up, Right };

struct Pose {
  Facing facing = Facing::Down;
  int bob = 0;               // upper body raised (negative) on passing steps
  double nearStep = 0;       // side view: feet forward of the hip (pixels)
  double farStep = 0;
  int nearLift = 0, farLift = 0;  // lifted foot, pixels above the floor
  double armSwing = 0;       // side view: near hand forward; front views: arm length change
  bool blink = false;
  int breath = 0;            // shoulders raised while breathing in
};

void Boot(Canvas& f, double x, int lift, bool pointRight, Rgb colour) {
  int top = 58 - lift;
  if (pointRight)
    f.FillPolygon({{x - 3, double(top)}, {x + 2, double(top)}, {x + 5, top + 2.5}, {x + 5, top + 5.0}, {x - 3, top + 5.0}},
                  Solid(colour));
  else
    f.FillRect(int(x) - 3, top, 6, 5, Ball(colour, x, top, 3, 5));
  f.FillRect(int(x) - 3, top + 4, pointRight ? 8 : 6, 1, Solid(Shade(colour, 0.6)));  // sole
}

void FrontHead(Canvas& f, int b, bool back, bool blink) {
  const double cy = 12.5 + b;
  f.FillEllipse(9.5, cy + 1, 1.6, 2.2, Solid(Shade(kSkin, 0.85)));  // ears
  f.FillEllipse(22.5, cy + 1, 1.6, 2.2, Solid(Shade(kSkin, 0.85)));
  if (back) {
    f.FillEllipse(16, cy - 0.5, 7, 7.5, Ball(kHair, 14, cy - 3, 7, 7.5));
    f.FillRect(11, int(cy) + 4, 10, 3, Solid(Shade(kHair, 0.8)));
    return;
  }
  f.FillEllipse(16, cy - 1.5, 7, 6.5, Ball(kHair, 14, cy - 4, 7, 6.5));
  f.FillEllipse(16, cy + 1, 6, 6, Ball(kSkin, 14.5, cy - 1, 6, 6));
  // Fringe falling over the forehead.
  f.FillPolygon({{9.5, cy - 4}, {22.5, cy - 4}, {22.5, cy - 1}, {20, cy - 2.5}, {17.5, cy - 1.2}, {15, cy - 2.4},
                 {12, cy - 1}, {9.5, cy}},
                Solid(kHair));
  int ey = int(cy) + 1;
  if (blink) {
    f.FillRect(12, ey + 1, 3, 1, Solid(Shade(kSkin, 0.6)));
    f.FillRect(18, ey + 1, 3, 1, Solid(Shade(kSkin, 0.6)));
  } else {
    f.FillRect(13, ey, 2, 2, Solid(kEye));
    f.FillRect(18, ey, 2, 2, Solid(kEye));
    f.Put(13, ey, Rgb{250, 250, 250});
    f.Put(18, ey, Rgb{250, 250, 250});
  }
  f.Put(16, ey + 2, Shade(kSkin, 0.78));  // nose
  f.FillRect(15, ey + 4, 3, 1, Solid(kLip));
}

void SideHead(Canvas& f, int b, bool blink) {
  const double cy = 12.5 + b;
  f.FillEllipse(15, cy - 1, 7, 6.8, Ball(kHair, 13, cy - 4, 7, 6.8));
  f.FillEllipse(17.5, cy + 1.2, 5, 5.6, Ball(kSkin, 17, cy, 5, 5.6));
  f.FillPolygon({{21.5, cy - 0.5}, {24, cy + 2.5}, {21.5, cy + 3}}, Solid(kSkin));  // nose
  f.FillPolygon({{11, cy - 5}, {22.5, cy - 4}, {21, cy - 1.5}, {17, cy - 2.5}, {14, cy}}, Solid(kHair));
  f.FillEllipse(14.5, cy + 1.5, 1.5, 2, Solid(Shade(kSkin, 0.82)));  // ear
  int ey = int(cy) + 1;
  if (blink)
    f.FillRect(19, ey + 1, 2, 1, Solid(Shade(kSkin, 0.6)));
  else
    f.FillRect(20, ey, 1, 2, Solid(kEye));
  f.FillRect(20, ey + 4, 2, 1, Solid(kLip));
}

void FrontBody(Canvas& f, const Pose& p) {
  const int b = p.bob, s = p.breath;
  const bool back = p.facing == Facing::Up;
  // Legs and boots first, the jacket hem overlaps them.
  f.FillRect(11, 40, 5, 18 - p.nearLift, Cylinder(kJeans, 11, 16));
  f.FillRect(17, 40, 5, 18 - p.farLift, Cylinder(kJeans, 17, 22));
  Boot(f, 13.5, p.nearLift, false, kBoot);
  Boot(f, 19.5, p.farLift, false, kBoot);
  // Arms behind the torso's edge.
  double armL = 37 + b + p.armSwing, armR = 37 + b - p.armSwing;
  f.Line(7.5, 24 + b - s, 7.5, armL, 4, Cylinder(Shade(kJacket, 0.9), 5.5, 9.5));
  f.Line(24.5, 24 + b - s, 24.5, armR, 4, Cylinder(Shade(kJacket, 0.9), 22.5, 26.5));
  f.FillCircle(7.5, armL + 2, 2, Solid(kSkin));
  f.FillCircle(24.5, armR + 2, 2, Solid(kSkin));
  f.FillRect(14, 18 + b, 5, 4, Solid(Shade(kSkin, 0.8)));  // neck
  f.FillPolygon({{9, 24.0 + b - s}, {12, 21.0 + b - s}, {20, 21.0 + b - s}, {23, 24.0 + b - s}, {23, 42.0 + b},
                 {9, 42.0 + b}},
                Cylinder(kJacket, 9, 23));
  if (!back) {
    f.FillPolygon({{13.5, 21.0 + b - s}, {18.5, 21.0 + b - s}, {16, 27.0 + b}}, Solid(kShirt));
    f.FillRect(16, 27 + b, 1, 15, Solid(Shade(kJacket, 0.7)));  // zip
    f.FillRect(11, 34 + b, 3, 2, Solid(Shade(kJacket, 0.75)));  // pockets
    f.FillRect(19, 34 + b, 3, 2, Solid(Shade(kJacket, 0.75)));
  } else {
    f.FillRect(10, 22 + b - s, 12, 2, Solid(Shade(kJacket, 0.85)));  // collar
    f.FillRect(16, 26 + b, 1, 14, Solid(Shade(kJacket, 0.8)));       // back seam
  }
  f.FillRect(9, 40 + b, 14, 2, Solid(Shade(kJacket, 0.7)));  // hem
  FrontHead(f, b - s, back, p.blink);
}

void SideBody(Canvas& f, const Pose& p) {
  const int b = p.bob, s = p.breath;
  auto leg = [&](double step, int lift, double shade) {
    Rgb jeans = Shade(kJeans, shade);
    f.Line(16, 41 + b, 16 + step, 57 - lift, 5, Cylinder(jeans, 13.5 + step / 2, 18.5 + step / 2));
    Boot(f, 16 + step, lift, true, Shade(kBoot, shade));
  };
  auto arm = [&](double swing, double shade) {
    Rgb sleeve = Shade(kJacket, shade);
    // A dark seam keeps the sleeve readable against the jacket behind it.
    f.Line(16, 24 + b - s, 16 + swing, 37 + b, 5, Solid(Shade(sleeve, 0.55)));
    f.Line(16, 24 + b - s, 16 + swing, 37 + b, 3, Cylinder(sleeve, 14.5 + swing / 2, 17.5 + swing / 2));
    f.FillCircle(16 + swing, 39 + b, 2, Solid(Shade(kSkin, shade)));
  };
  leg(p.farStep, p.farLift, 0.72);
  arm(-p.armSwing, 0.7);
  f.FillRect(14, 18 + b, 5, 4, Solid(Shade(kSkin, 0.8)));
  f.FillPolygon({{12, 23.0 + b - s}, {14, 21.0 + b - s}, {19, 21.0 + b - s}, {21, 24.0 + b}, {21.5, 31.0 + b},
                 {20.5, 42.0 + b}, {12, 42.0 + b}, {11, 31.0 + b}},
                Cylinder(kJacket, 11, 21.5));
  f.FillRect(19, 22 + b - s, 2, 3, Solid(kShirt));  // collar at the front
  f.FillRect(12, 40 + b, 9, 2, Solid(Shade(kJacket, 0.7)));
  leg(p.nearStep, p.nearLift, 1.0);
  arm(p.armSwing, 1.0);
  SideHead(f, b - s, p.blink);
}

void DrawHero(Canvas& f, const Pose& p) {
  if (p.facing == Facing::Right)
    SideBody(f, p);
  else
    FrontBody(f, p);
  f.Outline(0, 0, kW, kH, kInk);
}

// Walk cycle: contact, passing, contact with the other foot, passing.
Pose WalkPose(Facing facing, int frame) {
  Pose p;
  p.facing = facing;
  p.bob = frame % 2 ? -1 : 0;
  if (facing == Facing::Right) {
    static const double kNear[4] = {5, 0, -5, 0}, kFar[4] = {-5, 0, 5, 0};
    static const int kNearLift[4] = {0, 0, 0, 3}, kFarLift[4] = {0, 3, 0, 0};
    p.nearStep = kNear[frame];
    p.farStep = kFar[frame];
    p.nearLift = kNearLift[frame];
    p.farLift = kFarLift[frame];
    p.armSwing = -kNear[frame] * 0.8;
  } else {
    static const int kLiftL[4] = {0, 3, 0, 0}, kLiftR[4] = {0, 0, 0, 3};
    static const double kArm[4] = {1.5, 0, -1.5, 0};
    p.nearLift = kLiftL[frame];
    p.farLift = kLiftR[frame];
    p.armSwing = kArm[frame];
  }
  return p;
}

// Idle: frame 0 at rest, frame 1 breathing in with a blink.
Pose IdlePose(Facing facing, int frame) {
  Pose p;
  p.facing = facing;
  p.blink = frame == 1;
  p.breath = frame == 1 ? 1 : 0;
  return p;
}

Canvas HeroStrip(Facing facing, bool mirror, bool walking) {
  int frames = walking ? 4 : 2;
  Canvas strip = Strip(kW, kH, frames, [&](Canvas& f, int i) {
    DrawHero(f, walking ? WalkPose(facing, i) : IdlePose(facing, i));
    if (mirror) f.MirrorX(0, 0, kW, kH);
  });
  return strip;
}

// The shopkeeper: stout, bald with grey side hair and moustache, green
// shirt under a cream apron.
constexpr Rgb kKeeperSkin{226, 170, 132}, kGrey{206, 206, 214}, kShirtGreen{72, 128, 84}, kApron{238, 230, 206},
    kTrousers{96, 72, 54}, kShoe{44, 36, 40};

void DrawKeeper(Canvas& f, bool blink, bool mouthOpen, int breath, int gesture) {
  const int s = breath;
  f.FillRect(11, 46, 5, 13, Cylinder(kTrousers, 11, 16));
  f.FillRect(17, 46, 5, 13, Cylinder(kTrousers, 17, 22));
  f.FillRect(9, 58, 7, 5, Ball(kShoe, 12, 58, 4, 5));
  f.FillRect(17, 58, 7, 5, Ball(kShoe, 20, 58, 4, 5));
  // Sleeves and forearms; the right hand rises while talking.
  f.Line(6, 25 - s, 5, 36, 5, Cylinder(kShirtGreen, 3, 8));
  f.Line(5, 36, 6, 43, 4, Solid(kKeeperSkin));
  f.FillCircle(6, 44, 2.3, Solid(kKeeperSkin));
  double handY = 43 - gesture * 7, handX = 27 + gesture * 1.5;
  f.Line(26, 25 - s, 27, 36 - gesture * 4, 5, Cylinder(kShirtGreen, 24, 29));
  f.Line(27, 36 - gesture * 4, handX, handY, 4, Solid(kKeeperSkin));
  f.FillCircle(handX, handY + 1, 2.3, Solid(kKeeperSkin));
  // Round body and apron.
  f.FillEllipse(16, 36, 10.5, 13, Ball(kShirtGreen, 13, 30, 10.5, 13));
  f.FillRect(7, 22 - s, 18, 8, Cylinder(kShirtGreen, 7, 25));
  f.FillPolygon({{11, 28.0 - s}, {21, 28.0 - s}, {23, 40}, {22.5, 50}, {9.5, 50}, {9, 40}}, Cylinder(kApron, 9, 23));
  f.Line(11.5, 28 - s, 13.5, 21 - s, 1.2, Solid(Shade(kApron, 0.85)));  // straps
  f.Line(20.5, 28 - s, 18.5, 21 - s, 1.2, Solid(Shade(kApron, 0.85)));
  f.FillRect(13, 38, 6, 4, Solid(Shade(kApron, 0.86)));  // pocket
  f.FillRect(9, 35, 15, 1, Solid(Shade(kApron, 0.8)));  // apron string
  // Head: bald crown with a shine, grey tufts over the ears, moustache.
  const double cy = 13 - s;
  f.FillRect(14, 18 - s, 5, 4, Solid(Shade(kKeeperSkin, 0.8)));
  f.FillEllipse(16, cy, 7, 7.5, Ball(kKeeperSkin, 14, cy - 2, 7, 7.5));
  f.FillRect(13, int(cy) - 5, 2, 1, Solid(Shade(kKeeperSkin, 1.25)));
  f.FillEllipse(9.5, cy + 1, 2.2, 3, Solid(kGrey));
  f.FillEllipse(22.5, cy + 1, 2.2, 3, Solid(kGrey));
  int ey = int(cy);
  f.FillRect(12, ey - 2, 3, 1, Solid(Shade(kGrey, 0.8)));  // eyebrows
  f.FillRect(18, ey - 2, 3, 1, Solid(Shade(kGrey, 0.8)));
  if (blink) {
    f.FillRect(12, ey, 3, 1, Solid(Shade(kKeeperSkin, 0.6)));
    f.FillRect(18, ey, 3, 1, Solid(Shade(kKeeperSkin, 0.6)));
  } else {
    f.FillRect(13, ey - 1, 2, 2, Solid(kEye));
    f.FillRect(18, ey - 1, 2, 2, Solid(kEye));
  }
  f.FillEllipse(16.5, ey + 2.5, 1.4, 1.6, Solid(Shade(kKeeperSkin, 0.8)));  // nose
  f.FillPolygon({{11.5, ey + 5.5}, {16.5, ey + 3.5}, {21.5, ey + 5.5}, {19.5, ey + 6.0}, {16.5, ey + 5.0},
                 {13.5, ey + 6.0}},
                Solid(kGrey));
  if (mouthOpen)
    f.FillEllipse(16.5, ey + 7, 1.6, 1.5, Solid(Rgb{110, 30, 40}));
  else
    f.FillRect(15, ey + 7, 3, 1, Solid(Shade(kKeeperSkin, 0.55)));
  f.Outline(0, 0, kW, kH, kInk);
}

}  // namespace

void DrawCharacters(Pictures& out) {
  const struct {
    const char* dir;
    Facing facing;
    bool mirror;
  } kDirs[] = {{"left", Facing::Right, true},
               {"right", Facing::Right, false},
               {"up", Facing::Up, false},
               {"down", Facing::Down, false}};
  for (const auto& d : kDirs) out.emplace_back(std::string("hero_walk_") + d.dir + ".bmp", HeroStrip(d.facing, d.mirror, true));
  for (const auto& d : kDirs) out.emplace_back(std::string("hero_idle_") + d.dir + ".bmp", HeroStrip(d.facing, d.mirror, false));
  out.emplace_back("keeper_idle.bmp", Strip(kW, kH, 2, [](Canvas& f, int i) { DrawKeeper(f, i == 1, false, i, 0); }));
  out.emplace_back("keeper_talk.bmp", Strip(kW, kH, 2, [](Canvas& f, int i) { DrawKeeper(f, false, i == 1, 0, i); }));
}
