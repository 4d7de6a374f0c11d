#include "kit/WaveReader.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>
#include <new>
#include <vector>

#include "base/LittleEndian.h"
#include "base/Notifier.h"
#include "base/RegularFile.h"

namespace tond {

namespace {

constexpr char kNoMemory[] = "Not enough memory to read sample data";

// Powers of two, so each scaling is exact.
constexpr float kScale8 = 0.0078125f;               // 2^-7
constexpr float kScale16 = 3.0517578125e-5f;        // 2^-15
constexpr float kScale32 = 4.656612873077393e-10f;  // 2^-31

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

std::int32_t S16(const std::uint8_t* p) {
  return static_cast<std::int16_t>(LoadLE16(p));
}

// The three bytes are the top of a 32-bit value, so full scale matches the 32-bit files.
std::int32_t S24(const std::uint8_t* p) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(p[0]) << 8 |
                                   static_cast<std::uint32_t>(p[1]) << 16 |
                                   static_cast<std::uint32_t>(p[2]) << 24);
}

std::int32_t S32(const std::uint8_t* p) {
  return static_cast<std::int32_t>(LoadLE32(p));
}

bool ReadAt(std::FILE* f, std::uint64_t offset, void* out, std::size_t size) {
  return std::fseek(f, static_cast<long>(offset), SEEK_SET) == 0 &&
         std::fread(out, 1, size, f) == size;
}

// Mono float frames from raw little-endian PCM. 8 and 24-bit stereo average the converted
// values; 16 and 32-bit stereo average the integers first (truncating), as stored kits expect.
std::vector<float> ToMono(const std::uint8_t* raw, std::uint32_t frames, unsigned bits,
                          unsigned channels) {
  std::vector<float> out(frames);
  const std::size_t step = bits / 8 * channels;
  const bool stereo = channels == 2;
  for (std::uint32_t i = 0; i < frames; ++i) {
    const std::uint8_t* p = raw + i * step;
    float v = 0.0f;
    switch (bits) {
      case 8: {
        float left = static_cast<float>(p[0] - 128) * kScale8;
        v = stereo ? (left + static_cast<float>(p[1] - 128) * kScale8) * 0.5f : left;
        break;
      }
      case 16:
        v = static_cast<float>(stereo ? (S16(p) + S16(p + 2)) / 2 : S16(p)) * kScale16;
        break;
      case 24: {
        float left = static_cast<float>(S24(p)) * kScale32;
        v = stereo ? (left + static_cast<float>(S24(p + 3)) * kScale32) * 0.5f : left;
        break;
      }
      case 32: {
        // 64-bit sum: two full-scale channels must not overflow.
        std::int64_t s = stereo ? (std::int64_t{S32(p)} + S32(p + 4)) / 2 : S32(p);
        v = static_cast<float>(s) * kScale32;
        break;
      }
    }
    out[i] = v;
  }
  return out;
}

// What the header walk finds before any sample is read.
struct WaveHeader {
  std::uint64_t fileSize = 0;
  bool haveFormat = false;
  bool haveData = false;
  WaveFormat format;
  std::uint32_t dataSize = 0;
  std::uint64_t dataOffset = 0;
  int unityNote = -1;  // from a "smpl" chunk that really holds it
};

