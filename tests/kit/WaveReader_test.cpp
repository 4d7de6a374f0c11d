#include "kit/WaveReader.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <new>

#include "support/TestFiles.h"

// Allocations above this many bytes fail while a test lowers it: lets the tests prove that a
// damaged file never asks for gigabytes and that running out of memory is handled.
static std::size_t g_allocLimit = SIZE_MAX;

static void* Allocate(std::size_t size) {
  if (size > g_allocLimit) throw std::bad_alloc();
  if (void* p = std::malloc(size ? size : 1)) return p;
  throw std::bad_alloc();
}
void* operator new(std::size_t size) {
  return Allocate(size);
}
void* operator new[](std::size_t size) {
  return Allocate(size);
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
  try {
    return Allocate(size);
  } catch (...) {
    return nullptr;
  }
}
void* operator new[](std::size_t size, const std::nothrow_t& tag) noexcept {
  return operator new(size, tag);
}
void operator delete(void* p) noexcept {
  std::free(p);
}
void operator delete[](void* p) noexcept {
  std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
  std::free(p);
}
void operator delete[](void* p, std::size_t) noexcept {
  std::free(p);
}
void operator delete(void* p, const std::nothrow_t&) noexcept {
  std::free(p);
}
void operator delete[](void* p, const std::nothrow_t&) noexcept {
  std::free(p);
}

