#pragma once
// The default kit's 64 slots. Rows 0-15 are drums and percussion; rows 16-63 are three voices
// (bass, pluck, pad) of 16 notes each on the A minor pentatonic scale (A C D E G), so that any
// set of lit rows stays consonant.
#include <string>
#include <vector>

#include "Synth.h"

namespace tond::kitgen {

inline constexpr int kFirstBass = 16;   // A1 upwards
inline constexpr int kFirstPluck = 32;  // A2 upwards
inline constexpr int kFirstPad = 48;    // A3 upwards
inline constexpr int kNotesPerVoice = 16;

struct KitSound {
  std::string file;  // the wave's name inside the kits folder
  bool loop = false;
  bool fade = false;
  Samples samples;
};

// MIDI note of the n-th pentatonic step above the A of `firstNote`.
int PentatonicNote(int firstNote, int step);

// All 64 sounds, slot by slot.
std::vector<KitSound> DefaultKitSounds();

// Writes kits/*.wav and kits/default.kit under `programFolder`, with the sample paths relative
// ("kits/NAME.wav") so that they resolve against the program folder. False when a file failed.
bool WriteDefaultKit(const std::string& programFolder, const std::vector<KitSound>& sounds);

}  // namespace tond::kitgen
