#include <gtest/gtest.h>

#include <memory>
#include <tuple>

#include "RunTond.h"
#include "engine/Engine.h"
#include "engine/Export.h"
#include "files/PatternFile.h"
#include "files/ProjectFile.h"
#include "kit/WaveReader.h"
#include "model/Project.h"
#include "model/UndoSystem.h"
#include "support/TestFiles.h"

namespace tond {
namespace {

using test::Bytes;
using test::ReadBytes;
using test::RecordingNotifier;
using test::RunTond;
using test::TempDir;

// A project with two samples, notes in patterns 0 and 3 (stored at a tempo beyond the control's
// range) and a stereo 22050 Hz wave with a root key.
struct Scene {
  Scene() {
    std::vector<std::int16_t> tone;
    for (int i = 0; i < 2000; ++i) tone.push_back(static_cast<std::int16_t>((i * 613) % 30000));
    test::WriteBytes(dir.File("a.wav"), test::MakeWave16(tone));
    test::WaveSpec spec;
    spec.channels = 2, spec.sampleRate = 22050, spec.unityNote = 48;
    spec.data = Bytes(12, 0x11);
    test::WriteBytes(dir.File("b.wav"), test::MakeWave(spec));

    auto project = std::make_unique<Project>();
    project->kit[0].samplePath = dir.File("a.wav");
    project->kit[0].loop = true;
    project->kit[7].samplePath = "b.wav";  // relative to the working folder
    project->kit[7].fade = true;
    for (int c = 0; c < kColumns; c += 2) project->working.Set(c, 0, MakeCell(255, 0, 100));
    Pattern third{};
    for (int c = 1; c < kColumns; c += 5) third[CellIndex(c, 0)] = MakeCell(90, 200, 255);
    for (int c = 0; c < kColumns; c += 4) third[CellIndex(c, 7)] = MakeCell(255, 128, 0);
    project->SetStoredPattern(3, third);
    project->SetTempo(3, 500);
    RecordingNotifier notifier;
    EXPECT_TRUE(SaveProject(file, *project, 133, notifier));
  }

  // What the window exports after loading the project and selecting pattern 3.
  Bytes Reference() {
    auto project = std::make_unique<Project>();
    UndoSystem undo;
    Engine engine(project->working, project->kit);
    RecordingNotifier notifier;
    auto previous = std::filesystem::current_path();
    std::filesystem::current_path(dir.Path());
    auto tempo = LoadProject(file, *project, undo, engine, notifier);
    std::filesystem::current_path(previous);
    EXPECT_TRUE(tempo && notifier.messages.empty());
    project->SelectPattern(3, *tempo, undo);
    engine.SetTempo(ClampTempoControl(project->Tempo(3)));
    EXPECT_TRUE(ExportWave(engine, dir.File("reference.wav")));
    return ReadBytes(dir.File("reference.wav"));
  }

  test::TondResult Run(const std::vector<std::string>& args) {
    return RunTond(args, dir.Path().string());
  }

  TempDir dir;
  std::string file = dir.File("song.blp");
};

TEST(CliProject, RenderPlaysThePatternWithTheProjectsKit) {
  Scene scene;
  auto r = scene.Run({"render", scene.file, "--pattern", "3", "-o", "out.wav"});
  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.err, "");
  Bytes out = ReadBytes(scene.dir.File("out.wav"));
  ASSERT_EQ(out.size(), 44u + 120960u * 4u);  // tempo 500 plays at 350
  EXPECT_EQ(out, scene.Reference());

  ASSERT_EQ(scene.Run({"render", scene.file, "-o", "zero.wav"}).exitCode, 0);
  EXPECT_EQ(ReadBytes(scene.dir.File("zero.wav")).size(), 44u + ExportFrames(133) * 4u);

