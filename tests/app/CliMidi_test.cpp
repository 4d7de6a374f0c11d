#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <sstream>

#include "RunTond.h"
#include "files/MidiExport.h"
#include "files/MidiFile.h"
#include "kit/Kit.h"

namespace tond {
namespace {

using test::Bytes;

// The file ExportMidi writes for the pattern, its tracks named after the scene's samples.
Bytes Expected(const test::CliScene& scene, std::uint32_t tempo, const Pattern& pattern) {
  auto names = std::make_unique<CKit>();
  (*names)[0].samplePath = scene.File("a.wav");
  (*names)[1].samplePath = "b.wav";
  (*names)[2].samplePath = scene.kGone;
  return MIDIfile::Encode(BuildMidiTracks(pattern, *names), tempo, 96);
}

TEST(CliMidi, PatternAndProjectWriteWhatTheExportWrites) {
  test::CliScene scene;
  const std::string gone = "Unable to read the file:\n " + std::string(scene.kGone) + "\n";
  auto r = scene.Tond("midi beat.pat --kit drums.kit -o out.mid");
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_EQ(r.err, gone);
  Bytes out = scene.Read("out.mid");
  EXPECT_EQ(out, Expected(scene, 350, scene.beat));  // 500 beats per minute is kept to 350
  ASSERT_GT(out.size(), 37u);
  EXPECT_EQ(Bytes(out.begin() + 34, out.begin() + 37), (Bytes{0x02, 0x9D, 0xA4}));

  EXPECT_EQ(scene.Tond("midi song.blp -o first.mid").err, gone);
  EXPECT_EQ(scene.Read("first.mid"), Expected(scene, 133, scene.beat));
  EXPECT_EQ(scene.Tond("midi song.blp --pattern 3 -o third.mid").exitCode, 0);
  EXPECT_EQ(scene.Read("third.mid"), Expected(scene, 350, scene.third));

  // A stored tempo of 0 is kept to 1, slower than the tempo field can say: its slowest.
  scene.PatternFile("slow.pat", scene.beat, 0);
  EXPECT_EQ(scene.Tond("midi slow.pat --kit drums.kit -o slow.mid").exitCode, 0);
  EXPECT_EQ(scene.Read("slow.mid"), Expected(scene, 1, scene.beat));

  r = scene.Tond("midi beat.pat --kit drums.kit -o no/out.mid");
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_EQ(r.err, gone +
                       "Unable to create a new file named:\nno/out.mid\n"
                       "An error occurred while saving the MIDI file:\nno/out.mid\n");

  // An independent reader sees 64 named tracks after the tempo track.
  if (std::system("command -v midicsv > /dev/null 2>&1") != 0)
    GTEST_SKIP() << "midicsv is not installed";
  const std::string csv = scene.File("out.csv");
  ASSERT_EQ(std::system(("midicsv '" + scene.File("out.mid") + "' '" + csv + "'").c_str()), 0);
  std::istringstream lines(test::ReadText(csv));
  std::vector<std::string> names;
  int tracks = 0;
  for (std::string line; std::getline(lines, line);) {
    tracks += line.find("Start_track") != std::string::npos;
    auto at = line.find("Title_t, \"");
    if (at != std::string::npos) names.push_back(line.substr(at + 10, line.size() - at - 11));
  }
  EXPECT_EQ(tracks, 65);
  ASSERT_EQ(names.size(), 64u);
  EXPECT_EQ(names[0], "a");
  EXPECT_EQ(names[1], "b");
  EXPECT_EQ(names[2], "snare.take.2");
  EXPECT_EQ(names[63], "not used");
}

}  // namespace
}  // namespace tond
