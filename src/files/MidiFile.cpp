#include "files/MidiFile.h"

#include <algorithm>

#include "base/Notifier.h"
#include "base/SafeFile.h"

namespace tond {

namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr std::uint32_t kMicrosecondsPerMinute = 60000000;
constexpr std::uint32_t kMaxQuarterLength = 0xFFFFFF;  // the tempo field has 3 bytes
constexpr std::uint32_t kMaxQuantity = 0x0FFFFFFF;     // a quantity has at most 4 bytes

void PutU16(Bytes& b, std::uint32_t v) {
  b.push_back(static_cast<std::uint8_t>(v >> 8));
  b.push_back(static_cast<std::uint8_t>(v));
}

void PutU32(Bytes& b, std::uint32_t v) {
  PutU16(b, v >> 16);
  PutU16(b, v & 0xFFFF);
}

// Byte by byte: g++ 12 warns falsely about range inserts into a short vector.
void PutBytes(Bytes& b, const char* text, std::size_t size) {
  for (std::size_t i = 0; i < size; ++i) b.push_back(static_cast<std::uint8_t>(text[i]));
}

void PutText(Bytes& b, const char* text) {
  PutBytes(b, text, 4);
}

// Variable-length quantity: 7 bits per byte, most significant first, bit 7 on all but the last.
void PutQuantity(Bytes& b, std::uint32_t v) {
  v = std::min(v, kMaxQuantity);
  std::uint8_t groups[4];
  int n = 0;
  do {
    groups[n++] = static_cast<std::uint8_t>(v & 0x7F);
    v >>= 7;
  } while (v != 0);
  while (n > 1) b.push_back(static_cast<std::uint8_t>(groups[--n] | 0x80));
  b.push_back(groups[0]);
}

void PutEndOfTrack(Bytes& b) {
  b.insert(b.end(), {0x00, 0xFF, 0x2F, 0x00});
}

std::uint32_t QuarterLength(std::uint32_t tempo) {
  if (tempo == 0) return kMaxQuarterLength;
  return std::min(kMicrosecondsPerMinute / tempo, kMaxQuarterLength);
}

// The events of a track after its "MTrk" and length.
Bytes TrackBody(const MIDItrack& track) {
  Bytes b;
  b.insert(b.end(), {0x00, 0xFF, 0x03});
  PutQuantity(b, static_cast<std::uint32_t>(track.name.size()));
  PutBytes(b, track.name.data(), track.name.size());
  std::uint32_t last = 0;
  for (const MIDIevent& e : track.events) {
    const bool block = e.status >= 0xF0;
    // An empty block would leave a bare delta that breaks the rest of the track.
    if (block && e.data.empty()) continue;
    PutQuantity(b, e.time >= last ? e.time - last : 0);
    last = std::max(last, e.time);
    if (block) {
      b.insert(b.end(), e.data.begin(), e.data.end());
      continue;
    }
    b.push_back(e.status);
    b.push_back(e.param1);
    const int kind = e.status >> 4;
    if (kind != 0xC && kind != 0xD) b.push_back(e.param2);
  }
  PutEndOfTrack(b);
  return b;
}

}  // namespace

std::vector<std::uint8_t> MIDIfile::Encode(const std::vector<MIDItrack>& tracks,
                                           std::uint32_t tempo, std::uint16_t division) {
  Bytes b;
  PutText(b, "MThd");
  PutU32(b, 6);
  PutU16(b, 1);
  PutU16(b, static_cast<std::uint32_t>(tracks.size() + 1));
  PutU16(b, division);

  PutText(b, "MTrk");
  PutU32(b, 19);
  b.insert(b.end(), {0x00, 0xFF, 0x58, 0x04, 0x04, 0x02, 0x18, 0x08});
  b.insert(b.end(), {0x00, 0xFF, 0x51, 0x03});
  const std::uint32_t quarter = QuarterLength(tempo);
  b.push_back(static_cast<std::uint8_t>(quarter >> 16));
  PutU16(b, quarter & 0xFFFF);
  PutEndOfTrack(b);

  for (const MIDItrack& track : tracks) {
    Bytes body = TrackBody(track);
    PutText(b, "MTrk");
    PutU32(b, static_cast<std::uint32_t>(body.size()));
    b.insert(b.end(), body.begin(), body.end());
  }
  return b;
}

bool MIDIfile::Save(const std::string& path, const std::vector<MIDItrack>& tracks,
                    std::uint32_t tempo, std::uint16_t division, Notifier& notifier,
                    int* error) const {
  SafeFileWriter writer(path);
  if (!writer.IsOpen()) {
    notifier.Failure(FormatMessage(kMidiCreateError, path), SystemReason(writer.Error()));
    return false;
  }
  const Bytes bytes = Encode(tracks, tempo, division);
  const bool ok = writer.Write(bytes.data(), bytes.size()) && writer.Commit();
  if (error) *error = writer.Error();
  return ok;
}

}  // namespace tond
