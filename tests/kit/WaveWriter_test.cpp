#include "kit/WaveWriter.h"

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>
#include <filesystem>

#include "support/TestFiles.h"

namespace tond {
namespace {

TEST(WaveWriter, WritesTheHeaderAndNormalisedSamples) {
  test::TempDir dir;
  const std::string path = dir.File("out.wav");
  std::vector<float> samples{0.25f, -0.25f, 0.125f, -0.1f, 0.0f, 0.2f};
  ASSERT_TRUE(WriteWave(path, samples.data(), 3, 2));

  test::Bytes expected;
  test::PutTag(expected, "RIFF");
  test::PutU32(expected, 36 + 12);
  test::PutTag(expected, "WAVE");
  test::PutTag(expected, "fmt ");
  // fmt size, format 1 with 2 channels, rate, bytes per second, 4 bytes per frame of 16 bits.
  for (std::uint32_t v : {16u, 1u | 2u << 16, 44100u, 176400u, 4u | 16u << 16})
    test::PutU32(expected, v);
  test::PutTag(expected, "data");
  test::PutU32(expected, 12);
  // Peak 0.25 becomes full scale; products truncate toward zero (16383.5 -> 16383,
  // -13106.8 -> -13106, 26213.6 -> 26213).
  for (int v : {32767, -32767, 16383, -13106, 0, 26213})
    test::PutU16(expected, static_cast<std::uint16_t>(v));
  EXPECT_EQ(test::ReadBytes(path), expected);
  EXPECT_EQ(samples[1], -1.0f);  // normalised in place

  // Nothing to write, or nothing to divide by: a header, and zeros stay zeros.
  ASSERT_TRUE(WriteWave(path, nullptr, 0, 2));
  EXPECT_EQ(test::ReadBytes(path).size(), 44u);
  std::vector<float> silence(64, 0.0f);
  ASSERT_TRUE(WriteWave(path, silence.data(), 32, 2));
  const test::Bytes file = test::ReadBytes(path);
  EXPECT_EQ(test::Bytes(file.begin() + 44, file.end()), test::Bytes(128, 0));
}

TEST(WaveWriter, FailureReturnsFalseAndKeepsTheOldFile) {
  test::TempDir dir;
  std::vector<float> samples(5000, 0.5f);
  // Sizes that a RIFF header cannot hold, and no channels, are refused before any file.
  EXPECT_FALSE(WriteWave(dir.File("huge.wav"), samples.data(), 0x7FFFFFFF, 2));
  EXPECT_FALSE(WriteWave(dir.File("none.wav"), samples.data(), 2500, 0));
  EXPECT_FALSE(WriteWave(dir.File("missing/out.wav"), samples.data(), 2500, 2));

  // A file size limit makes the write fail part-way, even for root.
  const std::string path = dir.File("old.wav");
  test::WriteText(path, "old contents");
  rlimit saved;
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
  auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
  rlimit small = saved;
  small.rlim_cur = 4096;
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
  const bool ok = WriteWave(path, samples.data(), 2500, 2);
  setrlimit(RLIMIT_FSIZE, &saved);
  std::signal(SIGXFSZ, oldHandler);
  EXPECT_FALSE(ok);
  EXPECT_EQ(test::ReadText(path), "old contents");
  // No temporary file is left behind: only old.wav.
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1);
}

}  // namespace
}  // namespace tond
