#include "files/qt/FilterSource.h"

#include <gtest/gtest.h>

#include <QImage>

#include "files/PatternFile.h"
#include "support/TestFiles.h"

namespace tond::test {
namespace {

// Each entry goes to the pattern file reader or to the picture reader, by its extension.
TEST(FilterSource, PatternFilesAndPicturesGiveTheirCellsAndOnlyPatternFilesComplain) {
  TempDir dir;
  const Pattern stored = NumberedPattern(0x10203, 977);
  Bytes file = EncodePatternFile(stored, 99);
  WriteBytes(dir.File("mask.pat"), file);
  WriteBytes(dir.File("junk.jpg"), Bytes(100, 7));
  file[0] = 'B';
  WriteBytes(dir.File("bad.pat"), file);
  // Only "pat" in lower case names a pattern file; other names are tried as pictures.
  QImage grey(1, 1, QImage::Format_RGB32);
  grey.fill(qRgb(128, 128, 128));
  for (const char* name : {"GREY.PAT", "noextension"})
    ASSERT_TRUE(grey.save(QString::fromStdString(dir.File(name)), "PNG"));

  RecordingNotifier notifier;
  EXPECT_EQ(ReadFilterSource(dir.File("mask.pat"), notifier), stored);
  Pattern greyCells;
  greyCells.fill(0x808080);
  EXPECT_EQ(ReadFilterSource(dir.File("GREY.PAT"), notifier), greyCells);
  for (const char* name : {"noextension", ".", "..", "junk.jpg", "gone.gif", "bad.pat", "gone.pat"})
    EXPECT_FALSE(ReadFilterSource(dir.File(name), notifier)) << name;
  EXPECT_EQ(
      notifier.messages,
      (std::vector<std::string>{"Error: this is not a Tond pattern file:\n " + dir.File("bad.pat"),
                                "Error: unable to load the file:\n " + dir.File("gone.pat")}));
}

}  // namespace
}  // namespace tond::test
