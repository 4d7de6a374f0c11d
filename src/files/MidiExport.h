#pragma once
// Writes a pattern as a MIDI file: one track per row, named after the row's sample, with a pan
// controller for every coloured cell and a sixteenth note for every cell loud enough to sound.
// The window's command asks for the path and calls ExportMidi; so does `tond midi`.
#include <cstdint>
#include <string>
#include <vector>

#include "files/MidiFile.h"
#include "model/Pattern.h"

namespace tond {

class CKit;
class Notifier;
class Project;

inline constexpr const char* kMidiSaveError = "An error occurred while saving the MIDI file:\n%s";
inline constexpr std::uint16_t kMidiDivision = 96;   // ticks per quarter note
inline constexpr std::uint32_t kMidiStepTicks = 24;  // a step is a sixteenth note

// A sample path reduced to its file name without the extension: the part after the last '/' or
// '\', cut before its last '.'. "not used" stays "not used".
std::string MidiTrackName(const std::string& samplePath);

// The 64 tracks of a pattern, row 0 first, on channels row mod 16.
std::vector<MIDItrack> BuildMidiTracks(const Pattern& cells, const CKit& kit);

// Writes the pattern at `tempo` beats per minute. On failure shows kMidiSaveError after the
// message of MIDIfile::Save (an existing file at `path` is left as it was) and returns false.
bool ExportMidi(const std::string& path, const Pattern& cells, const CKit& kit, std::uint32_t tempo,
                Notifier& notifier);

// The window's export: the working grid and kit of `project` at the tempo control's value,
// truncated (the control keeps it to 1..350). Changes nothing in the project.
bool ExportMidi(const std::string& path, const Project& project, double tempoControl,
                Notifier& notifier);

}  // namespace tond
