#pragma once
// Reads a finished recording back for the recorder and live audio tests.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "support/TestFiles.h"

namespace tond::test {

struct Recording {
  Bytes bytes;
  std::uint32_t riffSize = 0;
  std::uint32_t factFrames = 0;
  std::uint32_t dataSize = 0;
  std::vector<std::int16_t> samples;  // interleaved stereo, as far as the file holds them
  std::uint32_t Frames() const { return static_cast<std::uint32_t>(samples.size() / 2); }
};

// Reads the recording and checks that its header is complete and agrees with its length.
inline Recording ReadRecording(const std::string& path) {
  Recording r;
  r.bytes = ReadBytes(path);
  EXPECT_GE(r.bytes.size(), 56u) << path;
  if (r.bytes.size() < 56) return r;
  const std::string tags[] = {std::string(r.bytes.begin(), r.bytes.begin() + 4),
                              std::string(r.bytes.begin() + 8, r.bytes.begin() + 16),
                              std::string(r.bytes.begin() + 36, r.bytes.begin() + 40),
                              std::string(r.bytes.begin() + 48, r.bytes.begin() + 52)};
  EXPECT_EQ(tags[0], "RIFF");
  EXPECT_EQ(tags[1], "WAVEfmt ");
  EXPECT_EQ(tags[2], "fact");
  EXPECT_EQ(tags[3], "data");
  EXPECT_EQ(GetU32(r.bytes, 16), 16u);
  EXPECT_EQ(GetU16(r.bytes, 20), 1u);
  EXPECT_EQ(GetU16(r.bytes, 22), 2u);
  EXPECT_EQ(GetU32(r.bytes, 24), 44100u);
  EXPECT_EQ(GetU32(r.bytes, 28), 176400u);
  EXPECT_EQ(GetU16(r.bytes, 32), 4u);
  EXPECT_EQ(GetU16(r.bytes, 34), 16u);
  EXPECT_EQ(GetU32(r.bytes, 40), 4u);
  r.riffSize = GetU32(r.bytes, 4);
  r.factFrames = GetU32(r.bytes, 44);
  r.dataSize = GetU32(r.bytes, 52);
  EXPECT_EQ(r.dataSize, r.bytes.size() - 56) << path;
  EXPECT_EQ(r.riffSize, r.bytes.size() - 8) << path;
  EXPECT_EQ(r.factFrames * 4ull, r.dataSize) << path;
  for (std::size_t at = 56; at + 1 < r.bytes.size(); at += 2) {
    r.samples.push_back(static_cast<std::int16_t>(GetU16(r.bytes, at)));
  }
  return r;
}

// The live tests play through the private JACK server and the null ALSA device that ctest sets
// up; run directly, without them, they are skipped.
inline bool LiveAudioAvailable() {
  return std::getenv("JACK_DEFAULT_SERVER") != nullptr;
}

}  // namespace tond::test
