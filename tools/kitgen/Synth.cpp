#include "Synth.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace tond::kitgen {

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kTwoPi = 2 * kPi;

std::size_t Frames(double seconds) {
  return static_cast<std::size_t>(seconds * kSampleRate);
}
double Time(std::size_t i) {
  return static_cast<double>(i) / kSampleRate;
}

// A short rise that keeps the very first frames from clicking.
double Attack(double t, double seconds) {
  return t >= seconds ? 1.0 : t / seconds;
}

}  // namespace

double NoteFrequency(int note) {
  return 440.0 * std::pow(2.0, (note - 69) / 12.0);
}

double Noise::Next() {
  state_ ^= state_ << 13;
  state_ ^= state_ >> 17;
  state_ ^= state_ << 5;
  return static_cast<double>(state_) / 2147483648.0 - 1.0;
}

Biquad Biquad::Make(double hz, double q, int kind) {
  double w = kTwoPi * hz / kSampleRate;
  double alpha = std::sin(w) / (2 * q), c = std::cos(w);
  double b0 = alpha, b1 = 0, b2 = -alpha;  // band pass with a 0 dB peak
  if (kind == kLow) b0 = b2 = (1 - c) / 2, b1 = 1 - c;
  if (kind == kHigh) b0 = b2 = (1 + c) / 2, b1 = -(1 + c);
  double a0 = 1 + alpha;
  Biquad f;
  f.b0_ = b0 / a0, f.b1_ = b1 / a0, f.b2_ = b2 / a0;
  f.a1_ = -2 * c / a0, f.a2_ = (1 - alpha) / a0;
  return f;
}

Biquad Biquad::LowPass(double hz, double q) {
  return Make(hz, q, kLow);
}
Biquad Biquad::HighPass(double hz, double q) {
  return Make(hz, q, kHigh);
}
Biquad Biquad::BandPass(double hz, double q) {
  return Make(hz, q, kBand);
}

double Biquad::Run(double x) {
  double y = b0_ * x + b1_ * x1_ + b2_ * x2_ - a1_ * y1_ - a2_ * y2_;
  x2_ = x1_, x1_ = x, y2_ = y1_, y1_ = y;
  return y;
}

Samples PitchedDrum(const DrumTone& tone, std::uint32_t seed) {
  Samples out(Frames(tone.seconds));
  Noise noise(seed);
  double phase = 0;
  for (std::size_t i = 0; i < out.size(); ++i) {
    double t = Time(i);
    double hz = tone.endHz + (tone.startHz - tone.endHz) * std::exp(-t / tone.sweep);
    phase += kTwoPi * hz / kSampleRate;
    double s = std::sin(phase) * std::exp(-t / tone.decay);
    if (tone.drive > 0) s = std::tanh(s * (1 + tone.drive)) / std::tanh(1 + tone.drive);
    s += 0.3 * noise.Next() * std::exp(-t / 0.002);  // the beater's click
    out[i] = static_cast<float>(s * Attack(t, 0.0005));
  }
  return out;
}

Samples Snare(double toneHz, double noiseDecay, double seconds, std::uint32_t seed) {
  Samples out(Frames(seconds));
  Noise noise(seed);
  Biquad high = Biquad::HighPass(1500, 0.7), body = Biquad::LowPass(9000, 0.7);
  for (std::size_t i = 0; i < out.size(); ++i) {
    double t = Time(i);
    double drum = std::sin(kTwoPi * toneHz * t) * std::exp(-t / 0.05);
    double wires = body.Run(high.Run(noise.Next())) * std::exp(-t / noiseDecay);
    out[i] = static_cast<float>((0.6 * drum + wires) * Attack(t, 0.0005));
  }
  return out;
}

Samples Clap(std::uint32_t seed) {
  Samples out(Frames(0.35));
  Noise noise(seed);
  Biquad band = Biquad::BandPass(1200, 1.2);
  for (std::size_t i = 0; i < out.size(); ++i) {
    double t = Time(i), envelope = 0;
    // Three hands a few milliseconds apart, then the room.
    for (double start : {0.0, 0.011, 0.023})
      if (t >= start) envelope = std::max(envelope, std::exp(-(t - start) / 0.005));
    if (t >= 0.031) envelope = std::max(envelope, 0.8 * std::exp(-(t - 0.031) / 0.09));
    out[i] = static_cast<float>(band.Run(noise.Next()) * envelope * Attack(t, 0.0003));
  }
  return out;
}

Samples Hat(double decay, double seconds, std::uint32_t seed) {
  Samples out(Frames(seconds));
  Noise noise(seed);
  Biquad high = Biquad::HighPass(7000, 0.8), band = Biquad::BandPass(10000, 0.8);
  for (std::size_t i = 0; i < out.size(); ++i) {
    double t = Time(i);
    double n = noise.Next();
    out[i] = static_cast<float>((high.Run(n) + 0.5 * band.Run(n)) * std::exp(-t / decay) *
                                Attack(t, 0.0003));
  }
  return out;
}

