#include "files/MidiFile.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "files/MidiExport.h"
#include "model/Project.h"
#include "support/ProjectFixture.h"

namespace tond::test {
namespace {

const std::string kGolden =
    (std::filesystem::path(__FILE__).parent_path() / "golden" / "small_pattern.mid").string();

std::uint32_t BigU32(const Bytes& b, std::size_t at) {
  return static_cast<std::uint32_t>(b[at]) << 24 | static_cast<std::uint32_t>(b[at + 1]) << 16 |
         static_cast<std::uint32_t>(b[at + 2]) << 8 | b[at + 3];
}

// The body of chunk `index` after the 14-byte header (0 is the tempo track).
Bytes Track(const Bytes& b, int index) {
  std::size_t at = 14;
  for (int i = 0; i < index; ++i) at += 8 + BigU32(b, at + 4);
  const auto begin = b.begin() + static_cast<long>(at + 8);
  return Bytes(begin, begin + BigU32(b, at + 4));
}

// Three rows in use (one of them an empty slot), a cell lit in consecutive columns, a cell too
// quiet for a note, and the same cell on channel 1 through row 17.
TEST(MidiExport, SmallPatternMatchesTheGoldenFile) {
  TempDir dir;
  ProjectSession s;
  Project& project = *s.project;
  project.kit[0].samplePath = "C:\\kits/808.v2\\kick.hard.take3.wav";
  project.kit[2].samplePath = "snare";
  project.kit[17].samplePath = "/home/x.y/hat.wav";
  project.SetCell(0, 0, MakeCell(255, 128, 120));
  project.SetCell(1, 0, MakeCell(200, 0, 60));
  project.SetCell(5, 1, MakeCell(1, 255, 255));
  project.SetCell(7, 1, MakeCell(2, 3, 5));
  project.SetCell(63, 2, MakeCell(255, 255, 255));
  project.SetCell(3, 17, MakeCell(255, 128, 120));
  ASSERT_TRUE(ExportMidi(dir.File("out.mid"), project, 120.9, s.notifier));
  EXPECT_TRUE(s.notifier.messages.empty());
  const Bytes out = ReadBytes(dir.File("out.mid"));
  if (std::getenv("TOND_UPDATE_GOLDEN")) WriteBytes(kGolden, out);
  ASSERT_EQ(out, ReadBytes(kGolden));
  EXPECT_EQ(Bytes(out.begin(), out.begin() + 14),
            (Bytes{'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 1, 0, 65, 0, 96}));
  auto named = [&](const std::string& name, Bytes events) {
    Bytes b{0, 0xFF, 3, static_cast<std::uint8_t>(name.size())};
    for (char c : name) b.push_back(static_cast<std::uint8_t>(c));
    b.insert(b.end(), events.begin(), events.end());
    b.insert(b.end(), {0, 0xFF, 0x2F, 0});
    return b;
  };
  // The first note ends on the tick where the second begins, before its events.
  EXPECT_EQ(Track(out, 1),
            named("kick.hard.take3", {0, 0xB0, 10, 64, 0, 0x90, 60, 127, 24, 0x80, 60, 0,
                                      0, 0xB0, 10, 0,  0, 0x90, 30, 100, 24, 0x80, 30, 0}));
  EXPECT_EQ(Track(out, 2), named("not used", {120, 0xB1, 10, 127, 48, 0xB1, 10, 1, 0, 0x91, 2, 1,
                                              24, 0x81, 2, 0}));
  EXPECT_EQ(Track(out, 3),
            named("snare", {0x8B, 0x68, 0xB2, 10, 127, 0, 0x92, 127, 127, 24, 0x82, 127, 0}));
  EXPECT_EQ(Track(out, 18), named("hat", {72, 0xB1, 10, 64, 0, 0x91, 60, 127, 24, 0x81, 60, 0}));
}

TEST(MidiFile, EncodesTempoEventKindsAndQuantities) {
  auto tempoBytes = [](std::uint32_t tempo) {
    Bytes b = MIDIfile::Encode({}, tempo, 96);
    EXPECT_EQ(b.size(), 14u + 27u);
    EXPECT_EQ(b[11], 1);
    return Bytes(b.begin() + 34, b.begin() + 37);
  };
  EXPECT_EQ(tempoBytes(120), (Bytes{0x07, 0xA1, 0x20}));
  EXPECT_EQ(tempoBytes(4), (Bytes{0xE4, 0xE1, 0xC0}));
  // Slower than the 3-byte field can hold, and the tempo that no caller gives.
  EXPECT_EQ(tempoBytes(3), (Bytes{0xFF, 0xFF, 0xFF}));
  EXPECT_EQ(tempoBytes(0), (Bytes{0xFF, 0xFF, 0xFF}));

  MIDItrack track("");
  track.events.emplace_back(200, 0xC3, 5, 99);   // program change: one data byte
  track.events.emplace_back(200, 0xD3, 6, 99);   // channel pressure: one data byte
  track.events.emplace_back(16583, 0xE3, 7, 8);  // delta 16383 = 2^14 - 1
  MIDIevent meta(16584, 0xFF, 0, 0);
  meta.data = {0xFF, 0x01, 0x01, 'x'};
  track.events.push_back(meta);
  track.events.emplace_back(16584, 0xF0, 0, 0);  // no block: nothing to write
  track.events.emplace_back(0x10000000u + 16584, 0x90, 1, 2);
  Bytes b = MIDIfile::Encode({track}, 120, 480);
  EXPECT_EQ(Bytes(b.begin() + 12, b.begin() + 14), (Bytes{0x01, 0xE0}));
  ASSERT_EQ(BigU32(b, 45), b.size() - 49);
  EXPECT_EQ(Track(b, 1), (Bytes{0,    0xFF, 3,    0,    0x81, 0x48, 0xC3, 5,    0,    0xD3, 6,
                                0xFF, 0x7F, 0xE3, 7,    8,    1,    0xFF, 1,    1,    'x',  0xFF,
                                0xFF, 0xFF, 0x7F, 0x90, 1,    2,    0,    0xFF, 0x2F, 0}));
}

TEST(MidiExport, NamesAndFailures) {
  // The golden file covers both separators and several dots; here a dot in the folder only.
  EXPECT_EQ(MidiTrackName("dir.x/take"), "take");

  TempDir dir;
  ProjectSession s;
  const std::string missing = dir.File("no/such/folder/x.mid");
  EXPECT_FALSE(ExportMidi(missing, *s.project, 120, s.notifier));
  EXPECT_EQ(s.notifier.messages, (std::vector<std::string>{
                                     "Unable to create a new file named:\n" + missing,
                                     "An error occurred while saving the MIDI file:\n" + missing}));
}

}  // namespace
}  // namespace tond::test
