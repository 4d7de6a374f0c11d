#include "engine/Recorder.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "engine/RecordingFile.h"
#include "support/TestFiles.h"

namespace tond {
namespace {

// Feeds the frames in callback-sized pieces, as the audio thread would.
void Feed(Recorder& recorder, const std::vector<float>& samples) {
  const auto frames = static_cast<std::uint32_t>(samples.size() / 2);
  for (std::uint32_t done = 0; done < frames; done += 256) {
    recorder.RecordBuffer(samples.data() + 2 * done, std::min(256u, frames - done));
  }
}

TEST(Recorder, NumberedFilesWithAConsistentHeaderAndClippedSamples) {
  test::TempDir dir;
  test::WriteText(dir.File("output1.wav"), "one");
  test::WriteText(dir.File("output2.wav"), "two");
  test::RecordingNotifier notifier;
  Recorder recorder;
  ASSERT_TRUE(recorder.Start(dir.Path().string(), &notifier));
  EXPECT_EQ(recorder.Path(), dir.File("output3.wav"));
  std::vector<float> samples(2 * 44100, 0.0f);
  const float head[] = {0.5f, -0.5f, 2.0f, -2.0f, 1.0f, -1.0f, 0.99999f, NAN, -1.00005f, 0.25f};
  std::copy(std::begin(head), std::end(head), samples.begin());
  Feed(recorder, samples);
  // While recording, the frame count is not known yet.
  EXPECT_EQ(test::GetU32(test::ReadBytes(recorder.Path()), 44), 0xFFFFFFFFu);

  recorder.Stop();
  EXPECT_FALSE(recorder.IsRecording());
  const test::Recording r = test::ReadRecording(recorder.Path());
  EXPECT_EQ(r.dataSize, 176400u);
  EXPECT_EQ(r.factFrames, 44100u);
  const std::vector<std::int16_t> expected = {16383,  -16383, 32767, -32768, 32767,
                                              -32767, 32766,  0,     -32768, 8191};
  EXPECT_EQ(std::vector<std::int16_t>(r.samples.begin(), r.samples.begin() + 10), expected);
  Feed(recorder, samples);  // after the stop: goes nowhere
  EXPECT_EQ(test::ReadBytes(recorder.Path()), r.bytes);
  EXPECT_EQ(test::ReadText(dir.File("output1.wav")), "one");
  EXPECT_EQ(test::ReadText(dir.File("output2.wav")), "two");
  EXPECT_TRUE(notifier.messages.empty());

  // With only output2.wav there: output1.wav, then output3.wav, which the destructor finishes.
  test::TempDir gap;
  test::WriteText(gap.File("output2.wav"), "two");
  for (const char* name : {"output1.wav", "output3.wav"}) {
    Recorder running;
    ASSERT_TRUE(running.Start(gap.Path().string(), nullptr));
    EXPECT_EQ(running.Path(), gap.File(name));
    Feed(running, std::vector<float>(2 * 1000, 0.1f));
  }
  const test::Recording last = test::ReadRecording(gap.File("output3.wav"));
  EXPECT_EQ(last.factFrames, 1000u);
  EXPECT_EQ(last.samples[1999], 3276);
  EXPECT_EQ(test::ReadText(gap.File("output2.wav")), "two");
}

TEST(Recorder, AnUnwritableFolderAndLostFramesAreReported) {
  test::TempDir dir;
  const std::string notAFolder = dir.File("file");
  test::WriteText(notAFolder, "x");
  for (const std::string& folder : {notAFolder, dir.File("missing")}) {
    test::RecordingNotifier notifier;
    Recorder recorder;
    EXPECT_FALSE(recorder.Start(folder, &notifier));
    EXPECT_FALSE(recorder.IsRecording());
    Feed(recorder, std::vector<float>(512, 0.5f));
    recorder.Stop();
    EXPECT_EQ(notifier.messages, std::vector<std::string>{"Error: unable to save the file:\n " +
                                                          folder + "/output1.wav"});
  }

  // A buffer that the ring cannot hold is dropped, counted and reported at the stop; the
  // destructor finishes a recording without a message.
  test::RecordingNotifier notifier;
  const std::uint32_t tooMany = Recorder::kRingBytes / 4 + 1;
  const std::vector<float> huge(2 * tooMany, 0.5f);
  for (bool stop : {true, false}) {
    Recorder recorder;
    ASSERT_TRUE(recorder.Start(dir.Path().string(), &notifier));
    recorder.RecordBuffer(huge.data(), tooMany);
    Feed(recorder, std::vector<float>(2 * 300, 0.5f));
    EXPECT_EQ(recorder.LostFrames(), tooMany);
    if (!stop) continue;
    recorder.Stop();
    EXPECT_EQ(test::ReadRecording(recorder.Path()).factFrames, 300u);
  }
  EXPECT_EQ(notifier.messages,
            std::vector<std::string>{"Warning: " + std::to_string(tooMany) +
                                     " frames could not be written in time and are missing from "
                                     "the recording:\n " +
                                     dir.File("output1.wav")});
}

}  // namespace
}  // namespace tond
