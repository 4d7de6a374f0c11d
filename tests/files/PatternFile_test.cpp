#include "files/PatternFile.h"

#include <gtest/gtest.h>

#include <filesystem>

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

Pattern Numbered(Cell base) {
  Pattern p;
  for (int i = 0; i < kCells; ++i) p[static_cast<size_t>(i)] = base + static_cast<Cell>(i);
  return p;
}

// A project whose history holds one edit on top of the initial state.
struct Fixture {
  Fixture() {
    undo.Init(&project.working);
    project.working.CopyFrom(Numbered(7));
    undo.Push();
    project.SetTempo(0, 99);
  }
  void ExpectUnchanged() const {
    EXPECT_TRUE(project.working == Numbered(7));
    EXPECT_EQ(project.Tempo(0), 99u);
    EXPECT_EQ(undo.Count(), 2);
    EXPECT_EQ(undo.Current(), 1);
  }
  Project project;
  UndoSystem undo;
  RecordingNotifier notifier;
};

TEST(PatternFile, SaveWritesTheLayout) {
  TempDir dir;
  Fixture f;
  std::string path = dir.File("a.pat");
  ASSERT_TRUE(SavePattern(path, f.project, 120.9, f.notifier));
  Bytes b = ReadBytes(path);
  ASSERT_EQ(b.size(), 16400u);
  EXPECT_EQ(std::string(b.begin(), b.begin() + 4), "PATT");
  EXPECT_EQ(Bytes(b.begin() + 4, b.begin() + 16), (Bytes{1, 0, 1, 0, 1, 0, 0, 0, 0x78, 0, 0, 0}));
  // Column by column: cell (1, 2) is the 67th.
  EXPECT_EQ(GetU32(b, 16 + 4 * 66), 7u + CellIndex(1, 2));
  EXPECT_EQ(GetU32(b, 16 + 4 * 4095), 7u + 4095u);
  EXPECT_TRUE(f.notifier.messages.empty());
  f.ExpectUnchanged();

  EXPECT_EQ(PatternFileTempo(0x10078 + 0.5), 0x78u);
  EXPECT_EQ(PatternFileTempo(350), 350u);
}

TEST(PatternFile, LoadReplacesThePatternAndCanBeUndone) {
  TempDir dir;
  std::string path = dir.File("b.pat");
  Bytes file = EncodePatternFile(Numbered(1000), 200);
  // Other version and count values do not matter.
  file[4] = 9, file[8] = 5, file[11] = 0xFF;
  WriteBytes(path, file);

  Fixture f;
  auto tempo = LoadPattern(path, f.project, f.undo, f.notifier);
  ASSERT_TRUE(tempo.has_value());
  EXPECT_EQ(*tempo, 200u);
  EXPECT_TRUE(f.project.working == Numbered(1000));
  EXPECT_EQ(f.project.Tempo(0), 200u);
  EXPECT_EQ(f.undo.Count(), 3);
  EXPECT_TRUE(f.notifier.messages.empty());

  f.undo.Undo();
  EXPECT_TRUE(f.project.working == Numbered(7));
  EXPECT_EQ(f.project.Tempo(0), 200u);

  // The stored tempo comes back raw; the control keeps it to 1..350.
  WriteBytes(path, EncodePatternFile(Pattern{}, 0));
  EXPECT_EQ(LoadPattern(path, f.project, f.undo, f.notifier), 0u);
  EXPECT_EQ(ClampTempoControl(0), 1.0);
  EXPECT_EQ(ClampTempoControl(351), 350.0);
  EXPECT_EQ(ClampTempoControl(77), 77.0);
}

TEST(PatternFile, RefusedFilesChangeNothing) {
  TempDir dir;
  std::string path = dir.File("c.pat");
  Fixture f;
  const std::string load = "Error: unable to load the file:\n " + path;

  // Every cut of a valid file, down to nothing.
  WriteBytes(path, EncodePatternFile(Numbered(50), 140));
  for (std::size_t size = kPatternFileSize - 1;; --size) {
    std::filesystem::resize_file(path, size);
    f.notifier.messages.clear();
    ASSERT_FALSE(LoadPattern(path, f.project, f.undo, f.notifier)) << size;
    ASSERT_EQ(f.notifier.messages, std::vector<std::string>{load}) << size;
    if (size == 0) break;
  }
  f.ExpectUnchanged();

  Bytes wrong = EncodePatternFile(Numbered(50), 140);
  wrong[3] = 'X';
  WriteBytes(path, wrong);
  f.notifier.messages.clear();
  EXPECT_FALSE(LoadPattern(path, f.project, f.undo, f.notifier));
  EXPECT_EQ(f.notifier.messages,
            std::vector<std::string>{"Error: this is not a Tond pattern file:\n " + path});

  for (const std::string& other : {dir.File("missing.pat"), dir.Path().string()}) {
    f.notifier.messages.clear();
    EXPECT_FALSE(LoadPattern(other, f.project, f.undo, f.notifier));
    EXPECT_EQ(f.notifier.messages,
              std::vector<std::string>{"Error: unable to load the file:\n " + other});
  }
  f.ExpectUnchanged();
}

TEST(PatternFile, FailedSaveKeepsTheOldFile) {
  TempDir dir;
  Fixture f;
  std::string old = dir.File("old.pat");
  WriteBytes(old, EncodePatternFile(Numbered(3), 90));
  Bytes before = ReadBytes(old);

  // The parent of the target is a regular file, which stops even root.
  std::string target = old + "/new.pat";
  EXPECT_FALSE(SavePattern(target, f.project, 120, f.notifier));
  EXPECT_EQ(f.notifier.messages,
            std::vector<std::string>{"Error: unable to save the file:\n " + target});
  EXPECT_EQ(ReadBytes(old), before);

  // A folder in the way of the target is not replaced, and no temporary file is left behind.
  std::filesystem::create_directory(dir.File("folder.pat"));
  EXPECT_FALSE(SavePattern(dir.File("folder.pat"), f.project, 120, f.notifier));
  EXPECT_TRUE(std::filesystem::is_directory(dir.File("folder.pat")));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()),
                          std::filesystem::directory_iterator()),
            2);
}

}  // namespace
}  // namespace tond
