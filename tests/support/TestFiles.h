#pragma once
// Helpers shared by the tests: temporary folders, byte files, wave files built by hand, a
// notifier that records what the user would be shown.
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "base/Notifier.h"
#include "model/Pattern.h"

namespace tond::test {

using Bytes = std::vector<std::uint8_t>;

// A fresh folder under the system's temporary folder, removed with everything in it.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::filesystem::path& Path() const { return path_; }
  std::string File(const std::string& name) const { return (path_ / name).string(); }
  // A 16-bit mono wave of `samples` at `name`, its folders made; returns its path.
  std::string Wave(const std::string& name,
                   const std::vector<std::int16_t>& samples = {1, 2}) const;

 private:
  std::filesystem::path path_;
};

Bytes ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, const Bytes& bytes);
void WriteText(const std::string& path, const std::string& text);
std::string ReadText(const std::string& path);

// Little-endian appenders for building binary files.
void PutU16(Bytes& b, std::uint16_t v);
void PutU32(Bytes& b, std::uint32_t v);
void PutTag(Bytes& b, const char (&tag)[5]);
std::uint32_t GetU32(const Bytes& b, std::size_t offset);
std::uint16_t GetU16(const Bytes& b, std::size_t offset);

// A wave file: "RIFF" size "WAVE", a 16-byte "fmt " chunk, the extra chunks, then "data".
struct WaveParts {
  std::uint16_t formatTag = 1;
  std::uint16_t channels = 1;
  std::uint32_t sampleRate = 44100;
  std::uint16_t bits = 16;
  Bytes data;                      // the raw sample bytes
  std::vector<Bytes> extraChunks;  // whole chunks (id, size, body, pad) placed before "data"
  int unityNote = -1;              // >= 0 adds a "smpl" chunk before "data"
};
Bytes MakeWave(const WaveParts& parts);
// A 16-bit mono wave from sample values.
Bytes MakeWave16(const std::vector<std::int16_t>& samples, std::uint16_t channels = 1);

// Records every message; says yes to every question.
class RecordingNotifier : public Notifier {
 public:
  void Message(const std::string& text) override { messages.push_back(text); }
  bool Confirm(const std::string&) override { return true; }
  std::vector<std::string> messages;
};

// A pattern whose cell i holds base + i * step, so that a cell out of place shows.
Pattern NumberedPattern(Cell base, Cell step = 1);

// The damaged files kept in tests/corpus/<reader>, in name order (throws when there are none),
// and the first word of a file's name: what the reader must do with it.
std::vector<std::filesystem::path> CorpusFiles(const std::string& reader);
std::string CorpusOutcome(const std::filesystem::path& file);

// A kit file as written by hand: an instrument for each {sample path[, loop[, fade]]}, without
// indentation and with LF line ends.
std::string KitText(const std::vector<std::vector<std::string>>& instruments);

}  // namespace tond::test
