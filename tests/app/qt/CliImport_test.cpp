#include <gtest/gtest.h>

#include <QImage>
#include <QImageReader>
#include <cmath>
#include <filesystem>

#include "app/RunTond.h"
#include "engine/Export.h"
#include "files/PatternFile.h"
#include "files/qt/PictureImport.h"
#include "support/TestFiles.h"

namespace tond {
namespace {

using test::Bytes;
using test::ReadBytes;
using test::RunTond;
using test::TempDir;

// A kit whose first two slots hold short tones; the other rows are empty.
void WriteKit(const TempDir& dir) {
  std::string text = "<?xml version=\"1.0\"?>\r\n<TondKit>\r\n";
  for (int slot = 0; slot < 64; ++slot) {
    std::string sample = "not used";
    if (slot < 2) {
      std::vector<std::int16_t> tone;
      for (int i = 0; i < 2000; ++i)
        tone.push_back(static_cast<std::int16_t>(15000 * std::sin(i * (0.05 + 0.1 * slot))));
      sample = dir.File("tone" + std::to_string(slot) + ".wav");
      test::WriteBytes(sample, test::MakeWave16(tone));
    }
    text += "\t<instrument>\r\n\t\t<sample name = \"" + sample + "\"/>\r\n";
    text += "\t\t<loop value = \"no\"/>\r\n\t\t<fade value = \"no\"/>\r\n\t</instrument>\r\n";
  }
  test::WriteText(dir.File("small.kit"), text + "</TondKit>\r\n");
}

TEST(CliImport, PhotoBecomesAPatternThatRenders) {
  TempDir dir;
  const std::string work = dir.Path().string();
  QImage photo(320, 240, QImage::Format_RGB32);
  for (int y = 0; y < 240; ++y)
    for (int x = 0; x < 320; ++x)
      photo.setPixel(x, y, qRgb(255 - x * 255 / 319, 40 + y * 200 / 239, (x ^ y) & 0x3F));
  ASSERT_TRUE(photo.save(QString::fromStdString(dir.File("photo.jpg")), "JPEG", 85));

  auto r = RunTond({"import", "photo.jpg", "-o", "photo.pat", "--tempo", "97.8"}, work);
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.err, "");
  Bytes file = ReadBytes(dir.File("photo.pat"));
  ASSERT_EQ(file.size(), 16400u);
  PatternFileData data;
  ASSERT_EQ(DecodePatternFile(file.data(), file.size(), data), PatternFileStatus::kOk);
  EXPECT_EQ(data.tempo, 97u);
  EXPECT_TRUE(data.cells == *ReadPicturePattern(dir.File("photo.jpg")));
  EXPECT_GT(Red(data.cells[CellIndex(0, 0)]), 200);
  EXPECT_LT(Red(data.cells[CellIndex(63, 0)]), 50);

  // The tempo defaults to 120 and is kept to 1..350.
  for (auto [extra, tempo] : std::vector<std::pair<std::vector<std::string>, std::uint32_t>>{
           {{}, 120}, {{"--tempo", "9000"}, 350}, {{"--tempo=-4"}, 1}}) {
    std::vector<std::string> args{"import", "photo.jpg", "-o", "t.pat"};
    args.insert(args.end(), extra.begin(), extra.end());
    ASSERT_EQ(RunTond(args, work).exitCode, 0);
    EXPECT_EQ(test::GetU32(ReadBytes(dir.File("t.pat")), 12), tempo);
  }

  // Text in a picture needs fonts, which Qt offers only to an application; the command makes an
  // offscreen one.
  if (QImageReader::supportedImageFormats().contains("svg")) {
    test::WriteText(dir.File("text.svg"),
                    "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"90\" height=\"90\">"
                    "<rect width=\"90\" height=\"90\" fill=\"#ff0000\"/>"
                    "<text x=\"5\" y=\"60\" font-size=\"40\">Hi</text></svg>");
    r = RunTond({"import", "text.svg", "-o", "text.pat"}, work);
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(test::GetU32(ReadBytes(dir.File("text.pat")), 16), 0xFFu);
  }

  WriteKit(dir);
  r = RunTond({"render", "photo.pat", "--kit", "small.kit", "-o", "photo.wav"}, work);
  ASSERT_EQ(r.exitCode, 0) << r.err;
  Bytes wave = ReadBytes(dir.File("photo.wav"));
  ASSERT_EQ(wave.size(), 44u + 4u * ExportFrames(97));
  EXPECT_NE(Bytes(wave.begin() + 44, wave.end()), Bytes(wave.size() - 44, 0));
}

TEST(CliImport, WhatCannotBeImportedIsExplained) {
  TempDir dir;
  const std::string work = dir.Path().string();
  test::WriteBytes(dir.File("junk.jpg"), Bytes(500, 0x33));
  test::WriteBytes(dir.File("keep.pat"), Bytes{1, 2, 3});
  QImage dot(1, 1, QImage::Format_RGB32);
  dot.fill(qRgb(9, 8, 7));
  ASSERT_TRUE(dot.save(QString::fromStdString(dir.File("dot.bmp")), "BMP"));

  for (const char* picture : {"junk.jpg", "missing.gif"}) {
    auto r = RunTond({"import", picture, "-o", "keep.pat"}, work);
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err,
              std::string("Error: unable to read the file as a picture:\n ") + picture + "\n");
  }
  auto r = RunTond({"import", "dot.bmp", "-o", "keep.pat/x.pat"}, work);
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_EQ(r.err, "Error: unable to save the file:\n keep.pat/x.pat\n");
  EXPECT_EQ(ReadBytes(dir.File("keep.pat")), (Bytes{1, 2, 3}));

  for (std::vector<std::string> args : std::vector<std::vector<std::string>>{
           {"import", "dot.bmp"},
           {"import", "-o", "x.pat"},
           {"import", "dot.bmp", "dot.bmp", "-o", "x.pat"},
           {"import", "dot.bmp", "-o", "x.pat", "--tempo", "fast"},
           {"import", "dot.bmp", "-o", "x.pat", "--tempo", "nan"},
           {"import", "dot.bmp", "-o", "x.pat", "--output", "y.pat"}}) {
    r = RunTond(args, work);
    EXPECT_EQ(r.exitCode, 2) << testing::PrintToString(args);
    EXPECT_NE(r.err.find("Usage: tond import"), std::string::npos) << r.err;
  }
  EXPECT_FALSE(std::filesystem::exists(dir.File("x.pat")));
}

}  // namespace
}  // namespace tond