namespace tond {
namespace {

using test::Bytes;
using test::MakeWave;
using test::PutTag;
using test::PutU32;
using test::WaveSpec;

struct AllocLimit {
  explicit AllocLimit(std::size_t bytes) { g_allocLimit = bytes; }
  ~AllocLimit() { g_allocLimit = SIZE_MAX; }
};

class WaveReaderTest : public ::testing::Test {
 protected:
  // Loads `bytes` into a fresh instrument whose data and root key are set beforehand, so a
  // failure can be seen to leave the data alone.
  bool Load(const Bytes& bytes) {
    test::WriteBytes(path_, bytes);
    inst = CInstrument();
    inst.data = {7.0f, 8.0f};
    inst.rootKey = 99;
    return LoadWave(path_, inst, &notifier);
  }
  std::vector<float> Loaded(const WaveSpec& spec) {
    EXPECT_TRUE(Load(MakeWave(spec)));
    return inst.data;
  }
  test::TempDir dir_;
  std::string path_ = dir_.File("sample.wav");
  CInstrument inst;
  test::RecordingNotifier notifier;
};

WaveSpec Spec(std::uint16_t bits, std::uint16_t channels, Bytes data) {
  WaveSpec spec;
  spec.bits = bits;
  spec.channels = channels;
  spec.data = std::move(data);
  return spec;
}

Bytes Le16(std::initializer_list<int> values) {
  Bytes b;
  for (int v : values) test::PutU16(b, static_cast<std::uint16_t>(v));
  return b;
}

Bytes Le32(std::initializer_list<std::int64_t> values) {
  Bytes b;
  for (auto v : values) PutU32(b, static_cast<std::uint32_t>(v));
  return b;
}

Bytes Chunk(const char (&id)[5], std::uint32_t size, const Bytes& body) {
  Bytes b;
  PutTag(b, id);
  PutU32(b, size);
  b.insert(b.end(), body.begin(), body.end());
  return b;
}

constexpr float k31 = 4.656612873077393e-10f;

TEST_F(WaveReaderTest, ConvertsEveryBitDepthMonoAndStereo) {
  EXPECT_EQ(Loaded(Spec(8, 1, {128, 255, 0})), (std::vector<float>{0.0f, 0.9921875f, -1.0f}));
  EXPECT_EQ(Loaded(Spec(8, 2, {0, 255, 129, 129})), (std::vector<float>{-0.00390625f, 0.0078125f}));

  EXPECT_EQ(Loaded(Spec(16, 1, Le16({-32768, 16384, 1}))),
            (std::vector<float>{-1.0f, 0.5f, 3.0517578125e-5f}));
  // The integer mean truncates toward zero: 7/2 -> 3, -7/2 -> -3, -1/2 -> 0.
  EXPECT_EQ(Loaded(Spec(16, 2, Le16({3, 4, -3, -4, 1, -2, -32768, -32768}))),
            (std::vector<float>{3 * 3.0517578125e-5f, -3 * 3.0517578125e-5f, 0.0f, -1.0f}));

  EXPECT_EQ(Loaded(Spec(24, 1, {0x00, 0x00, 0x80, 0x00, 0x01, 0x00, 0xFF, 0xFF, 0x7F})),
            (std::vector<float>{-1.0f, 3.0517578125e-5f, static_cast<float>(0x7FFFFF00) * k31}));
  EXPECT_EQ(Loaded(Spec(24, 2, {0x00, 0x00, 0x80, 0x00, 0x00, 0x40})),
            (std::vector<float>{-0.25f}));

  EXPECT_EQ(Loaded(Spec(32, 1, Le32({INT32_MIN, 1 << 30}))), (std::vector<float>{-1.0f, 0.5f}));
  // Halved and truncated toward zero, without overflow at full scale.
  EXPECT_EQ(Loaded(Spec(32, 2, Le32({3, 4, -3, -4, INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX}))),
            (std::vector<float>{3 * k31, -3 * k31, -1.0f, 1.0f}));
  // The format tag is not looked at (float files read as integers), nor is the rate.
  WaveSpec spec = Spec(32, 1, Le32({0x3F000000}));  // the bits of 0.5f
  spec.formatTag = 3;
  spec.sampleRate = 22050;
  EXPECT_EQ(Loaded(spec), (std::vector<float>{0x3F000000 * k31}));
  EXPECT_TRUE(notifier.messages.empty());
}

TEST_F(WaveReaderTest, RootKeyFromSmplElse60) {
  WaveSpec spec = Spec(16, 1, Le16({1, 2}));
  spec.unityNote = 48;
  Loaded(spec);
  EXPECT_EQ(inst.rootKey, 48);
  spec.unityNote = -1;
  Loaded(spec);
  EXPECT_EQ(inst.rootKey, 60);
  // A "smpl" chunk too short to hold the note is skipped whole; the data after it is found.
  spec.extraChunks = {Chunk("smpl", 4, {1, 2, 3, 4})};
  EXPECT_EQ(Loaded(spec).size(), 2u);
  EXPECT_EQ(inst.rootKey, 60);
}

TEST_F(WaveReaderTest, SkipsUnknownChunksWithTheirPadByte) {
  WaveSpec spec = Spec(16, 1, Le16({100, -100}));
  spec.extraChunks = {Chunk("junk", 3, {'d', 'a', 't', 0}), Chunk("LIST", 0, {})};
  EXPECT_EQ(Loaded(spec), (std::vector<float>{100 * 3.0517578125e-5f, -100 * 3.0517578125e-5f}));
}

TEST_F(WaveReaderTest, RefusesWhatItCannotReadAndKeepsTheData) {
  auto refused = [&](const Bytes& bytes) {
    bool ok = Load(bytes);
    EXPECT_EQ(inst.data, (std::vector<float>{7.0f, 8.0f}));
    EXPECT_EQ(inst.rootKey, 60);
    return !ok;
  };
  EXPECT_TRUE(refused(MakeWave(Spec(16, 3, Le16({1, 2, 3})))));
  EXPECT_TRUE(refused(MakeWave(Spec(16, 0, Le16({1})))));
  EXPECT_TRUE(refused(MakeWave(Spec(12, 1, Le16({1})))));
  EXPECT_TRUE(refused(MakeWave(Spec(0, 1, Le16({1})))));

  Bytes wave = MakeWave(Spec(16, 1, Le16({1, 2})));
  Bytes noData(wave.begin(), wave.begin() + 36);  // RIFF header and "fmt " only
  noData[4] = 28;
  EXPECT_TRUE(refused(noData));
  Bytes noFormat(wave.begin(), wave.begin() + 12);
  noFormat.insert(noFormat.end(), wave.begin() + 36, wave.end());
  noFormat[4] = static_cast<std::uint8_t>(noFormat.size() - 8);
  EXPECT_TRUE(refused(noFormat));
  Bytes notWave = wave;
  notWave[8] = 'X';
  EXPECT_TRUE(refused(notWave));
  // A "fmt " chunk too short for its fields.
  Bytes shortFormat = wave;
  shortFormat[16] = 14;
  EXPECT_TRUE(refused(shortFormat));
  EXPECT_TRUE(refused({}));

  inst.rootKey = 5;
  EXPECT_FALSE(LoadWave(dir_.File("missing.wav"), inst, &notifier));
  EXPECT_EQ(inst.rootKey, 60);
  EXPECT_TRUE(notifier.messages.empty());
}

TEST_F(WaveReaderTest, FileCutAtEveryLengthGivesFalseOrAPrefix) {
  WaveSpec spec = Spec(16, 2, Le16({1, 3, 10, 20, -5, -7, 300, 100, -1, -2}));
  spec.unityNote = 50;
  const Bytes whole = MakeWave(spec);
  const std::vector<float> full = Loaded(spec);
  ASSERT_EQ(full.size(), 5u);
  for (std::size_t len = 0; len < whole.size(); ++len) {
    SCOPED_TRACE(len);
    if (!Load(Bytes(whole.begin(), whole.begin() + static_cast<long>(len)))) continue;
    ASSERT_LE(inst.data.size(), full.size());
    EXPECT_TRUE(std::equal(inst.data.begin(), inst.data.end(), full.begin()));
    // Whole frames only: a cut inside the last frame drops it.
    EXPECT_EQ(inst.data.size(), (len - (whole.size() - 20)) / 4);
  }
}

TEST_F(WaveReaderTest, HugeClaimsInATinyFileNeitherAllocateNorLoop) {
  AllocLimit limit(1 << 20);
  Bytes wave = MakeWave(Spec(16, 1, Le16({1000, 2000, 3000})));
  ASSERT_EQ(wave.size(), 50u);
  Bytes bigData = wave;
  PutU32(bigData, 0);  // two more samples after the data chunk, which now claims ~4 GB
  bigData[40] = 0xF0, bigData[41] = bigData[42] = bigData[43] = 0xFF;
  EXPECT_TRUE(Load(bigData));
  EXPECT_EQ(inst.data, (std::vector<float>{1000 * 3.0517578125e-5f, 2000 * 3.0517578125e-5f,
                                           3000 * 3.0517578125e-5f, 0.0f, 0.0f}));
  bigData[4] = bigData[5] = bigData[6] = bigData[7] = 0xFF;  // and a RIFF size to match
  EXPECT_TRUE(Load(bigData));
  EXPECT_EQ(inst.data.size(), 5u);

  // Chunk sizes that would wrap a 32-bit position counter back to where it was, or just ahead.
  for (std::uint32_t size : {0xFFFFFFFFu, 0xFFFFFFF7u, 0xFFFFFFF8u}) {
    SCOPED_TRACE(size);
    Bytes after = wave;  // a huge chunk after "data": the data is still read
    after.insert(after.end(), {'j', 'u', 'n', 'k'});
    PutU32(after, size);
    after[4] = after[5] = after[6] = after[7] = 0xFF;
    EXPECT_TRUE(Load(after));
    EXPECT_EQ(inst.data.size(), 3u);

    WaveSpec spec = Spec(16, 1, Le16({1}));
    spec.extraChunks = {Chunk("junk", size, {})};
    Bytes before = MakeWave(spec);
    before[4] = before[5] = before[6] = before[7] = 0xFF;
    EXPECT_FALSE(Load(before));
  }
  EXPECT_TRUE(notifier.messages.empty());
}

TEST_F(WaveReaderTest, OutOfMemoryIsReportedAndChangesNothing) {
  WaveSpec spec = Spec(8, 1, Bytes(4000, 200));
  spec.unityNote = 40;
  test::WriteBytes(path_, MakeWave(spec));
  inst.data = {1.0f};
  bool ok;
  {
    AllocLimit limit(1000);
    ok = LoadWave(path_, inst, &notifier);
  }
  EXPECT_FALSE(ok);
  EXPECT_EQ(inst.data, std::vector<float>{1.0f});
  EXPECT_EQ(inst.rootKey, 40);
  EXPECT_EQ(notifier.messages, std::vector<std::string>{"Not enough memory to read sample data"});
  {
    AllocLimit limit(1000);
    ok = LoadWave(path_, inst, nullptr);
  }
  EXPECT_FALSE(ok);
}

}  // namespace
}  // namespace tond
