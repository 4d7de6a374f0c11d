#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cmath>
#include <filesystem>
#include <memory>

#include "RunTond.h"
#include "engine/Engine.h"
#include "engine/Export.h"
#include "files/PatternFile.h"
#include "kit/Kit.h"
#include "support/TestFiles.h"

namespace tond {
namespace {

using test::Bytes;
using test::ReadBytes;
using test::RecordingNotifier;
using test::RunTond;
using test::TempDir;

std::string KitText(const std::vector<std::string>& samples) {
  std::string text = "<?xml version=\"1.0\"?>\r\n<TondKit>\r\n";
  for (std::size_t i = 0; i < 64; ++i) {
    std::string path = i < samples.size() ? samples[i] : "not used";
    text += "\t<instrument>\r\n\t\t<sample name = \"" + path + "\"/>\r\n";
    text += "\t\t<loop value = \"no\"/>\r\n\t\t<fade value = \"no\"/>\r\n\t</instrument>\r\n";
  }
  return text + "</TondKit>\r\n";
}

std::vector<std::int16_t> Tone(int frames, double period) {
  std::vector<std::int16_t> s;
  for (int i = 0; i < frames; ++i)
    s.push_back(static_cast<std::int16_t>(20000 * std::sin(i * 6.283185 / period) *
                                          (frames - i) / frames));
  return s;
}

// A folder with two samples, a kit (slot 0 by full path, slot 1 relative to the folder, slot 2
// as given) and a pattern stored with a tempo beyond the control's range.
struct Scene {
  explicit Scene(const std::string& third = "not used") {
    test::WriteBytes(dir.File("a.wav"), test::MakeWave16(Tone(3000, 37.3)));
    test::WriteBytes(dir.File("b.wav"), test::MakeWave16(Tone(900, 11.0)));
    test::WriteText(kit, KitText({dir.File("a.wav"), "b.wav", third}));
    Pattern cells{};
    for (int c = 0; c < kColumns; c += 3) cells[CellIndex(c, 0)] = MakeCell(200, 40, 0);
    for (int c = 1; c < kColumns; c += 4) cells[CellIndex(c, 1)] = MakeCell(255, 200, 230);
    for (int c = 0; c < kColumns; c += 8) cells[CellIndex(c, 2)] = MakeCell(255, 128, 128);
    test::WriteBytes(pattern, EncodePatternFile(cells, 500));
  }

  // What the Export command writes for the same files, computed in this process.
  Bytes Reference(std::uint8_t interpolation = kLinear, double volume = 80) {
    // Relative sample paths resolve against the working folder, as for the program.
    auto previous = std::filesystem::current_path();
    std::filesystem::current_path(dir.Path());
    RecordingNotifier notifier;
    auto data = ReadPatternFile(pattern, notifier);
    auto samples = std::make_unique<CKit>();
    EXPECT_TRUE(samples->Load(kit, &notifier, nullptr));
    std::filesystem::current_path(previous);
    auto grid = std::make_unique<Grid>();
    grid->CopyFrom(data->cells);
    Engine engine(*grid, *samples);
    engine.SetTempo(ClampTempoControl(data->tempo));
    engine.SetInterpolation(interpolation);
    engine.SetVolume(static_cast<float>(volume / 100.0));
    EXPECT_TRUE(ExportWave(engine, dir.File("reference.wav")));
    return ReadBytes(dir.File("reference.wav"));
  }

  test::TondResult Render(std::vector<std::string> extra = {}) {
    std::vector<std::string> args{"render", pattern, "--kit", kit, "-o", "out.wav"};
    args.insert(args.end(), extra.begin(), extra.end());
    return RunTond(args, dir.Path().string());
  }
  Bytes Output() const { return ReadBytes(dir.File("out.wav")); }

