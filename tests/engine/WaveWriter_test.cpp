#include "engine/WaveWriter.h"

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <algorithm>
#include <csignal>
#include <filesystem>

#include "support/TestFiles.h"

namespace tond {
namespace {

using test::Bytes;
using test::GetU32;

TEST(WaveWriter, WritesTheHeaderAndNormalisedSamples) {
  test::TempDir dir;
  std::string path = dir.File("out.wav");
  std::vector<float> samples{0.25f, -0.25f, 0.125f, -0.1f, 0.0f, 0.2f};
  ASSERT_TRUE(WriteWave(path, samples.data(), 3, 2));

  Bytes expected;
  test::PutTag(expected, "RIFF");
  test::PutU32(expected, 36 + 12);
  test::PutTag(expected, "WAVE");
  test::PutTag(expected, "fmt ");
  test::PutU32(expected, 16);
  test::PutU16(expected, 1);
  test::PutU16(expected, 2);
  test::PutU32(expected, 44100);
  test::PutU32(expected, 176400);
  test::PutU16(expected, 4);
  test::PutU16(expected, 16);
  test::PutTag(expected, "data");
  test::PutU32(expected, 12);
  // Peak 0.25 becomes full scale; products truncate toward zero (16383.5 -> 16383,
  // -13106.8 -> -13106, 26213.6 -> 26213).
  for (int v : {32767, -32767, 16383, -13106, 0, 26213})
    test::PutU16(expected, static_cast<std::uint16_t>(v));
  EXPECT_EQ(test::ReadBytes(path), expected);
  EXPECT_EQ(samples[1], -1.0f);  // normalised in place

}

TEST(WaveWriter, ExportSizesAndSilence) {
  test::TempDir dir;
  std::string path = dir.File("export.wav");
  std::vector<float> silence(352800 * 2, 0.0f);  // one pass at tempo 120
  ASSERT_TRUE(WriteWave(path, silence.data(), 352800, 2));
  Bytes file = test::ReadBytes(path);
  ASSERT_EQ(file.size(), 44u + 1411200u);
  EXPECT_EQ(GetU32(file, 4), 1411236u);
  EXPECT_EQ(GetU32(file, 40), 1411200u);
  EXPECT_TRUE(std::all_of(file.begin() + 44, file.end(), [](auto b) { return b == 0; }));
  EXPECT_TRUE(std::all_of(silence.begin(), silence.end(), [](float v) { return v == 0.0f; }));

  ASSERT_TRUE(WriteWave(path, nullptr, 0, 2));
  EXPECT_EQ(test::ReadBytes(path).size(), 44u);
}

TEST(WaveWriter, FailureReturnsFalseAndKeepsTheOldFile) {
  test::TempDir dir;
  std::vector<float> samples(5000, 0.5f);
  EXPECT_FALSE(WriteWave(dir.File("missing/out.wav"), samples.data(), 2500, 2));
  test::WriteText(dir.File("plain"), "x");
  EXPECT_FALSE(WriteWave(dir.File("plain/out.wav"), samples.data(), 2500, 2));
  // Everything written, but the final rename onto a folder fails.
  std::filesystem::create_directory(dir.File("folder.wav"));
  EXPECT_FALSE(WriteWave(dir.File("folder.wav"), samples.data(), 2500, 2));
  EXPECT_TRUE(std::filesystem::is_directory(dir.File("folder.wav")));

  // A file size limit makes the write fail part-way, even for root.
  std::string path = dir.File("old.wav");
  test::WriteText(path, "old contents");
  rlimit saved;
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
  auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
  rlimit small = saved;
  small.rlim_cur = 4096;
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
  bool ok = WriteWave(path, samples.data(), 2500, 2);
  setrlimit(RLIMIT_FSIZE, &saved);
  std::signal(SIGXFSZ, oldHandler);
  EXPECT_FALSE(ok);
  EXPECT_EQ(test::ReadText(path), "old contents");
  // No temporary file is left behind.
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 3);
}

}  // namespace
}  // namespace tond
