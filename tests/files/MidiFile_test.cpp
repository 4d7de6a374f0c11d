#include "files/MidiFile.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "engine/Engine.h"
#include "files/MidiExport.h"
#include "model/Project.h"
#include "support/TestFiles.h"

namespace tond {
namespace {

using test::Bytes;
using test::ReadBytes;
using test::RecordingNotifier;
using test::TempDir;

const std::string kGolden =
    (std::filesystem::path(__FILE__).parent_path() / "golden" / "small_pattern.mid").string();

std::uint32_t BigU32(const Bytes& b, std::size_t at) {
  return static_cast<std::uint32_t>(b[at]) << 24 | static_cast<std::uint32_t>(b[at + 1]) << 16 |
         static_cast<std::uint32_t>(b[at + 2]) << 8 | b[at + 3];
}

// The bodies of the track chunks, checking that the chunk lengths tile the file exactly.
std::vector<Bytes> Chunks(const Bytes& b) {
  std::vector<Bytes> bodies;
  std::size_t at = 0;
  while (at + 8 <= b.size()) {
    std::size_t size = BigU32(b, at + 4);
    if (at + 8 + size > b.size()) break;
    bodies.emplace_back(b.begin() + static_cast<long>(at + 8),
                        b.begin() + static_cast<long>(at + 8 + size));
    at += 8 + size;
  }
  EXPECT_EQ(at, b.size());
  return bodies;
}

// Three rows in use (one of them an empty slot), a cell lit in consecutive columns, a cell too
// quiet for a note, and the same cell on channel 1 through row 17.
TEST(MidiExport, SmallPatternMatchesTheGoldenFile) {
  TempDir dir;
  auto project = std::make_unique<Project>();
  project->kit[0].samplePath = "C:\\kits/808.v2\\kick.hard.take3.wav";
  project->kit[2].samplePath = "snare";
  project->kit[17].samplePath = "/home/x.y/hat.wav";
  project->SetCell(0, 0, MakeCell(255, 128, 120));
  project->SetCell(1, 0, MakeCell(200, 0, 60));
  project->SetCell(5, 1, MakeCell(1, 255, 255));
  project->SetCell(7, 1, MakeCell(2, 3, 5));
  project->SetCell(63, 2, MakeCell(255, 255, 255));
  project->SetCell(3, 17, MakeCell(255, 128, 120));
  RecordingNotifier notifier;
  const std::string path = dir.File("out.mid");
  ASSERT_TRUE(ExportMidi(path, *project, 120.9, notifier));
  EXPECT_TRUE(notifier.messages.empty());
  Bytes out = ReadBytes(path);
  if (std::getenv("TOND_UPDATE_GOLDEN")) test::WriteBytes(kGolden, out);
  EXPECT_EQ(out, ReadBytes(kGolden));

  ASSERT_GE(out.size(), 14u);
  EXPECT_EQ(Bytes(out.begin(), out.begin() + 14),
            (Bytes{'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 1, 0, 65, 0, 96}));
  std::vector<Bytes> tracks = Chunks(Bytes(out.begin() + 14, out.end()));
  ASSERT_EQ(tracks.size(), 65u);
  EXPECT_EQ(tracks[0], (Bytes{0, 0xFF, 0x58, 4, 4, 2, 0x18, 8, 0, 0xFF, 0x51, 3, 0x07, 0xA1, 0x20,
                              0, 0xFF, 0x2F, 0}));
  const Bytes end{0, 0xFF, 0x2F, 0};
  auto named = [&](const std::string& name, Bytes events) {
    Bytes b{0, 0xFF, 3, static_cast<std::uint8_t>(name.size())};
    for (char c : name) b.push_back(static_cast<std::uint8_t>(c));
    b.insert(b.end(), events.begin(), events.end());
    b.insert(b.end(), end.begin(), end.end());
    return b;
  };
  // The first note ends on the tick where the second begins, before its events.
  EXPECT_EQ(tracks[1],
            named("kick.hard.take3", {0, 0xB0, 10, 64, 0, 0x90, 60, 127, 24, 0x80, 60, 0,
                                      0, 0xB0, 10, 0,  0, 0x90, 30, 100, 24, 0x80, 30, 0}));
  EXPECT_EQ(tracks[2], named("not used",
                             {120, 0xB1, 10, 127, 48, 0xB1, 10, 1, 0, 0x91, 2, 1, 24, 0x81, 2, 0}));
  EXPECT_EQ(tracks[3],
            named("snare", {0x8B, 0x68, 0xB2, 10, 127, 0, 0x92, 127, 127, 24, 0x82, 127, 0}));
  EXPECT_EQ(tracks[18], named("hat", {72, 0xB1, 10, 64, 0, 0x91, 60, 127, 24, 0x81, 60, 0}));
  EXPECT_EQ(tracks[64], named("not used", {}));
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
  std::vector<Bytes> chunks = Chunks(Bytes(b.begin() + 14, b.end()));
  ASSERT_EQ(chunks.size(), 2u);
  EXPECT_EQ(chunks[1], (Bytes{0,    0xFF, 3,    0,    0x81, 0x48, 0xC3, 5,    0,    0xD3, 6,
                              0xFF, 0x7F, 0xE3, 7,    8,    1,    0xFF, 1,    1,    'x',  0xFF,
                              0xFF, 0xFF, 0x7F, 0x90, 1,    2,    0,    0xFF, 0x2F, 0}));
}

TEST(MidiExport, NamesFailuresAndEngine) {
  EXPECT_EQ(MidiTrackName("a/b\\c.d.e.wav"), "c.d.e");
  EXPECT_EQ(MidiTrackName("a\\b/c"), "c");
  EXPECT_EQ(MidiTrackName("dir.x/take"), "take");
  EXPECT_EQ(MidiTrackName("not used"), "not used");

  TempDir dir;
  auto project = std::make_unique<Project>();
  RecordingNotifier notifier;
  const std::string missing = dir.File("no/such/folder/x.mid");
  EXPECT_FALSE(ExportMidi(missing, *project, 120, notifier));
  EXPECT_EQ(notifier.messages, (std::vector<std::string>{
                                   "Unable to create a new file named:\n" + missing,
                                   "An error occurred while saving the MIDI file:\n" + missing}));

  // Created but cannot replace the target: only the second message, and the target survives.
  notifier.messages.clear();
  const std::string busy = dir.File("busy.mid");
  std::filesystem::create_directories(busy + "/inside");
  EXPECT_FALSE(ExportMidi(busy, *project, 120, notifier));
  EXPECT_EQ(notifier.messages,
            (std::vector<std::string>{"An error occurred while saving the MIDI file:\n" + busy}));
  EXPECT_TRUE(std::filesystem::exists(busy + "/inside"));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1);

  Engine engine(project->working, project->kit);
  engine.playing = true;
  notifier.messages.clear();
  EXPECT_TRUE(ExportMidi(dir.File("ok.mid"), *project, 350, notifier, &engine));
  EXPECT_FALSE(engine.playing);
  EXPECT_TRUE(notifier.messages.empty());
}

}  // namespace
}  // namespace tond
