#include <gtest/gtest.h>

#include <QImage>
#include <QImageReader>
#include <filesystem>

#include "app/RunTond.h"
#include "files/PatternFile.h"
#include "files/qt/PictureImport.h"

namespace tond {
namespace {

using test::Bytes;

TEST(CliImport, APhotoBecomesThePatternTheImportMakesAndFailuresAreExplained) {
  test::TondFolder folder;
  QImage photo(320, 240, QImage::Format_RGB32);
  for (int y = 0; y < 240; ++y)
    for (int x = 0; x < 320; ++x)
      photo.setPixel(x, y, qRgb(255 - x * 255 / 319, 40 + y * 200 / 239, (x ^ y) & 0x3F));
  ASSERT_TRUE(photo.save(QString::fromStdString(folder.File("photo.jpg")), "JPEG", 85));

  auto r = folder.Tond("import photo.jpg -o photo.pat --tempo 97.8");
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.err, "");
  Bytes file = folder.Read("photo.pat");
  PatternFileData data;
  ASSERT_EQ(DecodePatternFile(file.data(), file.size(), data), PatternFileStatus::kOk);
  EXPECT_EQ(file.size(), 16400u);
  EXPECT_EQ(data.tempo, 97u);
  EXPECT_TRUE(data.cells == *ReadPicturePattern(folder.File("photo.jpg")));

  // The tempo defaults to 120; the ends of its range are taken (beyond them: the arguments test).
  for (auto [extra, tempo] : std::vector<std::pair<std::string, std::uint32_t>>{
           {"", 120}, {"--tempo 350", 350}, {"--tempo=1", 1}}) {
    ASSERT_EQ(folder.Tond("import photo.jpg -o t.pat " + extra).exitCode, 0);
    EXPECT_EQ(test::GetU32(folder.Read("t.pat"), 12), tempo);
  }

  // Text in a picture needs fonts, which Qt offers only to an application; the command makes an
  // offscreen one.
  if (QImageReader::supportedImageFormats().contains("svg")) {
    test::WriteText(folder.File("text.svg"),
                    "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"90\" height=\"90\">"
                    "<rect width=\"90\" height=\"90\" fill=\"#ff0000\"/>"
                    "<text x=\"5\" y=\"60\" font-size=\"40\">Hi</text></svg>");
    r = folder.Tond("import text.svg -o text.pat");
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(test::GetU32(folder.Read("text.pat"), 16), 0xFFu);
  }

  // What cannot be imported is explained (with the system's reason where it gave one), and
  // nothing is written.
  test::WriteBytes(folder.File("junk.jpg"), Bytes(500, 0x33));
  for (const auto& [picture, reason] : std::vector<std::pair<std::string, std::string>>{
           {"junk.jpg", ""}, {"missing.gif", "No such file or directory\n"}}) {
    r = folder.Tond("import " + picture + " -o photo.pat");
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err, "tond import: Error: unable to read the file as a picture:\n " + picture +
                         "\n" + reason);
  }
  r = folder.Tond("import photo.jpg -o photo.pat/x.pat");
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_EQ(r.err,
            "tond import: Error: unable to save the file:\n photo.pat/x.pat\nNot a directory\n");
  EXPECT_EQ(folder.Read("photo.pat"), file);
}

}  // namespace
}  // namespace tond
