// Synthesised sound effects and the title tune: oscillators, a fixed-seed
// noise source and envelopes, mixed in floating point and written as 16 bits.
#include <algorithm>
#include <cmath>

#include "demo-media/assets.h"

namespace {

constexpr double kTau = 6.283185307179586;

using Buffer = std::vector<double>;

struct Noise {
  uint32_t s;
  explicit Noise(uint32_t seed) : s(seed) {}
  double Next() { return s = s * 1664525u + 1013904223u, double(s >> 8) / double(1u << 23) - 1.0; }
};

int Samples(double seconds) { return int(seconds * kSampleRate); }

// Attack then exponential decay; t in seconds from the note's start.
double Envelope(double t, double attack, double decay) {
  if (t < attack) return t / attack;
  return std::exp(-(t - attack) / decay);
}

double Square(double phase) { return std::fmod(phase, 1.0) < 0.5 ? 1.0 : -1.0; }
double Triangle(double phase) {
  double f = std::fmod(phase, 1.0);
  return f < 0.5 ? 4 * f - 1 : 3 - 4 * f;
}

// Adds a tone whose frequency may glide from f0 to f1, with a waveform.
template <typename Wave>
void Tone(Buffer& b, double start, double length, double f0, double f1, double gain, double attack, double decay, Wave wave) {
  double phase = 0;
  int first = Samples(start), n = Samples(length);
  if (int(b.size()) < first + n) b.resize(size_t(first + n), 0.0);
  for (int i = 0; i < n; ++i) {
    double t = double(i) / kSampleRate;
    double f = f0 + (f1 - f0) * t / length;
    phase += f / kSampleRate;
    double fadeOut = std::min(1.0, (n - i) / 64.0);  // no click at the cut
    b[size_t(first + i)] += gain * Envelope(t, attack, decay) * fadeOut * wave(phase);
  }
}

double Sine(double phase) { return std::sin(kTau * phase); }

// Filtered noise burst: a one-pole low-pass with coefficient k (0..1, higher is brighter).
void NoiseBurst(Buffer& b, double start, double length, double gain, double decay, double k, uint32_t seed) {
  Noise noise(seed);
  int first = Samples(start), n = Samples(length);
  if (int(b.size()) < first + n) b.resize(size_t(first + n), 0.0);
  double y = 0;
  for (int i = 0; i < n; ++i) {
    y += k * (noise.Next() - y);
    b[size_t(first + i)] += gain * Envelope(double(i) / kSampleRate, 0.002, decay) * y * std::min(1.0, (n - i) / 64.0);
  }
}

std::vector<int16_t> ToPcm(const Buffer& b, double peak) {
  double top = 1e-9;
  for (double v : b) top = std::max(top, std::fabs(v));
  std::vector<int16_t> out(b.size());
  for (size_t i = 0; i < b.size(); ++i) out[i] = int16_t(std::lround(b[i] / top * peak * 32767.0));
  return out;
}

// A wooden door: a creak that wavers in pitch, then the thud of it closing.
Buffer Door() {
  Buffer b;
  double phase = 0;
  int n = Samples(0.55);
  b.resize(size_t(Samples(0.9)), 0.0);
  Noise jitter(91);
  for (int i = 0; i < n; ++i) {
    double t = double(i) / kSampleRate;
    double f = 180 + 140 * t + 30 * std::sin(kTau * 7 * t) + 12 * jitter.Next();
    phase += f / kSampleRate;
    double saw = 2 * std::fmod(phase, 1.0) - 1;
    double grit = std::fmod(phase, 1.0) < 0.08 ? 1.0 : 0.0;  // stick-slip pulses
    b[size_t(i)] += 0.35 * (0.5 * saw + grit) * std::sin(M_PI * t / 0.55);
  }
  Tone(b, 0.56, 0.34, 90, 50, 1.0, 0.002, 0.08, Sine);
  NoiseBurst(b, 0.56, 0.2, 0.6, 0.03, 0.15, 92);
  return b;
}

Buffer Pickup() {
  Buffer b;
  Tone(b, 0, 0.16, 420, 1260, 0.6, 0.003, 0.12, Square);
  Tone(b, 0.06, 0.12, 840, 1680, 0.3, 0.003, 0.06, Square);
  return b;
}

Buffer CoinDing() {
  Buffer b;
  for (int i = 0; i < 2; ++i) {
    double f = i ? 1318.5 : 987.8, start = i * 0.08, len = i ? 0.5 : 0.09;
    Tone(b, start, len, f, f, 0.6, 0.002, i ? 0.16 : 0.05, Sine);
    Tone(b, start, len, f * 2, f * 2, 0.2, 0.002, 0.05, Sine);
  }
  return b;
}

Buffer Step() {
  Buffer b;
  NoiseBurst(b, 0, 0.06, 0.7, 0.012, 0.35, 17);
  Tone(b, 0, 0.06, 140, 80, 0.6, 0.001, 0.015, Sine);
  return b;
}

// A small shop bell: inharmonic partials ringing out, struck twice.
Buffer Bell() {
  Buffer b;
  const double kPartials[][2] = {{1.0, 1.0}, {2.76, 0.5}, {5.40, 0.28}, {8.93, 0.14}};
  for (int strike = 0; strike < 2; ++strike)
    for (const auto& p : kPartials)
      Tone(b, strike * 0.18, 1.4 - strike * 0.18, 1560 * p[0], 1560 * p[0], p[1] * (strike ? 0.7 : 1.0), 0.001,
           0.4 / p[0], Sine);
  return b;
}

// Eight bars at 240 beats a minute in C major: a square-wave lead over a
// triangle bass, each bar one chord.
Buffer Tune() {
  Buffer b;
  const double beat = 0.25;
  auto hz = [](int midi) { return 440.0 * std::pow(2.0, (midi - 69) / 12.0); };
  // Melody: (midi note, beats); 0 is a rest.
  const int kMelody[][2] = {{72, 1}, {76, 1}, {79, 1}, {76, 1}, {77, 1}, {81, 1}, {79, 2},
                            {76, 1}, {79, 1}, {84, 1}, {79, 1}, {77, 1}, {74, 1}, {72, 2},
                            {72, 1}, {74, 1}, {76, 1}, {77, 1}, {79, 1}, {77, 1}, {76, 1}, {74, 1},
                            {72, 1}, {76, 1}, {74, 1}, {71, 1}, {72, 4}};
  double t = 0;
  for (const auto& n : kMelody) {
    if (n[0]) Tone(b, t, n[1] * beat, hz(n[0]), hz(n[0]), 0.28, 0.01, 0.35 * n[1], [](double p) {
        return 0.6 * Square(p) + 0.4 * Sine(p);
      });
    t += n[1] * beat;
  }
  const int kBass[] = {48, 53, 55, 48, 57, 53, 55, 48};  // C F G C Am F G C
  for (int bar = 0; bar < 8; ++bar)
    for (int q = 0; q < 4; ++q) {
      int note = kBass[bar] - (q % 2 ? 0 : 12) + 12;
      Tone(b, (bar * 4 + q) * beat, beat, hz(note), hz(note), 0.5, 0.005, 0.25, Triangle);
    }
  for (int q = 0; q < 32; ++q) NoiseBurst(b, q * beat + beat / 2, 0.05, 0.08, 0.01, 0.9, 300 + q);  // hi-hat
  return b;
}

}  // namespace

void MakeSounds(Sounds& out) {
  out.emplace_back("door.wav", ToPcm(Door(), 0.8));
  out.emplace_back("pickup.wav", ToPcm(Pickup(), 0.6));
  out.emplace_back("coin.wav", ToPcm(CoinDing(), 0.7));
  out.emplace_back("step.wav", ToPcm(Step(), 0.5));
  out.emplace_back("bell.wav", ToPcm(Bell(), 0.7));
  out.emplace_back("tune.wav", ToPcm(Tune(), 0.7));
}
