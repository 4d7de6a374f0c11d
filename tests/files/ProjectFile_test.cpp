#include "files/ProjectFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <tuple>

#include "kit/WaveReader.h"
#include "support/ProjectFixture.h"

namespace tond::test {
namespace {

using Texts = std::vector<std::string>;

// A project with one edit in its history.
struct Session : ProjectSession {
  Session() { undo.Push(); }
  std::optional<double> Load(const std::string& path) {
    notifier.messages.clear();
    return LoadProject(path, *project, undo, notifier);
  }
};

// Notes in several patterns, distinct tempos, samples in slots 0, 5 and 63; pattern 4 current.
struct Scene {
  Scene() {
    WriteBytes(dir.File("a.wav"), MakeWave16({100, -200, 300, 4000}));
    WriteBytes(dir.File("b.wav"), MakeWave16({7, 8, 9, 10}, 2));
    Project& p = *source.project;
    for (int s = 3; s < 16; s += 3) p.SetStoredPattern(s, NumberedPattern(s << 20, 3));
    for (int s = 0; s < 16; ++s) p.SetTempo(s, 60u + static_cast<std::uint32_t>(s) * 17);
    p.working.CopyFrom(NumberedPattern(0x100, 3));
    p.SelectPattern(4, 140, source.undo);  // pattern 0 is stored at tempo 140
    p.working.CopyFrom(NumberedPattern(0x424242, 3));
    for (int slot : {0, 5, 63}) {
      p.kit[slot].samplePath = dir.File(slot == 5 ? "b.wav" : "a.wav");
      p.kit[slot].loop = slot != 5, p.kit[slot].fade = slot != 0;
      LoadWave(p.kit[slot].samplePath, p.kit[slot], nullptr);
    }
    p.kit[9].loop = true;  // an empty slot keeps its flags too
    EXPECT_TRUE(SaveProject(file, p, 177.9, source.notifier));
  }
  TempDir dir;
  std::string file = dir.File("song.blp");
  Session source;
};

TEST(ProjectFile, EmptyProjectLayoutAndFailedSaves) {
  TempDir dir;
  Session s;
  const std::string path = dir.File("empty.blp");
  ASSERT_TRUE(SaveProject(path, *s.project, 133.7, s.notifier));
  const Bytes b = ReadBytes(path);
  ASSERT_EQ(b.size(), 263248u);
  EXPECT_EQ(Bytes(b.begin(), b.begin() + 12), (Bytes{'T', 'O', 'N', 'D', 1, 0, 1, 0, 16, 0, 0, 0}));
  EXPECT_EQ(GetU32(b, 12), 133u);  // the tempo control as it is at the save
  EXPECT_EQ(GetU32(b, 12 + 16388), 120u);
  EXPECT_EQ(GetU32(b, 262220), 1u);
  const Bytes record{8, 0, 'n', 'o', 't', ' ', 'u', 's', 'e', 'd', 0, 0, 0, 127, 0, 0};
  EXPECT_EQ(Bytes(b.begin() + 262224, b.begin() + 262240), record);
  EXPECT_EQ(Bytes(b.end() - 16, b.end()), record);
  EXPECT_EQ(s.undo.Count(), 2);  // saving leaves the history alone

  const std::string blocked = path + "/x.blp";  // the parent is a regular file
  EXPECT_FALSE(SaveProject(blocked, *s.project, 120, s.notifier));
  // A path the loader could not read back is not written either.
  s.project->kit[1].samplePath = std::string(1024, 'y');
  EXPECT_FALSE(SaveProject(path, *s.project, 120, s.notifier));
  EXPECT_EQ(s.notifier.messages, (Texts{"Error: unable to save the file:\n " + blocked,
                                        "Error: unable to save the file:\n " + path}));
  EXPECT_EQ(ReadBytes(path), b);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1);
}

TEST(ProjectFile, SaveLoadSaveGivesTheSameBytesAndReplacesTheSession) {
  Scene scene;
  Bytes saved = ReadBytes(scene.file);
  ASSERT_EQ(saved.size(), 263248u + 3 * scene.dir.File("a.wav").size() - 3 * 8);
  // The target plays another pattern, with an edit, a sample in slot 10 and key fields set.
  Session target;
  Project& t = *target.project;
  const Project& p = *scene.source.project;
  t.SelectPattern(7, 99, target.undo);
  t.SetCell(3, 3, 5);
  target.undo.Push();
  t.kit[10].samplePath = scene.dir.File("b.wav");
  LoadWave(t.kit[10].samplePath, t.kit[10], nullptr);
  t.kit[5].minkey = 12, t.kit[5].maxkey = 24, t.kit[5].scale = 200;
  saved[4] = 9, saved[8] = 3, saved[262220] = 7;  // version, count and marker are not read
  WriteBytes(scene.file, saved);

  ASSERT_EQ(target.Load(scene.file), 140.0);
  EXPECT_TRUE(target.notifier.messages.empty());
  EXPECT_EQ(target.undo.Count(), 0);
  for (int s = 0; s < CKit::kSlots; ++s) EXPECT_EQ(t.kit[s].data, p.kit[s].data) << s;
  // The key range and scale come from the file too: the scale window's choices are kept.
  EXPECT_EQ(std::tuple(t.kit[5].minkey, t.kit[5].maxkey, t.kit[5].scale),
            std::tuple(p.kit[5].minkey, p.kit[5].maxkey, p.kit[5].scale));
  // The same bytes again (patterns, tempos, paths, flags), apart from the fields not read: this
  // also shows pattern 0 current and in the working grid, as the save commits them.
  saved[4] = 1, saved[8] = 16, saved[262220] = 1;
  ASSERT_TRUE(SaveProject(scene.file, t, 140, target.notifier));
  EXPECT_EQ(ReadBytes(scene.file), saved);

  // The tempo control keeps pattern 0's tempo within its range. A missing sample is reported
  // for each slot, which keeps its path and flags but no sample of before.
  saved[12] = 0;
  WriteBytes(scene.file, saved);
  std::filesystem::remove(scene.dir.File("a.wav"));
  EXPECT_EQ(target.Load(scene.file), 1.0);
  const std::string gone = "Unable to read the file:\n " + scene.dir.File("a.wav");
  EXPECT_EQ(target.notifier.messages, (Texts{gone, gone}));
  EXPECT_EQ(t.kit[63].samplePath, scene.dir.File("a.wav"));
  EXPECT_TRUE(t.kit[63].loop && t.kit[63].fade);
  EXPECT_EQ(t.kit[63].Length(), 0u);
  EXPECT_EQ(t.kit[5].Length(), 2u);
}

// Damaged files, with what each load must leave unchanged, are in the corpus test.
TEST(ProjectFile, CutFilesOverlongPathsAndOtherEntriesAreRefused) {
  Scene scene;
  const Bytes whole = ReadBytes(scene.file);
  auto data = std::make_unique<ProjectFileData>();
  for (std::size_t n = 0; n < whole.size(); ++n) {
    // Cuts that reach the records get a buffer of their own size, so that a read past the end
    // shows under the sanitizer.
    Bytes own;
    if (n + 8 >= kProjectRecordsOffset)
      own.assign(whole.begin(), whole.begin() + static_cast<long>(n));
    ASSERT_EQ(DecodeProjectFile(own.empty() ? whole.data() : own.data(), n, *data),
              ProjectFileStatus::kUnreadable)
        << n;
  }
  Session& s = scene.source;
  const std::string load = "Error: unable to load the file:\n ";
  for (const std::string& other : {scene.dir.File("missing.blp"), scene.dir.Path().string()}) {
    EXPECT_FALSE(s.Load(other));
    EXPECT_EQ(s.notifier.messages, Texts{load + other});
  }
  // A whole file with a path of 1024 bytes, which the loader's buffer cannot hold; 1023 fit.
  for (std::size_t length : {1024u, 1023u}) {
    Bytes b(whole.begin(), whole.begin() + kProjectRecordsOffset);
    PutU16(b, static_cast<std::uint16_t>(length));
    b.insert(b.end(), length, 'x');
    b.insert(b.end(), {0, 0, 0, 127, 0, 0});
    for (int slot = 1; slot < CKit::kSlots; ++slot)
      b.insert(b.end(), {8, 0, 'n', 'o', 't', ' ', 'u', 's', 'e', 'd', 0, 0, 0, 127, 0, 0});
    WriteBytes(scene.file, b);
    EXPECT_EQ(s.Load(scene.file).has_value(), length == 1023);
    EXPECT_EQ(s.notifier.messages,
              Texts{length == 1023 ? "Unable to read the file:\n " + std::string(1023, 'x')
                                   : load + scene.file});
  }
  EXPECT_EQ(s.project->kit[0].samplePath, std::string(1023, 'x'));
}

}  // namespace
}  // namespace tond::test