  TempDir dir;
  std::string kit = dir.File("drums.kit");
  std::string pattern = dir.File("beat.pat");
};

TEST(Cli, RenderWritesWhatTheExportWrites) {
  Scene scene;
  auto result = scene.Render();
  EXPECT_EQ(result.exitCode, 0) << result.err;
  EXPECT_EQ(result.err, "");
  Bytes out = scene.Output();
  // Tempo 500 is kept to 350: 42336000 / 350 frames.
  ASSERT_EQ(out.size(), 44u + 120960u * 4u);
  EXPECT_EQ(out, scene.Reference());
  EXPECT_NE(out, Bytes(out.size(), 0));
}

TEST(Cli, InterpolationAndVolumeTakeEffect) {
  Scene scene;
  ASSERT_EQ(scene.Render().exitCode, 0);
  Bytes linear = scene.Output();

  auto result = scene.Render({"--interpolation", "truncate", "--volume", "37"});
  EXPECT_EQ(result.exitCode, 0) << result.err;
  EXPECT_EQ(scene.Output(), scene.Reference(kTruncate, 37));
  EXPECT_NE(scene.Output(), linear);

  ASSERT_EQ(scene.Render({"--interpolation=quadratic"}).exitCode, 0);
  EXPECT_EQ(scene.Output(), scene.Reference(kQuadratic));

  // Normalisation hides the volume, except that nothing is left at 0.
  ASSERT_EQ(scene.Render({"--volume", "0"}).exitCode, 0);
  Bytes silent = scene.Output();
  ASSERT_EQ(silent.size(), linear.size());
  EXPECT_EQ(Bytes(silent.begin() + 44, silent.end()), Bytes(silent.size() - 44, 0));
}

TEST(Cli, MissingSampleIsReportedAndTheRenderGoesOn) {
  Scene scene("gone.wav");
  auto result = scene.Render();
  EXPECT_EQ(result.exitCode, 0);
  EXPECT_EQ(result.err, "Unable to read the file:\n gone.wav\n");
  EXPECT_EQ(scene.Output(), scene.Reference());
}

TEST(Cli, BadInputsFailWithTheirMessages) {
  Scene scene;
  const std::string work = scene.dir.Path().string();
  auto render = [&](const std::string& input, const std::string& kit, const std::string& out) {
    return RunTond({"render", input, "--kit", kit, "-o", out}, work);
  };
  const std::string missing = scene.dir.File("missing.pat");
  auto r = render(missing, scene.kit, "x.wav");
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_EQ(r.err, "Error: unable to load the file:\n " + missing + "\n");

  r = render(scene.kit, scene.kit, "x.wav");
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_EQ(r.err, "Error: this is not a Tond pattern file:\n " + scene.kit + "\n");

  const std::string cut = scene.dir.File("cut.pat");
  Bytes whole = ReadBytes(scene.pattern);
  test::WriteBytes(cut, Bytes(whole.begin(), whole.end() - 1));
  r = render(cut, scene.kit, "x.wav");
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_EQ(r.err, "Error: unable to load the file:\n " + cut + "\n");

  // A pipe nobody writes to must not block the program.
  const std::string fifo = scene.dir.File("fifo.pat");
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  r = render(fifo, scene.kit, "x.wav");
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_EQ(r.err, "Error: unable to load the file:\n " + fifo + "\n");

  r = render(scene.pattern, missing + ".kit", "x.wav");
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_EQ(r.err, "Error: unable to load the file:\n " + missing + ".kit\n");
  EXPECT_FALSE(std::filesystem::exists(scene.dir.File("x.wav")));

  // The parent of the output is a regular file.
  const std::string blocked = scene.pattern + "/x.wav";
  r = render(scene.pattern, scene.kit, blocked);
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_EQ(r.err, "Error: unable to save the file:\n " + blocked + "\n");

  for (std::vector<std::string> args : std::vector<std::vector<std::string>>{
           {},
           {"bogus"},
           {"render", scene.pattern, "--kit", scene.kit},
           {"render", "--kit", scene.kit, "-o", "x.wav"},
           {"render", scene.pattern, "--kit", scene.kit, "-o", "x.wav", "--volume", "101"},
           {"render", scene.pattern, "--kit", scene.kit, "-o", "x.wav", "--volume", "8O"},
           {"render", scene.pattern, "--kit", scene.kit, "-o", "x.wav", "--interpolation", "cubic"},
           {"render", scene.pattern, "--kit", scene.kit, "-o", "x.wav", "--fast"},
           {"render", scene.pattern, "--kit", scene.kit, "-o", "x.wav", "-o", "y.wav"},
           {"render", scene.pattern, "--kit", scene.kit, "-o"}}) {
    r = RunTond(args, work);
    EXPECT_EQ(r.exitCode, 2) << testing::PrintToString(args);
    EXPECT_NE(r.err.find("Usage: tond"), std::string::npos) << testing::PrintToString(args);
  }
  EXPECT_FALSE(std::filesystem::exists(scene.dir.File("x.wav")));

  r = RunTond({"--version"}, work);
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_EQ(r.out, "Tond 1.02\n");
  r = RunTond({"--help"}, work);
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_NE(r.out.find("render INPUT.pat --kit KIT.kit"), std::string::npos);
}

}  // namespace
}  // namespace tond
