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
  r.factFrames = GetU32(r.bytes, 44);
  r.dataSize = GetU32(r.bytes, 52);
  EXPECT_EQ(r.dataSize, r.bytes.size() - 56) << path;
  EXPECT_EQ(r.factFrames * 4ull, r.dataSize) << path;
  Bytes header;
  PutTag(header, "RIFF");
  PutU32(header, r.dataSize + 48);
  PutTag(header, "WAVE");
  PutTag(header, "fmt ");
  // fmt size, format 1 with 2 channels, rate, bytes per second, 4 bytes per frame of 16 bits.
  for (std::uint32_t v : {16u, 1u | 2u << 16, 44100u, 176400u, 4u | 16u << 16}) PutU32(header, v);
  PutTag(header, "fact");
  PutU32(header, 4);
  PutU32(header, r.factFrames);
  PutTag(header, "data");
  PutU32(header, r.dataSize);
  EXPECT_EQ(Bytes(r.bytes.begin(), r.bytes.begin() + 56), header) << path;
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
