#include "files/MidiExport.h"

#include <cmath>

#include "base/Notifier.h"
#include "base/Tempo.h"
#include "kit/Kit.h"
#include "model/Project.h"

namespace tond {

namespace {

constexpr std::uint8_t kControlChange = 0xB0;
constexpr std::uint8_t kNoteOn = 0x90;
constexpr std::uint8_t kNoteOff = 0x80;
constexpr std::uint8_t kPanController = 10;

MIDItrack BuildTrack(const Pattern& cells, int row, const std::string& samplePath) {
  MIDItrack track(MidiTrackName(samplePath));
  const auto channel = static_cast<std::uint8_t>(row % 16);
  track.events.reserve(3 * kColumns);
  std::uint32_t time = 0;
  for (int step = 0; step < kColumns; ++step, time += kMidiStepTicks) {
    const Cell cell = cells[static_cast<std::size_t>(CellIndex(step, row))];
    if (cell == 0) continue;
    const auto volume = static_cast<std::uint8_t>(Red(cell) / 2);
    const auto pan = static_cast<std::uint8_t>(Green(cell) / 2);
    const auto note = static_cast<std::uint8_t>(Blue(cell) / 2);
    track.events.emplace_back(time, kControlChange | channel, kPanController, pan);
    if (volume == 0) continue;
    // The note ends where the next step begins, so it comes before that step's events.
    track.events.emplace_back(time, kNoteOn | channel, note, volume);
    track.events.emplace_back(time + kMidiStepTicks, kNoteOff | channel, note, 0);
  }
  return track;
}

}  // namespace

std::string MidiTrackName(const std::string& samplePath) {
  return SampleName(samplePath);
}

std::vector<MIDItrack> BuildMidiTracks(const Pattern& cells, const CKit& kit) {
  std::vector<MIDItrack> tracks;
  tracks.reserve(kRows);
  for (int row = 0; row < kRows; ++row)
    tracks.push_back(BuildTrack(cells, row, kit[row].samplePath));
  return tracks;
}

bool ExportMidi(const std::string& path, const Pattern& cells, const CKit& kit, std::uint32_t tempo,
                Notifier& notifier) {
  const std::vector<MIDItrack> tracks = BuildMidiTracks(cells, kit);
  int error = 0;
  if (MIDIfile().Save(path, tracks, tempo, kMidiDivision, notifier, &error)) return true;
  notifier.Failure(FormatMessage(kMidiSaveError, path), SystemReason(error));
  return false;
}

bool ExportMidi(const std::string& path, const Project& project, double tempoControl,
                Notifier& notifier) {
  return ExportMidi(path, project.working.Snapshot(), project.kit, PlayedTempo(tempoControl),
                    notifier);
}

}  // namespace tond
