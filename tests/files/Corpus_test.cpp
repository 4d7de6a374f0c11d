// Every damaged file kept in tests/corpus goes through its reader, by the entry points the fuzz
// harnesses use: a refusal shows exactly its message and changes nothing.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <bit>
#include <chrono>
#include <cmath>
#include <filesystem>
#include <future>
#include <memory>
#include <string>
#include <vector>

#include "files/PatternFile.h"
#include "files/ProjectFile.h"
#include "kit/Kit.h"
#include "kit/Markup.h"
#include "kit/WaveReader.h"
#include "model/Project.h"
#include "model/UndoSystem.h"
#include "support/TestFiles.h"

namespace tond {
namespace {

namespace fs = std::filesystem;
using test::Bytes;
using test::CorpusFiles;
using test::CorpusOutcome;
using test::GetU16;
using test::GetU32;
using test::ReadBytes;
using test::RecordingNotifier;

TEST(Corpus, WaveFilesLoadOrAreRefusedSilentlyKeepingTheSample) {
  for (const fs::path& file : CorpusFiles("wave")) {
    SCOPED_TRACE(file.filename().string());
    const std::string outcome = CorpusOutcome(file);
    ASSERT_TRUE(outcome == "ok" || outcome == "refused");
    CInstrument instrument;
    instrument.data = {0.25f};
    RecordingNotifier notifier;
    const bool loaded = LoadWave(file.string(), instrument, &notifier);
    EXPECT_EQ(loaded, outcome == "ok");
    EXPECT_TRUE(notifier.messages.empty());
    if (!loaded) {
      EXPECT_EQ(instrument.data, std::vector<float>{0.25f});
      continue;
    }
    EXPECT_LE(instrument.data.size(), fs::file_size(file));
    for (float v : instrument.data) EXPECT_TRUE(std::fabs(v) <= 1.0f) << v;
  }
}

std::size_t CountLines(const Bytes& bytes) {
  const auto ends = static_cast<std::size_t>(std::count(bytes.begin(), bytes.end(), '\n'));
  return ends + (!bytes.empty() && bytes.back() != '\n');
}

TEST(Corpus, KitFilesGiveAnItemPerLineAndTouchOnlyTheSlotsTheyName) {
  for (const fs::path& file : CorpusFiles("kit")) {
    SCOPED_TRACE(file.filename().string());
    const std::string path = file.string();
    XMLreader reader(path);
    ASSERT_TRUE(reader.IsOpen());
    std::size_t items = 0;
    int instruments = 0;
    std::string line;
    while (reader.Next(line)) {
      ++items;
      EXPECT_EQ(reader.value.find('"'), std::string::npos);
      instruments += reader.type == XMLreader::OpenTag && reader.name == "instrument";
    }
    EXPECT_EQ(items, CountLines(ReadBytes(path)));

    auto kit = std::make_unique<CKit>();
    for (int slot = 0; slot < CKit::kSlots; ++slot) {
      (*kit)[slot].loop = true;
      (*kit)[slot].minkey = 7;
    }
    RecordingNotifier notifier;
    ASSERT_TRUE(kit->Load(path, &notifier, nullptr));
    const int named = std::min(instruments, CKit::kSlots);
    std::vector<std::string> expected;
    for (int slot = 0; slot < CKit::kSlots; ++slot) {
      const CInstrument& instrument = (*kit)[slot];
      EXPECT_EQ(instrument.minkey, 7);
      if (slot >= named) {
        EXPECT_TRUE(!instrument.InUse() && instrument.loop) << slot;
      } else if (instrument.InUse()) {
        EXPECT_TRUE(instrument.data.empty());
        expected.push_back(FormatMessage(kSampleReadError, instrument.samplePath));
      }
    }
    EXPECT_EQ(notifier.messages, expected);
  }
}

TEST(Corpus, PatternFilesLoadOrShowTheirMessageAndChangeNothing) {
  for (const fs::path& file : CorpusFiles("pattern")) {
    SCOPED_TRACE(file.filename().string());
    const std::string outcome = CorpusOutcome(file);
    ASSERT_TRUE(outcome == "ok" || outcome == "load" || outcome == "magic");
    const std::string path = file.string();
    auto project = std::make_unique<Project>();
    UndoSystem undo;
    undo.Init(&project->working);
    project->working.Fill(0x00123456);
    project->SetTempo(project->Current(), 99);
    const Pattern before = project->working.Snapshot();
    RecordingNotifier notifier;
    const std::optional<std::uint32_t> tempo = LoadPattern(path, *project, undo, notifier);

    if (outcome != "ok") {
      const char* message = outcome == "magic" ? kPatternMagicError : kLoadError;
      EXPECT_FALSE(tempo);
      EXPECT_EQ(notifier.messages, std::vector{FormatMessage(message, path)});
      EXPECT_TRUE(project->working == before);
      EXPECT_EQ(project->Tempo(project->Current()), 99u);
      EXPECT_EQ(undo.Count(), 1);
      continue;
    }
    const Bytes bytes = ReadBytes(path);
    ASSERT_TRUE(tempo);
    EXPECT_EQ(*tempo, GetU32(bytes, 12));
    EXPECT_EQ(project->Tempo(project->Current()), GetU32(bytes, 12));
    for (int i = 0; i < kCells; ++i)
      ASSERT_EQ(project->working.Get(i), GetU32(bytes, 16 + 4 * static_cast<std::size_t>(i)));
    EXPECT_EQ(undo.Count(), 2);
    EXPECT_TRUE(notifier.messages.empty());
  }
}

// A marked project with its history, and a fingerprint of all a load could change.
struct Session {
  Session() {
    for (int slot = 0; slot < Project::kPatterns; ++slot) {
      Pattern cells;
      cells.fill(static_cast<Cell>(0x010000 + slot));
      project->SetStoredPattern(slot, cells);
      project->SetTempo(slot, 99);
    }
    project->working.Fill(0x00123456);
    for (int slot = 0; slot < CKit::kSlots; ++slot) {
      project->kit[slot].data = {0.5f};
      project->kit[slot].minkey = 7;
    }
    undo.Init(&project->working);
  }
  std::uint64_t Fingerprint() const {
    std::uint64_t h = 1469598103934665603ull;
    auto mix = [&h](std::uint64_t v) { h = (h ^ v) * 1099511628211ull; };
    for (int slot = 0; slot < Project::kPatterns; ++slot) {
      mix(project->Tempo(slot));
      for (Cell c : project->StoredPattern(slot)) mix(c);
    }
    for (int i = 0; i < kCells; ++i) mix(project->working.Get(i));
    mix(static_cast<std::uint64_t>(project->Current() * 1000 + undo.Count()));
    for (int slot = 0; slot < CKit::kSlots; ++slot) {
      const CInstrument& in = project->kit[slot];
      for (char ch : in.samplePath) mix(static_cast<unsigned char>(ch));
      mix(in.loop + 2u * in.fade + 4u * in.minkey);
      for (float f : in.data) mix(std::bit_cast<std::uint32_t>(f));
    }
    return h;
  }
  std::unique_ptr<Project> project = std::make_unique<Project>();
  UndoSystem undo;
};

TEST(Corpus, ProjectFilesLoadOrShowTheirMessageAndChangeNothing) {
  for (const fs::path& file : CorpusFiles("project")) {
    SCOPED_TRACE(file.filename().string());
    const std::string outcome = CorpusOutcome(file);
    ASSERT_TRUE(outcome == "ok" || outcome == "load" || outcome == "magic");
    const std::string path = file.string();
    Session s;
    const std::uint64_t before = s.Fingerprint();
    RecordingNotifier notifier;
    const std::optional<double> tempo = LoadProject(path, *s.project, s.undo, notifier);

    if (outcome != "ok") {
      const char* message = outcome == "magic" ? kProjectMagicError : kLoadError;
      EXPECT_FALSE(tempo);
      EXPECT_EQ(notifier.messages, std::vector{FormatMessage(message, path)});
      EXPECT_EQ(s.Fingerprint(), before);
      continue;
    }
    // The file read here by offsets, not by the loader's decoder.
    const Bytes bytes = ReadBytes(path);
    ASSERT_TRUE(tempo);
    const Project& p = *s.project;
    for (int slot = 0; slot < Project::kPatterns; ++slot) {
      const std::size_t record = 12 + static_cast<std::size_t>(slot) * kProjectPatternRecordSize;
      EXPECT_EQ(p.Tempo(slot), GetU32(bytes, record));
      const Pattern cells = p.StoredPattern(slot);
      for (int i = 0; i < kCells; ++i)
        ASSERT_EQ(cells[static_cast<std::size_t>(i)],
                  GetU32(bytes, record + 4 + 4 * static_cast<std::size_t>(i)));
    }
    EXPECT_EQ(p.Current(), 0);
    EXPECT_TRUE(p.working == p.StoredPattern(0));
    std::vector<std::string> expected;
    std::size_t at = kProjectRecordsOffset;
    for (int slot = 0; slot < CKit::kSlots; ++slot) {
      SCOPED_TRACE(slot);
      const std::size_t length = GetU16(bytes, at);
      const auto text = bytes.begin() + static_cast<std::ptrdiff_t>(at + 2);
      const std::string stored(text,
                               std::find(text, text + static_cast<std::ptrdiff_t>(length), 0));
      at += 2 + length;
      const CInstrument& in = p.kit[slot];
      EXPECT_EQ(in.samplePath, stored);
      EXPECT_EQ(in.loop, bytes.at(at) == 1);
      EXPECT_EQ(in.fade, bytes.at(at + 1) == 1);
      EXPECT_EQ(in.minkey, bytes.at(at + 2));
      EXPECT_EQ(in.scale, bytes.at(at + 4) | bytes.at(at + 5) << 8);
      EXPECT_TRUE(in.data.empty());
      if (in.InUse()) expected.push_back(FormatMessage(kSampleReadError, stored));
      at += 6;
    }
    EXPECT_EQ(notifier.messages, expected);
  }
}

// Opening a named pipe blocks until a writer comes; every reader must refuse one at once.
TEST(Corpus, ReadersRefuseANamedPipeWithoutWaiting) {
  test::TempDir dir;
  const std::string fifo = dir.File("pipe");
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  auto attempt = std::async(std::launch::async, [&fifo] {
    CInstrument instrument;
    auto kit = std::make_unique<CKit>();
    PatternFileData pattern;
    auto project = std::make_unique<ProjectFileData>();
    return !LoadWave(fifo, instrument, nullptr) && !XMLreader(fifo).IsOpen() &&
           !kit->Load(fifo, nullptr, nullptr) &&
           ReadPatternFile(fifo, pattern) == PatternFileStatus::kUnreadable &&
           ReadProjectFile(fifo, *project) == ProjectFileStatus::kUnreadable;
  });
  if (attempt.wait_for(std::chrono::seconds(10)) != std::future_status::ready) {
    ADD_FAILURE() << "a reader waits for a writer";
    // Writers that come and go at once let a blocked reader end, so the test can finish.
    while (attempt.wait_for(std::chrono::milliseconds(50)) != std::future_status::ready) {
      const int fd = open(fifo.c_str(), O_WRONLY | O_NONBLOCK);
      if (fd >= 0) close(fd);
    }
  }
  EXPECT_TRUE(attempt.get());
}

}  // namespace
}  // namespace tond
