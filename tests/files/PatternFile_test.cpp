#include "files/PatternFile.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

#include "support/ProjectFixture.h"

namespace tond::test {
namespace {

using Texts = std::vector<std::string>;

// Numbered cells at tempo 99, with one edit in the history.
struct PatternFileTest : ::testing::Test, ProjectSession {
  PatternFileTest() {
    project->working.CopyFrom(NumberedPattern(7));
    undo.Push();
    project->SetTempo(0, 99);
  }
  std::optional<std::uint32_t> Load(const std::string& path) {
    notifier.messages.clear();
    return LoadPattern(path, *project, undo, notifier);
  }
  void ExpectUnchanged() const {
    EXPECT_TRUE(project->working == NumberedPattern(7));
    EXPECT_EQ(project->Tempo(0), 99u);
    EXPECT_EQ(undo.Count(), 2);
    EXPECT_EQ(undo.Current(), 1);
  }
  TempDir dir;
  std::string path = dir.File("a.pat");
};

TEST_F(PatternFileTest, SaveWritesTheLayoutOrKeepsTheOldFile) {
  ASSERT_TRUE(SavePattern(path, *project, 120.9, notifier));
  const Bytes b = ReadBytes(path);
  ASSERT_EQ(b.size(), 16400u);
  EXPECT_EQ(Bytes(b.begin(), b.begin() + 16),
            (Bytes{'P', 'A', 'T', 'T', 1, 0, 1, 0, 1, 0, 0, 0, 0x78, 0, 0, 0}));
  // Column by column: cell (1, 2) is the 67th.
  EXPECT_EQ(GetU32(b, 16 + 4 * 66), 7u + CellIndex(1, 2));
  EXPECT_EQ(GetU32(b, 16 + 4 * 4095), 7u + 4095u);
  ExpectUnchanged();
  EXPECT_EQ(PatternFileTempo(0x10078 + 0.5), 0x78u);
  EXPECT_EQ(PatternFileTempo(std::nan("")), 0u);

  // The parent of the target is a regular file (which stops even root), or a folder is in the
  // way of the target.
  std::filesystem::create_directory(dir.File("folder.pat"));
  for (const std::string& target : {path + "/new.pat", dir.File("folder.pat")})
    EXPECT_FALSE(SavePattern(target, *project, 120, notifier)) << target;
  EXPECT_EQ(notifier.messages,
            (Texts{"Error: unable to save the file:\n " + path + "/new.pat",
                   "Error: unable to save the file:\n " + dir.File("folder.pat")}));
  EXPECT_EQ(ReadBytes(path), b);
}

TEST_F(PatternFileTest, LoadReplacesThePatternAndCanBeUndone) {
  WriteBytes(path, EncodePatternFile(NumberedPattern(1000), 200));
  EXPECT_EQ(Load(path), 200u);
  EXPECT_TRUE(project->working == NumberedPattern(1000));
  EXPECT_EQ(project->Tempo(0), 200u);
  EXPECT_EQ(undo.Count(), 3);
  EXPECT_TRUE(notifier.messages.empty());
  undo.Undo();
  EXPECT_TRUE(project->working == NumberedPattern(7));
  EXPECT_EQ(project->Tempo(0), 200u);
  // The tempo control keeps a stored tempo to 1..350.
  EXPECT_EQ(TempoControlFor(0), 1.0);
  EXPECT_EQ(TempoControlFor(351), 350.0);
}

TEST_F(PatternFileTest, RefusedFilesChangeNothing) {
  // Every cut of a valid file, down to nothing. (Wrong magic and other damage: the corpus test.)
  WriteBytes(path, EncodePatternFile(NumberedPattern(50), 140));
  for (std::size_t size = kPatternFileSize; size-- > 0;) {
    std::filesystem::resize_file(path, size);
    ASSERT_FALSE(Load(path)) << size;
    ASSERT_EQ(notifier.messages, Texts{"Error: unable to load the file:\n " + path}) << size;
  }
  for (const std::string& other : {dir.File("missing.pat"), dir.Path().string()}) {
    EXPECT_FALSE(Load(other));
    EXPECT_EQ(notifier.messages, Texts{"Error: unable to load the file:\n " + other});
  }
  ExpectUnchanged();
}

}  // namespace
}  // namespace tond::test
