// Where relative sample paths are found, and how a render ends when some cannot be read.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "RunTond.h"
#include "app/Cli.h"
#include "kit/WaveReader.h"

namespace tond {
namespace {

namespace fs = std::filesystem;

TEST(CliSamples, FoundInTheLaunchFolderThenBesideTheKitThenBesideTheProgramAndUnreadOnesCounted) {
  const fs::path program = fs::path(std::getenv("TOND_BINARY")).parent_path();
  test::TondFolder dir;
  fs::create_directories(dir.File("drums"));
  dir.Tone("same.wav", 200, 20);  // the launch folder's wins over the kit folder's
  dir.Tone("drums/same.wav", 300, 30);
  dir.Tone("drums/only.wav", 400, 40);
  const std::vector<std::string> gone = {"gone1.wav", "gone2.wav", "gone3.wav", "gone4.wav"};
  std::vector<std::string> named = {"same.wav", "only.wav", "kits/00-kick.wav"};
  named.insert(named.end(), gone.begin(), gone.end());
  dir.Kit("drums/relative.kit", named);
  std::vector<std::string> found = {dir.File("same.wav"), dir.File("drums/only.wav"),
                                    (program / "kits/00-kick.wav").string()};
  found.insert(found.end(), gone.begin(), gone.end());
  dir.Kit("found.kit", found);
  Pattern cells{};
  for (int row = 0; row < 3; ++row) cells[CellIndex(row * 5, row)] = MakeCell(255, 128, 128);
  dir.PatternFile("p.pat", cells, 120);

  test::TondResult r = dir.Tond("info drums/relative.kit");
  EXPECT_NE(r.out.find("slot 0: same.wav, 200 frames"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("slot 1: only.wav, 400 frames"), std::string::npos);
  EXPECT_NE(
      r.out.find("slot 2: kits/00-kick.wav, " + std::to_string(*WaveFrames(found[2])) + " frames"),
      std::string::npos);
  EXPECT_NE(r.out.find("slot 3: gone1.wav, missing"), std::string::npos);

  // The render loads what info names; the first three unread samples are named, all counted.
  r = dir.Tond("render p.pat --kit drums/relative.kit -o relative.wav");
  EXPECT_EQ(r.exitCode, cli::kExitUnreadSamples);
  std::string shown;
  for (int i = 1; i <= 3; ++i)
    shown += "tond render: Unable to read the file:\n gone" + std::to_string(i) +
             ".wav\nNo such file or directory\n";
  EXPECT_EQ(r.err, shown + "tond render: 4 of 7 samples could not be read\n");
  dir.Tond("render p.pat --kit found.kit -o found.wav");
  EXPECT_EQ(dir.Read("relative.wav"), dir.Read("found.wav"));

  // The shipped demo plays its kit from any folder.
  r = test::RunTond({"render", (program / "Projects/demo.blp").string(), "-o", "demo.wav"},
                    dir.dir.Path().string());
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_EQ(r.err, "");
}

}  // namespace
}  // namespace tond
