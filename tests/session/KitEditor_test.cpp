// The kit editor's commands as the session runs them: dialogs, questions and messages, and what
// each does to the kit. (What a build takes, and in which order: the kit builder's test.)
#include <gtest/gtest.h>

#include <filesystem>
#include <tuple>

#include "model/Project.h"
#include "session/Session.h"
#include "support/SessionFixture.h"
#include "support/TestFiles.h"

namespace tond::test {
namespace {

using Texts = std::vector<std::string>;
using Flag = Session::KitFlag;

// Cancels the scan after it has looked at one file.
struct CancellingRunner : ScanRunner, ScanProgress {
  bool Run(const std::function<void(ScanProgress&)>& work) override {
    work(*this);
    return !cancelled;
  }
  void Looking(const std::string&) override { cancelled = true; }
  bool Cancelled() override { return cancelled; }
  bool cancelled = false;
};

struct KitEditorTest : SessionFixture, ::testing::Test {
  const CKit& Kit() const { return session.GetProject().kit; }
  TempDir dir;
  InPlaceRunner inPlace;
};

TEST_F(KitEditorTest, NameColumnFlagsAndEmptying) {
  const std::string a = dir.Wave("a.wav");
  platform.paths.push_back(a);
  EXPECT_TRUE(session.ChooseKitSample(3).kit);
  EXPECT_EQ(platform.dialogs.back(), (FileDialog{dialogs::kWaveFilter, "*.wav", "/data/Waves"}));
  EXPECT_EQ(folders.waves, a);
  EXPECT_EQ(Kit()[3].Length(), 2u);
  EXPECT_TRUE(session.Modified());

  // Shift on a slot whose loop is off turns every loop on; a plain click toggles one.
  session.ToggleKitFlag(3, Flag::kLoop, true);
  for (int i = 0; i < 64; ++i) EXPECT_TRUE(Kit()[i].loop);
  session.ToggleKitFlag(3, Flag::kLoop, false);
  EXPECT_FALSE(Kit()[3].loop);
  EXPECT_TRUE(Kit()[4].loop);
  session.ToggleKitFlag(0, Flag::kFade, false);
  EXPECT_TRUE(Kit()[0].fade);

  session.SetKitKeys(3, 70, 20, 9);
  session.ToggleKitFlag(3, Flag::kLoop, false);
  session.EmptyKitSlot(3);
  EXPECT_EQ(Kit()[3].samplePath, kNotUsed);
  EXPECT_EQ(Kit()[3].Length(), 0u);
  EXPECT_FALSE(Kit()[3].loop);
  EXPECT_EQ(Kit()[3].minkey, 70);  // the range and scale stay
  EXPECT_EQ(Kit()[3].scale, 9);

  // A file that cannot be read: its path, no sample, and the read message.
  EXPECT_TRUE(session.SetKitSample(5, dir.File("gone.wav")).refused);
  EXPECT_EQ(Kit()[5].samplePath, dir.File("gone.wav"));
  EXPECT_EQ(platform.messages, Texts{"Unable to read the file:\n " + dir.File("gone.wav")});

  // Clear always asks, even with confirmations off.
  settings.confirmationMessages = false;
  session.ClearKit();
  EXPECT_EQ(platform.questions, Texts{"Are you sure you want to clear this kit?"});
  EXPECT_TRUE(Kit()[4].loop);
  platform.confirms.push_back(true);
  session.ClearKit();
  EXPECT_FALSE(Kit()[4].loop);
  EXPECT_EQ(Kit()[5].samplePath, kNotUsed);
}

TEST_F(KitEditorTest, AddedFilesTakeTheFirstEmptySlots) {
  const Texts three = {dir.Wave("x.wav"), dir.Wave("y.wav"), dir.Wave("z.wav")};
  for (int i = 1; i < 64; ++i) session.SetKitSample(i, three[0]);
  platform.fileLists.push_back(three);
  EXPECT_TRUE(session.AddKitSamples().refused);
  EXPECT_EQ(platform.dialogs.back(), (FileDialog{dialogs::kWaveFilter, "*.wav", "/data/Waves"}));
  EXPECT_EQ(folders.waves, three[0]);
  EXPECT_EQ(Kit()[0].samplePath, three[0]);
  EXPECT_EQ(platform.messages, Texts{"There was not enough empty slots for all samples."});
  EXPECT_EQ(platform.busyDepth, 0);
}

TEST_F(KitEditorTest, LoadingEmptiesEverySlotFirstUnlessTheFileCannotBeOpened) {
  const std::string a = dir.Wave("a.wav");
  session.SetKitSample(9, a);
  session.SetKitKeys(9, 70, 20, 9);
  WriteText(dir.File("one.kit"), KitText({{a, "yes"}}));
  EXPECT_TRUE(session.LoadKitIntoEditor(dir.File("gone.kit")).refused);
  EXPECT_EQ(Kit()[9].samplePath, a);
  platform.paths.push_back(dir.File("one.kit"));
  Change change = session.LoadKit();
  EXPECT_EQ(platform.dialogs.back(), (FileDialog{dialogs::kKitFilter, "*.kit", "/data/Kits"}));
  EXPECT_EQ(change.status, "Loading " + a + " ...");
  EXPECT_EQ(Kit()[0].samplePath, a);
  EXPECT_EQ(Kit()[9].samplePath, kNotUsed);
  EXPECT_EQ(std::tuple(Kit()[9].minkey, Kit()[9].maxkey, Kit()[9].scale), std::tuple(70, 20, 9));

  platform.paths.push_back(dir.File("saved.kit"));
  session.SaveKit();
  EXPECT_EQ(folders.kits, dir.File("saved.kit"));
  EXPECT_TRUE(std::filesystem::exists(dir.File("saved.kit")));
}

TEST_F(KitEditorTest, FolderAndTreeBuildsAndTheirCancel) {
  const std::string b = dir.Wave("s/b.wav");
  platform.paths.push_back(dir.File("s"));
  Change change = session.KitFromFolder(inPlace);
  EXPECT_EQ(platform.dialogs.back().filter, "Choose the folder from which to get the samples.");
  EXPECT_EQ(Kit()[0].samplePath, b);
  EXPECT_EQ(change.status, "Loading... " + b);

  // A cancelled search keeps the kit and the random source.
  dir.Wave("t/c.wav");
  RandomSource before = session.Random();
  CancellingRunner cancel;
  EXPECT_FALSE(session.KitFromTreePath(dir.File("t"), cancel).kit);
  EXPECT_EQ(Kit()[0].samplePath, b);
  EXPECT_EQ(session.Random().Next(), before.Next());

  platform.paths.push_back(dir.File("t"));
  session.KitFromRandomFiles(inPlace);
  EXPECT_EQ(platform.dialogs.back().filter,
            "Choose the root folder from which to get the random samples.");
  EXPECT_EQ(Kit()[0].samplePath, dir.File("t/c.wav"));

  EXPECT_TRUE(session.KitFromFolderPath(dir.File("s/none"), inPlace).refused);
  EXPECT_EQ(platform.messages.back(),
            "No sample file has been found in this folder, or they were not in the right format!");
}

TEST_F(KitEditorTest, SlicerRefusesShortFilesAndAsksBeforeReplacing) {
  const std::string shortWave =
      dir.Wave("short.wav", std::vector<std::int16_t>(kMinSliceFrames - 1, 100));
  EXPECT_TRUE(session.SliceSampleFile(shortWave).refused);
  EXPECT_EQ(platform.messages.back(), "The file '" + shortWave + "' is too short.");

  const std::string take = dir.Wave("Take.WAV", std::vector<std::int16_t>(kMinSliceFrames, 100));
  WriteText(dir.File("Take_kit07.wav"), "mine");
  platform.paths.push_back(take);
  EXPECT_TRUE(session.SliceSample().refused);
  EXPECT_EQ(
      platform.questions.back(),
      "Slices of the file '" + take + "' already exist beside it.\nDo you want to replace them?");
  EXPECT_EQ(ReadText(dir.File("Take_kit07.wav")), "mine");
  EXPECT_EQ(Kit()[0].samplePath, kNotUsed);

  platform.confirms.push_back(true);
  EXPECT_TRUE(session.SliceSampleFile(take).kit);
  EXPECT_EQ(Kit()[6].samplePath, dir.File("Take_kit07.wav"));
  EXPECT_EQ(Kit()[6].Length(), 11025u);
}

TEST_F(KitEditorTest, AuditionAndTheExternalEditor) {
  const std::string a = dir.Wave("a b.wav");
  session.SetKitSample(1, a);
  session.PlayKitSlot(0);  // "not used" has no file
  session.PlayKitSlot(1);
  session.StopKitSound();
  EXPECT_EQ(platform.sounds, (Texts{a, "(stop)"}));

  settings.audioEditor = "my editor";
  EXPECT_TRUE(session.OpenInAudioEditor(1));
  platform.startsPrograms = false;
  EXPECT_FALSE(session.OpenInAudioEditor(1));
  EXPECT_EQ(platform.programs, (Texts{"my editor " + a, "my editor " + a}));
  EXPECT_EQ(platform.messages, Texts{"Unable to open the wave file in the external audio editor."});
}

}  // namespace
}  // namespace tond::test
