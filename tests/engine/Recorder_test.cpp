#include "engine/Recorder.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "engine/RecordingFile.h"
#include "support/TestFiles.h"

namespace tond {
namespace {

using test::Bytes;
using test::ReadRecording;

// Feeds `frames` frames in callback-sized pieces, as the audio thread would.
void Feed(Recorder& recorder, const std::vector<float>& samples, std::uint32_t piece = 256) {
  const auto frames = static_cast<std::uint32_t>(samples.size() / 2);
  for (std::uint32_t done = 0; done < frames; done += piece) {
    recorder.RecordBuffer(samples.data() + 2 * done, std::min(piece, frames - done));
  }
}

TEST(Recorder, TakesTheFirstFreeNumberAndLeavesExistingFilesAlone) {
  test::TempDir both;
  test::WriteText(both.File("output1.wav"), "one");
  test::WriteText(both.File("output2.wav"), "two");
  test::TempDir gap;
  test::WriteText(gap.File("output2.wav"), "two");

  test::RecordingNotifier notifier;
  Recorder recorder;
  ASSERT_TRUE(recorder.Start(both.Path().string(), &notifier));
  EXPECT_EQ(recorder.Path(), both.File("output3.wav"));
  recorder.Stop();
  EXPECT_EQ(test::ReadText(both.File("output1.wav")), "one");
  EXPECT_EQ(test::ReadText(both.File("output2.wav")), "two");

  ASSERT_TRUE(recorder.Start(gap.Path().string(), &notifier));
  EXPECT_EQ(recorder.Path(), gap.File("output1.wav"));
  recorder.Stop();
  ASSERT_TRUE(recorder.Start(gap.Path().string(), &notifier));
  EXPECT_EQ(recorder.Path(), gap.File("output3.wav"));
  recorder.Stop();
  EXPECT_EQ(test::ReadText(gap.File("output2.wav")), "two");
  EXPECT_TRUE(notifier.messages.empty());
}

TEST(Recorder, OneSecondGivesAConsistentHeaderAndClippedSamples) {
  test::TempDir dir;
  test::RecordingNotifier notifier;
  Recorder recorder;
  ASSERT_TRUE(recorder.Start(dir.Path().string(), &notifier));
  EXPECT_TRUE(recorder.IsRecording());

  std::vector<float> samples(2 * 44100, 0.0f);
  const float head[] = {0.5f, -0.5f, 2.0f, -2.0f, 1.0f, -1.0f, 0.99999f, NAN, -1.00005f, 0.25f};
  std::copy(std::begin(head), std::end(head), samples.begin());
  Feed(recorder, samples);

  // While recording, the frame count is not known yet.
  Bytes during = test::ReadBytes(recorder.Path());
  ASSERT_GE(during.size(), 56u);
  EXPECT_EQ(test::GetU32(during, 44), 0xFFFFFFFFu);

  recorder.Stop();
  EXPECT_FALSE(recorder.IsRecording());
  test::Recording r = ReadRecording(recorder.Path());
  EXPECT_EQ(r.dataSize, 176400u);
  EXPECT_EQ(r.factFrames, 44100u);
  EXPECT_EQ(r.riffSize, 176448u);
  const std::vector<std::int16_t> expected = {16383,  -16383, 32767, -32768, 32767,
                                              -32767, 32766,  0,     -32768, 8191};
  EXPECT_EQ(std::vector<std::int16_t>(r.samples.begin(), r.samples.begin() + 10), expected);
  EXPECT_EQ(recorder.LostFrames(), 0u);
  EXPECT_TRUE(notifier.messages.empty());

  // Buffers after the stop go nowhere.
  Feed(recorder, samples);
  EXPECT_EQ(test::ReadBytes(recorder.Path()), r.bytes);
}

TEST(Recorder, AFolderThatCannotBeWrittenIsReportedAndNothingRecords) {
  test::TempDir dir;
  const std::string notAFolder = dir.File("file");
  test::WriteText(notAFolder, "x");
  for (const std::string& folder : {notAFolder, dir.File("missing")}) {
    test::RecordingNotifier notifier;
    Recorder recorder;
    EXPECT_FALSE(recorder.Start(folder, &notifier));
    EXPECT_FALSE(recorder.IsRecording());
    ASSERT_EQ(notifier.messages.size(), 1u);
    EXPECT_EQ(notifier.messages[0], "Error: unable to save the file:\n " + folder + "/output1.wav");
    std::vector<float> samples(512, 0.5f);
    Feed(recorder, samples);
    recorder.Stop();
    EXPECT_EQ(notifier.messages.size(), 1u);
  }
}

TEST(Recorder, DestructorFinishesTheFile) {
  test::TempDir dir;
  std::string path;
  {
    Recorder recorder;
    ASSERT_TRUE(recorder.Start(dir.Path().string(), nullptr));
    path = recorder.Path();
    Feed(recorder, std::vector<float>(2 * 1000, 0.1f));
  }
  test::Recording r = ReadRecording(path);
  EXPECT_EQ(r.factFrames, 1000u);
  EXPECT_EQ(r.samples[1999], 3276);
}

TEST(Recorder, ABufferTheRingCannotHoldIsCountedAndReported) {
  test::TempDir dir;
  test::RecordingNotifier notifier;
  Recorder recorder;
  ASSERT_TRUE(recorder.Start(dir.Path().string(), &notifier));
  const std::uint32_t tooMany = Recorder::kRingBytes / 4 + 1;
  std::vector<float> huge(2 * tooMany, 0.5f);
  recorder.RecordBuffer(huge.data(), tooMany);
  Feed(recorder, std::vector<float>(2 * 300, 0.5f));
  EXPECT_EQ(recorder.LostFrames(), tooMany);
  recorder.Stop();
  EXPECT_EQ(ReadRecording(recorder.Path()).factFrames, 300u);
  ASSERT_EQ(notifier.messages.size(), 1u);
  EXPECT_NE(notifier.messages[0].find(std::to_string(tooMany) + " frames"), std::string::npos);
  EXPECT_NE(notifier.messages[0].find(recorder.Path()), std::string::npos);
}

}  // namespace
}  // namespace tond