Samples Cymbal(double decay, double seconds, std::uint32_t seed) {
  // Square waves at unrelated frequencies give the metal; noise gives the wash.
  static constexpr std::array<double, 6> kPartials{205.3, 304.4, 369.6, 522.7, 540.0, 800.0};
  Samples out(Frames(seconds));
  Noise noise(seed);
  Biquad high = Biquad::HighPass(5000, 0.7), wash = Biquad::HighPass(4000, 0.7);
  for (std::size_t i = 0; i < out.size(); ++i) {
    double t = Time(i), metal = 0;
    for (double hz : kPartials) metal += std::sin(kTwoPi * hz * 3.1 * t) > 0 ? 1.0 : -1.0;
    double s = high.Run(metal / 6) + 0.6 * wash.Run(noise.Next());
    out[i] = static_cast<float>(s * std::exp(-t / decay) * Attack(t, 0.0005));
  }
  return out;
}

Samples Rim(std::uint32_t seed) {
  Samples out(Frames(0.08));
  Noise noise(seed);
  for (std::size_t i = 0; i < out.size(); ++i) {
    double t = Time(i);
    double s = std::sin(kTwoPi * 1700 * t) + 0.7 * std::sin(kTwoPi * 460 * t);
    s = s * std::exp(-t / 0.012) + 0.5 * noise.Next() * std::exp(-t / 0.0015);
    out[i] = static_cast<float>(s * Attack(t, 0.0002));
  }
  return out;
}

Samples Shaker(std::uint32_t seed) {
  Samples out(Frames(0.14));
  Noise noise(seed);
  Biquad band = Biquad::BandPass(6000, 1.5);
  for (std::size_t i = 0; i < out.size(); ++i) {
    double t = Time(i);
    double envelope = Attack(t, 0.018) * std::exp(-std::max(0.0, t - 0.018) / 0.04);
    out[i] = static_cast<float>(band.Run(noise.Next()) * envelope);
  }
  return out;
}

Samples Cowbell() {
  Samples out(Frames(0.3));
  Biquad band = Biquad::BandPass(850, 2.0);
  for (std::size_t i = 0; i < out.size(); ++i) {
    double t = Time(i);
    double s = (std::sin(kTwoPi * 540 * t) > 0 ? 1.0 : -1.0) +
               (std::sin(kTwoPi * 800 * t) > 0 ? 1.0 : -1.0);
    double envelope = 0.6 * std::exp(-t / 0.02) + 0.4 * std::exp(-t / 0.12);
    out[i] = static_cast<float>(band.Run(s) * envelope * Attack(t, 0.0005));
  }
  return out;
}

Samples Clave() {
  Samples out(Frames(0.1));
  for (std::size_t i = 0; i < out.size(); ++i) {
    double t = Time(i);
    out[i] =
        static_cast<float>(std::sin(kTwoPi * 2500 * t) * std::exp(-t / 0.02) * Attack(t, 0.0002));
  }
  return out;
}

Samples Bass(double hz) {
  Samples out(Frames(0.9));
  int harmonics = std::clamp(static_cast<int>(5000 / hz), 1, 24);
  for (std::size_t i = 0; i < out.size(); ++i) {
    double t = Time(i), s = 0;
    // Upper harmonics die sooner: a low-pass filter closing as the note fades.
    for (int k = 1; k <= harmonics; ++k)
      s += std::sin(kTwoPi * hz * k * t) * std::exp(-t * k * 2.5) / k;
    out[i] = static_cast<float>(s * Attack(t, 0.004) * std::exp(-t / 0.45));
  }
  return out;
}

Samples Pluck(double hz) {
  Samples out(Frames(1.0));
  int harmonics = std::clamp(static_cast<int>(8000 / hz), 1, 12);
  for (std::size_t i = 0; i < out.size(); ++i) {
    double t = Time(i), s = 0;
    for (int k = 1; k <= harmonics; ++k)
      s += std::sin(kTwoPi * hz * k * t) * std::exp(-t * (2.0 + 1.5 * k * std::sqrt(k))) /
           std::pow(k, 1.2);
    out[i] = static_cast<float>(s * Attack(t, 0.002));
  }
  return out;
}

Samples Pad(double hz) {
  // m whole periods in n frames: the loop point falls exactly on a period's end.
  double periods = std::max(1.0, std::round(hz * 0.5));
  auto frames = static_cast<std::size_t>(std::lround(periods * kSampleRate / hz));
  static constexpr std::array<double, 4> kLevels{1.0, 0.35, 0.15, 0.06};
  Samples out(frames);
  for (std::size_t i = 0; i < frames; ++i) {
    double s = 0;
    for (std::size_t k = 0; k < kLevels.size(); ++k)
      s += kLevels[k] * std::sin(kTwoPi * static_cast<double>(k + 1) * periods *
                                 static_cast<double>(i) / static_cast<double>(frames));
    out[i] = static_cast<float>(s);
  }
  return out;
}

}  // namespace tond::kitgen
