#pragma once
// How one sounding note turns a sample into stereo frames; shared by the 64 row voices and the
// preview voice. Runs on the audio thread: no allocation, no lock.
#include <cstdint>

#include "model/Cell.h"

namespace tond {

class CInstrument;

// A cell starts a note with these; computed in double and kept as float.
inline float NoteRate(Cell c) {
  return static_cast<float>(1.5 - (1.0 - Blue(c) / 255.0));
}
inline float NoteVolume(Cell c) {
  return static_cast<float>(Red(c) / 255.0);
}
inline float NotePan(Cell c) {
  return static_cast<float>(Green(c) / 255.0);
}

// What a note keeps from the cell that started it.
struct NoteColour {
  float rate;
  float volume;
  float pan;
};

// Adds `frames` frames of the note to the interleaved stereo `out` (left += volume x sample x
// (1 - pan), right += volume x sample x pan), reading the instrument with interpolation `mode`
// (an unknown mode reads silence while the position still advances). `stepFrame` is the index
// within its step of the first frame and `stepLength` the step's length: with `fade` (and a
// non-empty sample) the note rises over the step's first 20 frames and falls over its last
// 20. The run must end within the step. Frames past the end of a sample that does not loop
// add nothing and the position is then left where the sample ended.
// `position` (in sample frames) advances by the rate at every frame.
void AddNote(const CInstrument& instrument, std::uint8_t mode, bool fade, NoteColour note,
             float& position, std::uint32_t stepFrame, std::uint32_t stepLength, float* out,
             std::uint32_t frames);

}  // namespace tond
