#include "support/TestFiles.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace tond::test {

TempDir::TempDir() {
  std::string pattern = (std::filesystem::temp_directory_path() / "tond-test-XXXXXX").string();
  if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
  path_ = pattern;
}

TempDir::~TempDir() {
  std::error_code ec;
  std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                               std::filesystem::perm_options::add, ec);
  std::filesystem::remove_all(path_, ec);
}

std::string TempDir::Wave(const std::string& name, const std::vector<std::int16_t>& samples) const {
  std::filesystem::create_directories(std::filesystem::path(File(name)).parent_path());
  WriteBytes(File(name), MakeWave16(samples));
  return File(name);
}

Bytes ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteBytes(const std::string& path, const Bytes& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
}

void WriteText(const std::string& path, const std::string& text) {
  WriteBytes(path, Bytes(text.begin(), text.end()));
}

std::string ReadText(const std::string& path) {
  Bytes b = ReadBytes(path);
  return std::string(b.begin(), b.end());
}

void PutU16(Bytes& b, std::uint16_t v) {
  b.push_back(static_cast<std::uint8_t>(v));
  b.push_back(static_cast<std::uint8_t>(v >> 8));
}

void PutU32(Bytes& b, std::uint32_t v) {
  PutU16(b, static_cast<std::uint16_t>(v));
  PutU16(b, static_cast<std::uint16_t>(v >> 16));
}

void PutTag(Bytes& b, const char (&tag)[5]) {
  for (int i = 0; i < 4; ++i) b.push_back(static_cast<std::uint8_t>(tag[i]));
}

std::uint32_t GetU32(const Bytes& b, std::size_t offset) {
  return static_cast<std::uint32_t>(b.at(offset)) |
         static_cast<std::uint32_t>(b.at(offset + 1)) << 8 |
         static_cast<std::uint32_t>(b.at(offset + 2)) << 16 |
         static_cast<std::uint32_t>(b.at(offset + 3)) << 24;
}

std::uint16_t GetU16(const Bytes& b, std::size_t offset) {
  return static_cast<std::uint16_t>(b.at(offset) | b.at(offset + 1) << 8);
}

Bytes MakeWave(const WaveParts& parts) {
  Bytes body;
  PutTag(body, "WAVE");
  PutTag(body, "fmt ");
  PutU32(body, 16);
  PutU16(body, parts.formatTag);
  PutU16(body, parts.channels);
  PutU32(body, parts.sampleRate);
  std::uint16_t align = static_cast<std::uint16_t>(parts.channels * parts.bits / 8);
  PutU32(body, parts.sampleRate * align);
  PutU16(body, align);
  PutU16(body, parts.bits);
  for (const Bytes& chunk : parts.extraChunks) body.insert(body.end(), chunk.begin(), chunk.end());
  if (parts.unityNote >= 0) {
    PutTag(body, "smpl");
    PutU32(body, 36);
    for (int i = 0; i < 12; ++i) body.push_back(0);
    PutU32(body, static_cast<std::uint32_t>(parts.unityNote));
    for (int i = 0; i < 20; ++i) body.push_back(0);
  }
  PutTag(body, "data");
  PutU32(body, static_cast<std::uint32_t>(parts.data.size()));
  body.insert(body.end(), parts.data.begin(), parts.data.end());
  if (parts.data.size() % 2) body.push_back(0);
  Bytes file;
  PutTag(file, "RIFF");
  PutU32(file, static_cast<std::uint32_t>(body.size()));
  file.insert(file.end(), body.begin(), body.end());
  return file;
}

Bytes MakeWave16(const std::vector<std::int16_t>& samples, std::uint16_t channels) {
  WaveParts parts;
  parts.channels = channels;
  for (std::int16_t s : samples) PutU16(parts.data, static_cast<std::uint16_t>(s));
  return MakeWave(parts);
}

Pattern NumberedPattern(Cell base, Cell step) {
  Pattern p;
  for (int i = 0; i < kCells; ++i) p[static_cast<size_t>(i)] = base + static_cast<Cell>(i) * step;
  return p;
}

std::vector<std::filesystem::path> CorpusFiles(const std::string& reader) {
  const auto folder =
      std::filesystem::path(__FILE__).parent_path().parent_path() / "corpus" / reader;
  std::vector<std::filesystem::path> files;
  for (const auto& entry : std::filesystem::directory_iterator(folder))
    files.push_back(entry.path());
  std::sort(files.begin(), files.end());
  if (files.empty()) throw std::runtime_error("no files in " + folder.string());
  return files;
}

std::string CorpusOutcome(const std::filesystem::path& file) {
  const std::string name = file.filename().string();
  return name.substr(0, name.find('-'));
}

std::string KitText(const std::vector<std::vector<std::string>>& instruments) {
  std::string text = "<TondKit>\n";
  for (const std::vector<std::string>& in : instruments) {
    text += "<instrument>\n<sample name = \"" + in.at(0) + "\"/>\n";
    if (in.size() > 1) text += "<loop value = \"" + in[1] + "\"/>\n";
    if (in.size() > 2) text += "<fade value = \"" + in[2] + "\"/>\n";
    text += "</instrument>\n";
  }
  return text + "</TondKit>\n";
}

}  // namespace tond::test