  for (std::vector<std::string> args : std::vector<std::vector<std::string>>{
           {"render", scene.file, "--pattern", "16", "-o", "x.wav"},
           {"render", scene.file, "--kit", "k.kit", "-o", "x.wav"},
           {"render", "beat.pat", "--kit", "k.kit", "--pattern", "2", "-o", "x.wav"}}) {
    r = scene.Run(args);
    EXPECT_EQ(r.exitCode, 2) << testing::PrintToString(args);
  }

  // A cut project is refused; a project whose sample is gone still renders.
  Bytes whole = ReadBytes(scene.file);
  test::WriteBytes(scene.dir.File("cut.blp"), Bytes(whole.begin(), whole.end() - 1));
  r = scene.Run({"render", scene.dir.File("cut.blp"), "-o", "x.wav"});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_EQ(r.err, "Error: unable to load the file:\n " + scene.dir.File("cut.blp") + "\n");
  EXPECT_FALSE(std::filesystem::exists(scene.dir.File("x.wav")));
  std::filesystem::remove(scene.dir.File("b.wav"));
  r = scene.Run({"render", scene.file, "-o", "x.wav"});
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_EQ(r.err, "Unable to read the file:\n b.wav\n");
}

TEST(CliProject, InfoSummarisesEachKindOfFile) {
  Scene scene;
  auto r = scene.Run({"info", scene.file});
  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_NE(r.out.find("pattern 0: tempo 133, 32 notes\n"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("pattern 3: tempo 500 (plays at 350), 29 notes\n"), std::string::npos);
  EXPECT_NE(r.out.find("pattern 15: tempo 120, 0 notes\n"), std::string::npos);
  EXPECT_NE(r.out.find("slot 0: " + scene.dir.File("a.wav") +
                       " (loop on, fade off)\n"
                       "slot 7: b.wav (loop off, fade on)\n2 of 64 slots in use\n"),
            std::string::npos);

  auto kit = std::make_unique<CKit>();
  (*kit)[4].samplePath = scene.dir.File("a.wav");
  (*kit)[4].fade = true;
  ASSERT_TRUE(kit->Save(scene.dir.File("drums.kit")));
  r = scene.Run({"info", "drums.kit"});
  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out, "kit drums.kit\nslot 4: " + scene.dir.File("a.wav") +
                       ", 2000 frames, loop off, fade on\n1 of 64 slots in use\n");

  r = scene.Run({"info", "b.wav"});
  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out, "wave b.wav\nformat: 2 channels, 16 bits, 22050 Hz\nframes 3\nroot key 48\n");

  test::WriteBytes(scene.dir.File("beat.pat"), EncodePatternFile(Pattern{}, 99));
  r = scene.Run({"info", "beat.pat"});
  EXPECT_EQ(r.out, "pattern beat.pat\ntempo 99\nnotes 0\n");

  // Damaged or unknown files: the program's own message and a failure, never a crash.
  const Bytes tond{'T', 'O', 'N', 'D', 1, 0, 1, 0}, riff{'R', 'I', 'F', 'F', 1, 2};
  const std::vector<std::tuple<std::string, Bytes, std::string>> damaged{
      {"x.blp", tond, "Error: unable to load the file:\n x.blp\n"},
      {"y.blp", riff, "Error: this is not a Tond project file:\n y.blp\n"},
      {"x.wav", riff, "Unable to read the file:\n x.wav\n"},
      {"x.kit", {}, "Error: unable to load the file:\n x.kit\n"}};
  for (const auto& [name, bytes, message] : damaged) {
    if (!bytes.empty()) test::WriteBytes(scene.dir.File(name), bytes);
    r = scene.Run({"info", name});
    EXPECT_EQ(r.exitCode, 1) << name;
    EXPECT_EQ(r.out, "") << name;
    EXPECT_EQ(r.err, message) << name;
  }
  r = scene.Run({"info", "notes.txt"});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_EQ(scene.Run({"info"}).exitCode, 2);
}

}  // namespace
}  // namespace tond
