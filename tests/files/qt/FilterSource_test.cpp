#include "files/qt/FilterSource.h"

#include <gtest/gtest.h>

#include <QImage>

#include "files/PatternFile.h"
#include "support/TestFiles.h"

namespace tond {
namespace {

using test::Bytes;
using test::RecordingNotifier;
using test::TempDir;

TEST(FilterSource, PatternFilesAndPicturesGiveTheirCells) {
  TempDir dir;
  Pattern stored{};
  for (int i = 0; i < kCells; ++i) stored[i] = static_cast<Cell>(i * 2654435761u) & 0xFFFFFFu;
  test::WriteBytes(dir.File("mask.pat"), EncodePatternFile(stored, 99));

  // A picture whose upper half is grey and lower half white.
  QImage image(64, 64, QImage::Format_RGB32);
  image.fill(qRgb(255, 255, 255));
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 64; ++x) image.setPixel(x, y, qRgb(128, 128, 128));
  ASSERT_TRUE(image.save(QString::fromStdString(dir.File("fade.bmp")), "BMP"));
  // Only "pat" in lower case names a pattern file; other names are tried as pictures.
  ASSERT_TRUE(image.save(QString::fromStdString(dir.File("FADE.PAT")), "PNG"));
  test::WriteBytes(dir.File("other.PAT"), EncodePatternFile(stored, 99));
  test::WriteBytes(dir.File("mask"), EncodePatternFile(stored, 99));
  ASSERT_TRUE(image.save(QString::fromStdString(dir.File("noextension")), "PNG"));

  RecordingNotifier notifier;
  std::optional<Pattern> cells = ReadFilterSource(dir.File("mask.pat"), notifier);
  ASSERT_TRUE(cells);
  EXPECT_TRUE(*cells == stored);

  for (const char* name : {"fade.bmp", "FADE.PAT"}) {
    cells = ReadFilterSource(dir.File(name), notifier);
    ASSERT_TRUE(cells) << name;
    for (int x = 0; x < 64; ++x)
      for (int y = 0; y < 64; ++y)
        ASSERT_EQ((*cells)[CellIndex(x, y)], y < 32 ? 0x808080u : 0xFFFFFFu) << name;
  }

  for (const char* name : {"other.PAT", "mask", "noextension", ".", ".."})
    EXPECT_FALSE(ReadFilterSource(dir.File(name), notifier)) << name;
  EXPECT_TRUE(notifier.messages.empty());
}

TEST(FilterSource, RefusedPatternFilesShowTheirMessages) {
  TempDir dir;
  Bytes file = EncodePatternFile(Pattern{}, 120);
  file[0] = 'B';
  test::WriteBytes(dir.File("bad.pat"), file);
  file[0] = 'P';
  file.pop_back();
  test::WriteBytes(dir.File("cut.pat"), file);
  test::WriteBytes(dir.File("junk.jpg"), Bytes(100, 7));

  RecordingNotifier notifier;
  for (const char* name : {"bad.pat", "cut.pat", "gone.pat", "junk.jpg", "gone.gif"})
    EXPECT_FALSE(ReadFilterSource(dir.File(name), notifier)) << name;
  EXPECT_EQ(
      notifier.messages,
      (std::vector<std::string>{"Error: this is not a Tond pattern file:\n " + dir.File("bad.pat"),
                                "Error: unable to load the file:\n " + dir.File("cut.pat"),
                                "Error: unable to load the file:\n " + dir.File("gone.pat")}));
}

}  // namespace
}  // namespace tond
