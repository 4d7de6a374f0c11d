#include "files/ProjectFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <filesystem>
#include <memory>
#include <tuple>

#include "engine/Engine.h"
#include "kit/WaveReader.h"
#include "model/Project.h"
#include "model/UndoSystem.h"
#include "support/TestFiles.h"

namespace tond {
namespace {

using test::Bytes;
using test::GetU32;
using test::ReadBytes;
using test::RecordingNotifier;
using test::TempDir;
using test::WriteBytes;

// A project with its history and engine, on the heap (the grids are large).
struct Session {
  Session() {
    undo.Init(&project->working);
    undo.Push();
  }
  std::unique_ptr<Project> project = std::make_unique<Project>();
  UndoSystem undo;
  Engine engine{project->working, project->kit};
  RecordingNotifier notifier;

  std::optional<double> Load(const std::string& path) {
    return LoadProject(path, *project, undo, engine, notifier);
  }
  // Everything a load could touch, folded into one number.
  std::uint64_t Checksum() const {
    std::uint64_t h = 1469598103934665603ull;
    auto mix = [&h](std::uint64_t v) { h = (h ^ v) * 1099511628211ull; };
    for (int s = 0; s < 16; ++s) {
      mix(project->Tempo(s));
      for (Cell c : project->StoredPattern(s)) mix(c);
    }
    for (int i = 0; i < kCells; ++i) mix(project->working.Get(i));
    mix(static_cast<std::uint64_t>(project->Current()));
    mix(static_cast<std::uint64_t>(undo.Count() * 1000 + undo.Current()));
    for (int s = 0; s < CKit::kSlots; ++s) {
      const CInstrument& in = project->kit[s];
      for (char ch : in.samplePath) mix(static_cast<std::uint64_t>(ch));
      mix(in.loop + 2u * in.fade + 4u * in.minkey + 1024u * in.maxkey + 262144u * in.scale);
      for (float f : in.data) mix(std::bit_cast<std::uint32_t>(f));
    }
    return h;
  }
};

Pattern Numbered(Cell base) {
  Pattern p;
  for (int i = 0; i < kCells; ++i) p[static_cast<size_t>(i)] = base + static_cast<Cell>(i) * 3;
  return p;
}

// Notes in several patterns, distinct tempos, samples in slots 0, 5 and 63; pattern 4 current.
struct Scene {
  Scene() {
    WriteBytes(dir.File("a.wav"), test::MakeWave16({100, -200, 300, 4000}));
    WriteBytes(dir.File("b.wav"), test::MakeWave16({7, 8, 9, 10}, 2));
    Project& p = *source.project;
    for (int s = 3; s < 16; s += 3) p.SetStoredPattern(s, Numbered(static_cast<Cell>(s) << 20));
    for (int s = 0; s < 16; ++s) p.SetTempo(s, 60u + static_cast<std::uint32_t>(s) * 17);
    p.working.CopyFrom(Numbered(0x100));
    p.SelectPattern(4, 140, source.undo);  // pattern 0 is stored at tempo 140
    p.working.CopyFrom(Numbered(0x424242));
    auto fill = [&](int slot, const std::string& file, bool loop, bool fade) {
      p.kit[slot].samplePath = dir.File(file);
      p.kit[slot].loop = loop, p.kit[slot].fade = fade;
      LoadWave(p.kit[slot].samplePath, p.kit[slot], nullptr);
    };
    fill(0, "a.wav", true, false);
    fill(5, "b.wav", false, true);
    fill(63, "a.wav", true, true);
    p.kit[9].loop = true;  // an empty slot keeps its flags too
    EXPECT_TRUE(SaveProject(file, p, 177.9, source.notifier));
  }
  TempDir dir;
  std::string file = dir.File("song.blp");
  Session source;
};

TEST(ProjectFile, EmptyProjectLayout) {
  TempDir dir;
  Session s;
  const std::string path = dir.File("empty.blp");
  ASSERT_TRUE(SaveProject(path, *s.project, 133.7, s.notifier));
  Bytes b = ReadBytes(path);
  ASSERT_EQ(b.size(), 263248u);
  EXPECT_EQ(Bytes(b.begin(), b.begin() + 12), (Bytes{'T', 'O', 'N', 'D', 1, 0, 1, 0, 16, 0, 0, 0}));
  EXPECT_EQ(GetU32(b, 12), 133u);  // the tempo control as it is at the save
  EXPECT_EQ(GetU32(b, 12 + 16388), 120u);
  EXPECT_EQ(GetU32(b, 262220), 1u);
  const Bytes record{8, 0, 'n', 'o', 't', ' ', 'u', 's', 'e', 'd', 0, 0, 0, 127, 0, 0};
  EXPECT_EQ(Bytes(b.begin() + 262224, b.begin() + 262240), record);
  EXPECT_EQ(Bytes(b.end() - 16, b.end()), record);
  EXPECT_EQ(s.undo.Count(), 2);  // saving leaves the history alone
}

TEST(ProjectFile, RoundTripRestoresEverythingButKeyRanges) {
  Scene scene;
  Bytes saved = ReadBytes(scene.file);
  ASSERT_EQ(saved.size(), 263248u + 3 * scene.dir.File("a.wav").size() - 3 * 8);

  Session target;
  Project& t = *target.project;
  t.SelectPattern(7, 99, target.undo);
  t.SetCell(3, 3, 5);
  target.undo.Push();
  t.kit[10].samplePath = scene.dir.File("b.wav");
  LoadWave(t.kit[10].samplePath, t.kit[10], nullptr);
  t.kit[5].minkey = 12, t.kit[5].maxkey = 24, t.kit[5].scale = 200;
  target.engine.playing = true;
  saved[4] = 9, saved[8] = 3, saved[262220] = 7;  // version, count and marker are not read
  WriteBytes(scene.file, saved);

  ASSERT_EQ(target.Load(scene.file), 140.0);
  EXPECT_TRUE(target.notifier.messages.empty());
  EXPECT_FALSE(target.engine.playing);
  const Project& p = *scene.source.project;
  for (int s = 0; s < 16; ++s) {
    EXPECT_EQ(t.StoredPattern(s), p.StoredPattern(s)) << s;
    EXPECT_EQ(t.Tempo(s), p.Tempo(s)) << s;
  }
  EXPECT_EQ(t.Current(), 0);
  EXPECT_TRUE(t.working == p.StoredPattern(0));
  EXPECT_EQ(target.undo.Count(), 0);
  for (int s = 0; s < CKit::kSlots; ++s) {
    EXPECT_EQ(t.kit[s].samplePath, p.kit[s].samplePath) << s;
    EXPECT_EQ(t.kit[s].data, p.kit[s].data) << s;
    EXPECT_EQ(t.kit[s].loop, p.kit[s].loop) << s;
    EXPECT_EQ(t.kit[s].fade, p.kit[s].fade) << s;
  }
  EXPECT_EQ(t.kit[10].Length(), 0u);  // emptied by its "not used" record
  EXPECT_EQ(std::tuple(t.kit[5].minkey, t.kit[5].maxkey, t.kit[5].scale), std::tuple(12, 24, 200));

  // The same bytes again, apart from the fields that are not read.
  saved[4] = 1, saved[8] = 16, saved[262220] = 1;
  t.kit[5].minkey = 0, t.kit[5].maxkey = 127, t.kit[5].scale = 0;
  ASSERT_TRUE(SaveProject(scene.file, t, 140, target.notifier));
  EXPECT_EQ(ReadBytes(scene.file), saved);

  // The tempo control keeps pattern 0's tempo within its range.
  saved[12] = 0;
  WriteBytes(scene.file, saved);
  EXPECT_EQ(target.Load(scene.file), 1.0);
  EXPECT_EQ(target.engine.Tempo(), 1.0);
}

TEST(ProjectFile, DamagedFilesAreRefusedWhole) {
  Scene scene;
  const Bytes whole = ReadBytes(scene.file);
  Session s;
  s.project->kit[2].samplePath = scene.dir.File("a.wav");
  LoadWave(s.project->kit[2].samplePath, s.project->kit[2], nullptr);
  s.project->SelectPattern(3, 111, s.undo);
  s.project->SetCell(1, 1, 77);
  s.undo.Push();
  const std::uint64_t before = s.Checksum();
  const std::vector<std::string> load{"Error: unable to load the file:\n " + scene.file};

  // Every cut near a field boundary, a coarse walk through the cells and a finer one through
  // the records; the file is cut shorter and shorter.
  std::vector<std::size_t> cuts;
  for (std::size_t n = whole.size() - 1; n > kProjectRecordsOffset + 40;)
    cuts.push_back(n), n -= n + 40 > whole.size() ? 1 : 11;
  for (std::size_t n = kProjectRecordsOffset + 40; n > kProjectRecordsOffset - 5; --n)
    cuts.push_back(n);
  for (std::size_t r = 16; r >= 1; --r)
    for (std::size_t n = 12 + r * 16388 + 3; n > 12 + r * 16388 - 5; --n) cuts.push_back(n);
  for (std::size_t n = 16 + 13; n < kProjectRecordsOffset - 5; n += 8209) cuts.push_back(n);
  for (std::size_t n = 16; n-- > 0;) cuts.push_back(n);
  std::sort(cuts.begin(), cuts.end(), std::greater<>());
  WriteBytes(scene.file, whole);
  for (std::size_t n : cuts) {
    std::filesystem::resize_file(scene.file, n);
    s.notifier.messages.clear();
    ASSERT_FALSE(s.Load(scene.file)) << n;
    ASSERT_EQ(s.notifier.messages, load) << n;
    ASSERT_EQ(s.Checksum(), before) << n;
  }

  // A path of 1024 bytes does not fit the loader's buffer; 1023 does.
  for (std::size_t length : {1024u, 1023u}) {
    Bytes b(whole.begin(), whole.begin() + kProjectRecordsOffset);
    test::PutU16(b, static_cast<std::uint16_t>(length));
    b.insert(b.end(), length, 'x');
    b.insert(b.end(), {0, 0, 0, 127, 0, 0});
    for (int slot = 1; slot < CKit::kSlots; ++slot)
      b.insert(b.end(), {8, 0, 'n', 'o', 't', ' ', 'u', 's', 'e', 'd', 0, 0, 0, 127, 0, 0});
    WriteBytes(scene.file, b);
    s.notifier.messages.clear();
    EXPECT_EQ(s.Load(scene.file).has_value(), length == 1023);
    if (length == 1024) {
      EXPECT_EQ(s.notifier.messages, load);
      EXPECT_EQ(s.Checksum(), before);
    }
  }
  EXPECT_EQ(s.project->kit[0].samplePath, std::string(1023, 'x'));
  EXPECT_EQ(s.notifier.messages,
            std::vector<std::string>{"Unable to read the file:\n " + std::string(1023, 'x')});

  Bytes wrong = whole;
  wrong[0] = 'P';
  WriteBytes(scene.file, wrong);
  s.notifier.messages.clear();
  EXPECT_FALSE(s.Load(scene.file));
  EXPECT_EQ(s.notifier.messages,
            std::vector<std::string>{"Error: this is not a Tond project file:\n " + scene.file});
  for (const std::string& other : {scene.dir.File("missing.blp"), scene.dir.Path().string()}) {
    s.notifier.messages.clear();
    EXPECT_FALSE(s.Load(other));
    EXPECT_EQ(s.notifier.messages,
              std::vector<std::string>{"Error: unable to load the file:\n " + other});
  }
}

TEST(ProjectFile, MissingSamplesAreReportedPerSlot) {
  Scene scene;
  std::filesystem::remove(scene.dir.File("a.wav"));
  Session s;
  ASSERT_TRUE(s.Load(scene.file));
  const std::string gone = "Unable to read the file:\n " + scene.dir.File("a.wav");
  EXPECT_EQ(s.notifier.messages, (std::vector<std::string>{gone, gone}));
  EXPECT_EQ(s.project->kit[0].samplePath, scene.dir.File("a.wav"));
  EXPECT_TRUE(s.project->kit[63].loop && s.project->kit[63].fade);
  EXPECT_EQ(s.project->kit[63].Length(), 0u);
  EXPECT_EQ(s.project->kit[5].Length(), 2u);
}

TEST(ProjectFile, FailedSaveKeepsTheOldFile) {
  Scene scene;
  const Bytes before = ReadBytes(scene.file);
  Session s;
  const std::string blocked = scene.file + "/x.blp";  // the parent is a regular file
  EXPECT_FALSE(SaveProject(blocked, *s.project, 120, s.notifier));
  // A path the loader could not read back is not written either.
  s.project->kit[1].samplePath = std::string(1024, 'y');
  EXPECT_FALSE(SaveProject(scene.file, *s.project, 120, s.notifier));
  EXPECT_EQ(s.notifier.messages,
            (std::vector<std::string>{"Error: unable to save the file:\n " + blocked,
                                      "Error: unable to save the file:\n " + scene.file}));
  EXPECT_EQ(ReadBytes(scene.file), before);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(scene.dir.Path()),
                          std::filesystem::directory_iterator()),
            3);
}

}  // namespace
}  // namespace tond