// Walks the chunks of a RIFF/WAVE file. False when the file is no RIFF/WAVE file or a "fmt "
// chunk is short or gives a format the reader does not take.
bool ReadWaveHeader(std::FILE* f, WaveHeader& header) {
  if (std::fseek(f, 0, SEEK_END) != 0) return false;
  const long end = std::ftell(f);
  if (end < 0) return false;
  header.fileSize = static_cast<std::uint64_t>(end);

  std::uint8_t riff[12];
  if (!ReadAt(f, 0, riff, sizeof riff) || std::memcmp(riff, "RIFF", 4) != 0 ||
      std::memcmp(riff + 8, "WAVE", 4) != 0)
    return false;
  std::uint32_t riffSize = LoadLE32(riff + 4);
  if (riffSize & 1) --riffSize;

  // The counter is 64-bit and every chunk advances it by at least 8, so the walk ends on any
  // input, whatever sizes a damaged file claims. A chunk header is at file offset pos + 8.
  for (std::uint64_t pos = 4; pos < riffSize;) {
    const std::uint64_t at = pos + 8;
    std::uint8_t chunk[8];
    if (at >= header.fileSize || !ReadAt(f, at, chunk, sizeof chunk)) break;
    const std::uint32_t size = LoadLE32(chunk + 4);
    const std::uint64_t body = at + 8;

    if (std::memcmp(chunk, "fmt ", 4) == 0) {
      // A format chunk too short to hold the bits per sample cannot be trusted.
      std::uint8_t fmt[16];
      if (size < sizeof fmt || !ReadAt(f, body, fmt, sizeof fmt)) return false;
      const unsigned channels = LoadLE16(fmt + 2);
      const unsigned bits = LoadLE16(fmt + 14);
      if ((bits != 8 && bits != 16 && bits != 24 && bits != 32) || (channels != 1 && channels != 2))
        return false;
      // The rate is not used for playback: every sample plays at 44100.
      header.format = WaveFormat{channels, bits, LoadLE32(fmt + 4)};
      header.haveFormat = true;
    } else if (std::memcmp(chunk, "data", 4) == 0) {
      header.dataSize = size;
      header.dataOffset = body;
      header.haveData = true;
    } else if (std::memcmp(chunk, "smpl", 4) == 0) {
      // The low byte of the MIDI unity note, read only when the chunk really holds it.
      std::uint8_t note;
      if (size >= 13 && ReadAt(f, body + 12, &note, 1)) header.unityNote = note;
    }
    pos += std::uint64_t{size} + (size & 1) + 8;  // an odd chunk is followed by a pad byte
  }
  return true;
}

// Only regular files: opening a named pipe would block until a writer comes.
File OpenRegular(const std::string& path, int* error = nullptr) {
  return File(OpenRegularFile(path, error));
}

}  // namespace

bool IsWaveFile(const std::string& path) {
  File file = OpenRegular(path);
  WaveHeader header;
  return file && ReadWaveHeader(file.get(), header);
}

bool LoadWave(const std::string& path, CInstrument& instrument, Notifier* notifier,
              WaveFormat* format, int* error) {
  instrument.rootKey = 60;
  File file = OpenRegular(path, error);
  if (!file) return false;
  std::FILE* f = file.get();
  WaveHeader header;
  const bool walked = ReadWaveHeader(f, header);
  if (header.unityNote >= 0) instrument.rootKey = static_cast<std::uint8_t>(header.unityNote);
  if (!walked || !header.haveFormat || !header.haveData) return false;
  const std::uint64_t dataOffset = header.dataOffset;
  const unsigned bits = header.format.bits;
  const unsigned channels = header.format.channels;

  // A file that ends early yields the whole frames that are really there; nothing larger
  // than the file is ever allocated, whatever the data chunk claims.
  const std::uint64_t present = dataOffset < header.fileSize ? header.fileSize - dataOffset : 0;
  const std::size_t wanted =
      static_cast<std::size_t>(std::min<std::uint64_t>(header.dataSize, present));
  std::vector<float> samples;
  try {
    std::vector<std::uint8_t> raw(wanted);
    std::size_t got = 0;
    if (wanted > 0 && std::fseek(f, static_cast<long>(dataOffset), SEEK_SET) == 0)
      got = std::fread(raw.data(), 1, wanted, f);
    file.reset();
    const auto frames = static_cast<std::uint32_t>(got / (bits / 8 * channels));
    samples = ToMono(raw.data(), frames, bits, channels);
  } catch (const std::bad_alloc&) {
    if (notifier) notifier->Message(kNoMemory);
    return false;
  }
  instrument.data = std::move(samples);
  if (format) *format = header.format;
  return true;
}

}  // namespace tond
