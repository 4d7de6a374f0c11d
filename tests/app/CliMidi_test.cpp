#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <sstream>

#include "RunTond.h"
#include "files/MidiExport.h"
#include "files/MidiFile.h"
#include "files/PatternFile.h"
#include "files/ProjectFile.h"
#include "kit/Kit.h"
#include "model/Project.h"
#include "support/TestFiles.h"

namespace tond {
namespace {

using test::Bytes;
using test::ReadBytes;
using test::RunTond;
using test::TempDir;

std::string KitText(const std::vector<std::string>& samples) {
  std::string text = "<?xml version=\"1.0\"?>\r\n<TondKit>\r\n";
  for (const std::string& path : samples)
    text += "\t<instrument>\r\n\t\t<sample name = \"" + path + "\"/>\r\n\t</instrument>\r\n";
  return text + "</TondKit>\r\n";
}

// A pattern with notes in three rows and a kit whose second sample is missing.
struct Scene {
  Scene() {
    test::WriteBytes(dir.File("kick.wav"), test::MakeWave16({0, 1000, -1000, 0}));
    test::WriteText(kit, KitText({dir.File("kick.wav"), "gone\\snare.take.2.wav", "not used"}));
    cells[CellIndex(0, 0)] = MakeCell(255, 0, 120);
    cells[CellIndex(1, 0)] = MakeCell(255, 255, 120);
    cells[CellIndex(9, 1)] = MakeCell(90, 60, 30);
    cells[CellIndex(63, 2)] = MakeCell(1, 2, 3);
    test::WriteBytes(pattern, EncodePatternFile(cells, 500));
  }

  // The file ExportMidi writes for the pattern with the kit's sample paths.
  Bytes Expected(std::uint32_t tempo, const Pattern& pattern) const {
    auto names = std::make_unique<CKit>();
    (*names)[0].samplePath = dir.File("kick.wav");
    (*names)[1].samplePath = "gone\\snare.take.2.wav";
    return MIDIfile::Encode(BuildMidiTracks(pattern, *names), tempo, 96);
  }
  Bytes Expected(std::uint32_t tempo) const { return Expected(tempo, cells); }

  test::TondResult Midi(std::vector<std::string> args) {
    args.insert(args.begin(), "midi");
    return RunTond(args, dir.Path().string());
  }

  TempDir dir;
  std::string kit = dir.File("drums.kit");
  std::string pattern = dir.File("beat.pat");
  Pattern cells{};
};

TEST(CliMidi, PatternWritesWhatTheExportWrites) {
  Scene scene;
  auto result = scene.Midi({scene.pattern, "--kit", scene.kit, "-o", "out.mid"});
  EXPECT_EQ(result.exitCode, 0) << result.err;
  EXPECT_EQ(result.err, "Unable to read the file:\n gone\\snare.take.2.wav\n");
  Bytes out = ReadBytes(scene.dir.File("out.mid"));
  // 500 beats per minute is kept to 350.
  EXPECT_EQ(out, scene.Expected(350));
  ASSERT_GT(out.size(), 37u);
  EXPECT_EQ(Bytes(out.begin() + 34, out.begin() + 37), (Bytes{0x02, 0x9D, 0xA4}));

  // A stored tempo of 0 is kept to 1, slower than the tempo field can say: its slowest.
  test::WriteBytes(scene.pattern, EncodePatternFile(scene.cells, 0));
  result = scene.Midi({scene.pattern, "--kit", scene.kit, "-o", "out.mid"});
  EXPECT_EQ(result.exitCode, 0);
  EXPECT_EQ(ReadBytes(scene.dir.File("out.mid")), scene.Expected(1));

  if (std::system("command -v midicsv > /dev/null 2>&1") != 0)
    GTEST_SKIP() << "midicsv is not installed";
  const std::string csv = scene.dir.File("out.csv");
  ASSERT_EQ(std::system(("midicsv '" + scene.dir.File("out.mid") + "' '" + csv + "'").c_str()), 0);
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
  EXPECT_EQ(names[0], "kick");
  EXPECT_EQ(names[1], "snare.take.2");
  EXPECT_EQ(names[63], "not used");
}

TEST(CliMidi, ProjectPatternWithItsOwnKit) {
  Scene scene;
  auto project = std::make_unique<Project>();
  project->kit[0].samplePath = scene.dir.File("kick.wav");
  project->kit[1].samplePath = "gone\\snare.take.2.wav";
  Pattern other{};
  other[CellIndex(4, 1)] = MakeCell(100, 100, 100);
  project->SetStoredPattern(0, scene.cells);
  project->SetTempo(0, 90);
  project->SetStoredPattern(15, other);
  project->SetTempo(15, 351);
  auto bytes = EncodeProjectFile(*project);
  ASSERT_TRUE(bytes);
  const std::string path = scene.dir.File("song.BLP");
  test::WriteBytes(path, *bytes);

  auto result = scene.Midi({path, "-o", "first.mid"});
  EXPECT_EQ(result.exitCode, 0) << result.err;
  EXPECT_EQ(result.err, "Unable to read the file:\n gone\\snare.take.2.wav\n");
  EXPECT_EQ(ReadBytes(scene.dir.File("first.mid")), scene.Expected(90));
  result = scene.Midi({path, "--pattern", "15", "-o", "last.mid"});
  EXPECT_EQ(result.exitCode, 0) << result.err;
  EXPECT_EQ(ReadBytes(scene.dir.File("last.mid")), scene.Expected(350, other));
}

TEST(CliMidi, FailuresAndUsage) {
  Scene scene;
  const std::string blocked = scene.dir.File("no/such/out.mid");
  auto result = scene.Midi({scene.pattern, "--kit", scene.kit, "-o", blocked});
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_EQ(result.err,
            "Unable to read the file:\n gone\\snare.take.2.wav\n"
            "Unable to create a new file named:\n" +
                blocked +
                "\n"
                "An error occurred while saving the MIDI file:\n" +
                blocked + "\n");

  const std::string missing = scene.dir.File("missing.kit");
  result = scene.Midi({scene.pattern, "--kit", missing, "-o", "x.mid"});
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_EQ(result.err, "Error: unable to load the file:\n " + missing + "\n");

  for (std::vector<std::string> args : std::vector<std::vector<std::string>>{
           {scene.pattern, "-o", "x.mid"},
           {scene.pattern, "--kit", scene.kit, "--pattern", "2", "-o", "x.mid"},
           {"p.blp", "--kit", scene.kit, "-o", "x.mid"},
           {"p.blp", "--pattern", "16", "-o", "x.mid"},
           {"p.blp", "--pattern", "-1", "-o", "x.mid"}}) {
    result = scene.Midi(args);
    EXPECT_EQ(result.exitCode, 2) << testing::PrintToString(args);
    EXPECT_NE(result.err.find("Usage: tond midi"), std::string::npos);
  }
  EXPECT_FALSE(std::filesystem::exists(scene.dir.File("x.mid")));
}

}  // namespace
}  // namespace tond
