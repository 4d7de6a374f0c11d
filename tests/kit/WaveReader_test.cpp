#include "kit/WaveReader.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <new>

#include "support/TestFiles.h"

// Allocations above this many bytes fail while a test lowers it: lets the tests prove that a
// damaged file never asks for gigabytes and that running out of memory is handled. The array
// forms fall back on these; the nothrow and sized forms are replaced too, so that under the
// sanitizer every block is released by the family that allocated it.
static std::size_t g_allocLimit = SIZE_MAX;

static void* Allocate(std::size_t size) {
  if (size > g_allocLimit) throw std::bad_alloc();
  if (void* p = std::malloc(size ? size : 1)) return p;
  throw std::bad_alloc();
}
void* operator new(std::size_t size) {
  return Allocate(size);
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
  try {
    return Allocate(size);
  } catch (...) {
    return nullptr;
  }
}
void operator delete(void* p) noexcept {
  std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
  std::free(p);
}
void operator delete(void* p, const std::nothrow_t&) noexcept {
  std::free(p);
}

namespace tond::test {
namespace {

constexpr float k15 = 3.0517578125e-5f;        // 2^-15
constexpr float k31 = 4.656612873077393e-10f;  // 2^-31
const std::vector<float> kBefore{7.0f, 8.0f};

struct AllocLimit {
  explicit AllocLimit(std::size_t bytes) { g_allocLimit = bytes; }
  ~AllocLimit() { g_allocLimit = SIZE_MAX; }
};

class WaveReaderTest : public ::testing::Test {
 protected:
  // Loads `bytes` into an instrument holding kBefore and root key 99, so a failure can be seen
  // to leave the data alone and to reset the key.
  bool Load(const Bytes& bytes) {
    WriteBytes(path_, bytes);
    inst = CInstrument();
    inst.data = kBefore;
    inst.rootKey = 99;
    return LoadWave(path_, inst, &notifier);
  }
  std::vector<float> Loaded(const WaveParts& parts) {
    EXPECT_TRUE(Load(MakeWave(parts)));
    return inst.data;
  }
  TempDir dir_;
  std::string path_ = dir_.File("sample.wav");
  CInstrument inst;
  RecordingNotifier notifier;
};

WaveParts Parts(std::uint16_t bits, std::uint16_t channels, Bytes data) {
  WaveParts parts;
  parts.bits = bits;
  parts.channels = channels;
  parts.data = std::move(data);
  return parts;
}

// Little-endian values of `width` bytes each.
Bytes Le(int width, std::initializer_list<std::int64_t> values) {
  Bytes b;
  for (auto v : values)
    for (int i = 0; i < width; ++i) b.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
  return b;
}

Bytes Chunk(const char (&id)[5], std::uint32_t size, const Bytes& body) {
  Bytes b;
  PutTag(b, id);
  PutU32(b, size);
  b.insert(b.end(), body.begin(), body.end());
  return b;
}

TEST_F(WaveReaderTest, ConvertsEveryBitDepthMonoAndStereo) {
  using F = std::vector<float>;
  EXPECT_EQ(Loaded(Parts(8, 1, {128, 255, 0})), (F{0.0f, 0.9921875f, -1.0f}));
  EXPECT_EQ(Loaded(Parts(8, 2, {0, 255, 129, 129})), (F{-0.00390625f, 0.0078125f}));
  EXPECT_EQ(Loaded(Parts(16, 1, Le(2, {-32768, 16384, 1}))), (F{-1.0f, 0.5f, k15}));
  // The integer mean truncates toward zero: 7/2 -> 3, -7/2 -> -3, -1/2 -> 0.
  EXPECT_EQ(Loaded(Parts(16, 2, Le(2, {3, 4, -3, -4, 1, -2, -32768, -32768}))),
            (F{3 * k15, -3 * k15, 0.0f, -1.0f}));
  EXPECT_EQ(Loaded(Parts(24, 1, {0, 0, 0x80, 0, 1, 0, 0xFF, 0xFF, 0x7F})),
            (F{-1.0f, k15, 0x7FFFFF00 * k31}));
  EXPECT_EQ(Loaded(Parts(24, 2, {0, 0, 0x80, 0, 0, 0x40})), (F{-0.25f}));
  EXPECT_EQ(Loaded(Parts(32, 1, Le(4, {INT32_MIN, 1 << 30}))), (F{-1.0f, 0.5f}));
  // Halved and truncated toward zero, without overflow at full scale.
  EXPECT_EQ(Loaded(Parts(32, 2, Le(4, {3, 4, -3, -4, INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX}))),
            (F{3 * k31, -3 * k31, -1.0f, 1.0f}));
  // The format tag is not looked at (float files read as integers), nor is the rate.
  WaveParts parts = Parts(32, 1, Le(4, {0x3F000000}));  // the bits of 0.5f
  parts.formatTag = 3;
  parts.sampleRate = 22050;
  EXPECT_EQ(Loaded(parts), (std::vector<float>{0x3F000000 * k31}));
  EXPECT_TRUE(notifier.messages.empty());
}

TEST_F(WaveReaderTest, WalksTheChunksForTheRootKeyAndSkipsTheRest) {
  WaveParts parts = Parts(16, 1, Le(2, {100, -100}));
  // An odd chunk is followed by a pad byte (its body here looks like the start of "data").
  parts.extraChunks = {Chunk("junk", 3, {'d', 'a', 't', 0}), Chunk("LIST", 0, {})};
  parts.unityNote = 48;
  EXPECT_EQ(Loaded(parts), (std::vector<float>{100 * k15, -100 * k15}));
  EXPECT_EQ(inst.rootKey, 48);
  // A "smpl" chunk too short to hold the note is skipped whole: the key stays 60.
  parts.unityNote = -1;
  parts.extraChunks = {Chunk("smpl", 4, {1, 2, 3, 4})};
  EXPECT_EQ(Loaded(parts).size(), 2u);
  EXPECT_EQ(inst.rootKey, 60);
}

TEST_F(WaveReaderTest, FileCutAtEveryLengthGivesFalseOrAPrefix) {
  WaveParts parts = Parts(16, 2, Le(2, {1, 3, 10, 20, -5, -7, 300, 100, -1, -2}));
  parts.unityNote = 50;
  const Bytes whole = MakeWave(parts);
  const std::vector<float> full = Loaded(parts);
  ASSERT_EQ(full.size(), 5u);
  for (std::size_t len = 0; len < whole.size(); ++len) {
    SCOPED_TRACE(len);
    if (!Load(Bytes(whole.begin(), whole.begin() + static_cast<long>(len)))) {
      EXPECT_EQ(inst.data, kBefore);
      continue;
    }
    ASSERT_LE(inst.data.size(), full.size());
    EXPECT_TRUE(std::equal(inst.data.begin(), inst.data.end(), full.begin()));
    // Whole frames only: a cut inside the last frame drops it.
    EXPECT_EQ(inst.data.size(), (len - (whole.size() - 20)) / 4);
  }
  // No file at all: refused too, after the root key is reset.
  inst.rootKey = 5;
  EXPECT_FALSE(LoadWave(dir_.File("missing.wav"), inst, &notifier));
  EXPECT_EQ(inst.rootKey, 60);
  EXPECT_TRUE(notifier.messages.empty());
}

TEST_F(WaveReaderTest, HugeClaimsInATinyFileNeitherAllocateNorLoop) {
  AllocLimit limit(1 << 20);
  Bytes wave = MakeWave(Parts(16, 1, Le(2, {1000, 2000, 3000})));
  ASSERT_EQ(wave.size(), 50u);
  Bytes bigData = wave;
  PutU32(bigData, 0);  // two more samples after the data chunk, which now claims ~4 GB
  bigData[40] = 0xF0, bigData[41] = bigData[42] = bigData[43] = 0xFF;
  EXPECT_TRUE(Load(bigData));
  EXPECT_EQ(inst.data, (std::vector<float>{1000 * k15, 2000 * k15, 3000 * k15, 0.0f, 0.0f}));
  bigData[4] = bigData[5] = bigData[6] = bigData[7] = 0xFF;  // and a RIFF size to match
  EXPECT_TRUE(Load(bigData));
  EXPECT_EQ(inst.data.size(), 5u);
  // A chunk before "data" whose size would wrap a 32-bit position counter back to where it was,
  // or just ahead onto the "data" header.
  for (std::uint32_t size : {0xFFFFFFFFu, 0xFFFFFFF7u, 0xFFFFFFF8u}) {
    WaveParts parts = Parts(16, 1, Le(2, {1}));
    parts.extraChunks = {Chunk("junk", size, {})};
    Bytes before = MakeWave(parts);
    before[4] = before[5] = before[6] = before[7] = 0xFF;
    EXPECT_FALSE(Load(before)) << size;
  }
  EXPECT_TRUE(notifier.messages.empty());
}

TEST_F(WaveReaderTest, OutOfMemoryIsReportedAndChangesNothing) {
  WaveParts parts = Parts(8, 1, Bytes(4000, 200));
  parts.unityNote = 40;
  WriteBytes(path_, MakeWave(parts));
  inst.data = {1.0f};
  for (Notifier* shown : {static_cast<Notifier*>(&notifier), static_cast<Notifier*>(nullptr)}) {
    AllocLimit limit(1000);
    EXPECT_FALSE(LoadWave(path_, inst, shown));
  }
  EXPECT_EQ(inst.data, std::vector<float>{1.0f});
  EXPECT_EQ(inst.rootKey, 40);
  EXPECT_EQ(notifier.messages, std::vector<std::string>{"Not enough memory to read sample data"});
}

}  // namespace
}  // namespace tond::test
