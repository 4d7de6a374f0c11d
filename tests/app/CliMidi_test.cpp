#include <gtest/gtest.h>

#include <memory>

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
  const std::string gone =
      "Unable to read the file:\n " + std::string(scene.kGone) + "\nNo such file or directory\n";
  auto r = scene.Tond("midi beat.pat --kit drums.kit -o out.mid");
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_EQ(r.err, gone);
  // 500 beats per minute is kept to 350. (The file's bytes: the golden file test.)
  EXPECT_EQ(scene.Read("out.mid"), Expected(scene, 350, scene.beat));

  EXPECT_EQ(scene.Tond("midi song.blp -o first.mid").err, gone);
  EXPECT_EQ(scene.Read("first.mid"), Expected(scene, 133, scene.beat));
  EXPECT_EQ(scene.Tond("midi song.blp --pattern 3 -o third.mid").exitCode, 0);
  EXPECT_EQ(scene.Read("third.mid"), Expected(scene, 350, scene.third));

  r = scene.Tond("midi beat.pat --kit drums.kit -o no/out.mid");
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_EQ(r.err, gone +
                       "Unable to create a new file named:\nno/out.mid\nNo such file or directory\n"
                       "An error occurred while saving the MIDI file:\nno/out.mid\n");
}

}  // namespace
}  // namespace tond
