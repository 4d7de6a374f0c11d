#include <gtest/gtest.h>

#include <tuple>

#include "RunTond.h"

namespace tond {
namespace {

using test::Bytes;

TEST(CliInfo, SummarisesEachKindOfFile) {
  test::CliScene scene;
  auto r = scene.Tond("info song.blp");
  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_NE(r.out.find("pattern 0: tempo 133, 46 notes\n"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("pattern 3: tempo 500 (plays at 350), 29 notes\n"), std::string::npos);
  EXPECT_NE(r.out.find("pattern 15: tempo 120, 0 notes\n"), std::string::npos);
  EXPECT_NE(r.out.find("slot 0: " + scene.File("a.wav") +
                       " (loop on, fade off)\nslot 1: b.wav (loop off, fade on)\nslot 2: " +
                       scene.kGone + " (loop off, fade off)\n3 of 64 slots in use\n"),
            std::string::npos);
  r = scene.Tond("info drums.kit");
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_EQ(r.err, "Unable to read the file:\n " + std::string(scene.kGone) +
                       "\nNo such file or directory\n");
  EXPECT_EQ(r.out, "kit drums.kit\nslot 0: " + scene.File("a.wav") +
                       ", 2000 frames, loop off, fade off\n"
                       "slot 1: b.wav, 3 frames, loop off, fade off\nslot 2: " +
                       scene.kGone + ", 0 frames, loop off, fade off\n3 of 64 slots in use\n");
  r = scene.Tond("info b.wav");
  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out, "wave b.wav\nformat: 2 channels, 16 bits, 22050 Hz\nframes 3\nroot key 48\n");
  EXPECT_EQ(scene.Tond("info beat.pat").out,
            "pattern beat.pat\ntempo 500 (plays at 350)\nnotes 46\n");

  // Damaged or unknown files: the program's own message and a failure, never a crash. (Pipes:
  // the corpus test holds every reader to refusing them at once.)
  const Bytes tond{'T', 'O', 'N', 'D', 1, 0, 1, 0}, riff{'R', 'I', 'F', 'F', 1, 2};
  for (const auto& [name, bytes, message] :
       std::vector<std::tuple<std::string, Bytes, std::string>>{
           {"x.blp", tond, "Error: unable to load the file:\n x.blp\n"},
           {"y.blp", riff, "Error: this is not a Tond project file:\n y.blp\n"},
           {"x.wav", riff, "Unable to read the file:\n x.wav\n"},
           {"x.kit", {}, "Error: unable to load the file:\n x.kit\nNo such file or directory\n"},
           {"a.txt",
            {},
            "tond info: cannot tell what a.txt holds: the name must end in .blp, .pat, "
            ".kit or .wav\n"}}) {
    if (!bytes.empty()) test::WriteBytes(scene.File(name), bytes);
    r = scene.Tond("info " + name);
    EXPECT_EQ(r.exitCode, 1) << name;
    EXPECT_EQ(r.out, "") << name;
    EXPECT_EQ(r.err, message) << name;
  }
}

}  // namespace
}  // namespace tond
