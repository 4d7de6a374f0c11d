#pragma once
// Sound synthesis for the shipped default kit: drums and pitched tones made from sines, noise and
// simple filters. Every sound is computed from fixed numbers and a seeded noise source, so the
// kit comes out the same on every build.
#include <cstdint>
#include <vector>

namespace tond::kitgen {

inline constexpr double kSampleRate = 44100.0;

using Samples = std::vector<float>;

// Frequency of a MIDI note number (69 = A4 = 440 Hz).
double NoteFrequency(int note);

// Reproducible white noise in -1..1 (xorshift32): the same numbers from every compiler.
class Noise {
 public:
  explicit Noise(std::uint32_t seed) : state_(seed ? seed : 1) {}
  double Next();

 private:
  std::uint32_t state_;
};

// A second-order filter section (the usual cookbook low, high and band pass).
class Biquad {
 public:
  static Biquad LowPass(double hz, double q);
  static Biquad HighPass(double hz, double q);
  static Biquad BandPass(double hz, double q);
  double Run(double x);

 private:
  enum Kind { kLow, kHigh, kBand };
  static Biquad Make(double hz, double q, int kind);
  double b0_ = 1, b1_ = 0, b2_ = 0, a1_ = 0, a2_ = 0;
  double x1_ = 0, x2_ = 0, y1_ = 0, y2_ = 0;
};

// Drums. A pitched drum is a sine falling from `startHz` to `endHz` with time constant `sweep`
// under an exponential decay; `drive` > 0 saturates it for a harder attack.
struct DrumTone {
  double startHz, endHz, sweep, decay, seconds, drive;
};
Samples PitchedDrum(const DrumTone& tone, std::uint32_t seed);
Samples Snare(double toneHz, double noiseDecay, double seconds, std::uint32_t seed);
Samples Clap(std::uint32_t seed);
Samples Hat(double decay, double seconds, std::uint32_t seed);
Samples Cymbal(double decay, double seconds, std::uint32_t seed);
Samples Rim(std::uint32_t seed);
Samples Shaker(std::uint32_t seed);
Samples Cowbell();
Samples Clave();

// Pitched tones.
// A bass note whose bright start darkens as it fades (0.9 s, not looped).
Samples Bass(double hz);
// A plucked, mallet-like note (1 s, not looped).
Samples Pluck(double hz);
// A soft organ tone holding a whole number of periods, so that it loops without a seam; its
// pitch is exact to the nearest frame of the loop (about half a second long).
Samples Pad(double hz);

}  // namespace tond::kitgen
