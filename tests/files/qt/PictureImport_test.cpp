#include "files/qt/PictureImport.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QImage>
#include <QImageReader>
#include <memory>

#include "model/Project.h"
#include "model/UndoSystem.h"
#include "support/TestFiles.h"

namespace tond {
namespace {

using test::Bytes;
using test::TempDir;

bool Save(const QImage& image, const std::string& path, const char* format) {
  return image.save(QString::fromStdString(path), format);
}

// A 64 x 64 picture whose pixel (x, y) tells its place: red 4x, green 4y, blue from both; the
// top left 8 x 8 block is black.
QImage PlacePicture(QImage::Format format) {
  QImage image(64, 64, format);
  for (int y = 0; y < 64; ++y)
    for (int x = 0; x < 64; ++x)
      image.setPixel(x, y, x < 8 && y < 8 ? qRgb(0, 0, 0) : qRgb(4 * x + 3, 4 * y, (x * y) % 256));
  return image;
}

Cell PlaceCell(int x, int y) {
  return x < 8 && y < 8 ? 0 : MakeCell(4 * x + 3, 4 * y, x * y);
}

TEST(PictureImport, SameSizePicturesAreCopiedCellForCell) {
  TempDir dir;
  QImage opaque = PlacePicture(QImage::Format_RGB32);
  ASSERT_TRUE(Save(opaque, dir.File("place.bmp"), "BMP"));
  QImage alpha = PlacePicture(QImage::Format_ARGB32);
  alpha.setPixel(20, 30, qRgba(200, 100, 50, 0));    // hidden colour: black
  alpha.setPixel(40, 10, qRgba(200, 100, 50, 128));  // half over black
  ASSERT_TRUE(Save(alpha, dir.File("place.png"), "PNG"));

  for (const char* name : {"place.bmp", "place.png"}) {
    SCOPED_TRACE(name);
    std::optional<Pattern> cells = ReadPicturePattern(dir.File(name));
    ASSERT_TRUE(cells);
    const bool png = std::string(name) == "place.png";
    for (int x = 0; x < 64; ++x)
      for (int y = 0; y < 64; ++y) {
        if (png && ((x == 20 && y == 30) || (x == 40 && y == 10))) continue;
        ASSERT_EQ((*cells)[CellIndex(x, y)], PlaceCell(x, y)) << x << "," << y;
      }
    if (!png) continue;
    EXPECT_EQ((*cells)[CellIndex(20, 30)], 0u);
    Cell half = (*cells)[CellIndex(40, 10)];
    EXPECT_NEAR(Red(half), 100, 1);
    EXPECT_NEAR(Green(half), 50, 1);
    EXPECT_NEAR(Blue(half), 25, 1);
  }
}

TEST(PictureImport, SmallPictureIsStretchedAndBlended) {
  TempDir dir;
  QImage image(2, 1, QImage::Format_RGB32);
  image.setPixel(0, 0, qRgb(255, 0, 0));
  image.setPixel(1, 0, qRgb(0, 0, 255));
  ASSERT_TRUE(Save(image, dir.File("two.png"), "PNG"));
  std::optional<Pattern> cells = ReadPicturePattern(dir.File("two.png"));
  ASSERT_TRUE(cells);
  int previousRed = 256;
  for (int x = 0; x < 64; ++x) {
    Cell top = (*cells)[CellIndex(x, 0)];
    for (int y = 0; y < 64; ++y) ASSERT_EQ((*cells)[CellIndex(x, y)], top) << x << "," << y;
    EXPECT_EQ(Green(top), 0);
    EXPECT_NEAR(Red(top) + Blue(top), 255, 2) << x;  // one colour or a blend of both
    EXPECT_LE(Red(top), previousRed) << x;
    previousRed = Red(top);
    if (x < 32)
      EXPECT_GT(Red(top), Blue(top)) << x;
    else
      EXPECT_GT(Blue(top), Red(top)) << x;
  }
  EXPECT_GE(Red((*cells)[CellIndex(0, 0)]), 240);
  EXPECT_GE(Blue((*cells)[CellIndex(63, 0)]), 240);
}

// A GIF of two 1 x 1 frames, red then green.
Bytes TwoFrameGif() {
  // A 1 x 1 screen with a global table of two colours: red, green.
  Bytes b = {'G', 'I', 'F', '8', '9', 'a', 1, 0, 1, 0, 0x80, 0, 0, 0xFF, 0, 0, 0, 0xFF, 0};
  // Each frame: 100 ms, an image of 1 x 1 at (0, 0), the LZW codes clear, colour 0 or 1, end.
  for (std::uint8_t codes : {0x44, 0x4C}) {
    Bytes frame = {0x21, 0xF9, 4, 0, 10, 0, 0, 0, 0x2C,  0, 0, 0,
                   0,    1,    0, 1, 0,  0, 2, 2, codes, 1, 0};
    b.insert(b.end(), frame.begin(), frame.end());
  }
  b.push_back(0x3B);
  return b;
}

TEST(PictureImport, FormatsAndFrames) {
  TempDir dir;
  // The content decides, not the extension.
  QImage white(3, 5, QImage::Format_RGB32);
  white.fill(qRgb(255, 255, 255));
  ASSERT_TRUE(Save(white, dir.File("white.jpg"), "PNG"));
  std::optional<Pattern> cells = ReadPicturePattern(dir.File("white.jpg"));
  ASSERT_TRUE(cells);
  Pattern full;
  full.fill(MakeCell(255, 255, 255));
  EXPECT_TRUE(*cells == full) << cells->front();

  if (!QImageReader::supportedImageFormats().contains("gif"))
    GTEST_SKIP() << "no GIF decoder in this Qt";
  test::WriteBytes(dir.File("anim.gif"), TwoFrameGif());
  cells = ReadPicturePattern(dir.File("anim.gif"));
  ASSERT_TRUE(cells);
  Pattern red;
  red.fill(MakeCell(255, 0, 0));
  EXPECT_TRUE(*cells == red) << cells->front();
}

TEST(PictureImport, ImportReplacesTheGridWithOnePushOrChangesNothing) {
  TempDir dir;
  test::WriteBytes(dir.File("junk.jpg"), Bytes(300, 0x5A));
  ASSERT_TRUE(Save(PlacePicture(QImage::Format_RGB32), dir.File("place.png"), "PNG"));
  Bytes png = test::ReadBytes(dir.File("place.png"));
  test::WriteBytes(dir.File("cut.png"), Bytes(png.begin(), png.begin() + 20));
  ASSERT_EQ(mkfifo(dir.File("pipe.png").c_str(), 0600), 0);  // nobody writes: must not block

  auto project = std::make_unique<Project>();
  UndoSystem undo;
  undo.Init(&project->working);
  project->SetCell(3, 4, MakeCell(1, 2, 3));
  undo.Push();
  const Pattern before = project->working.Snapshot();

  for (const std::string& bad : {dir.File("junk.jpg"), dir.File("cut.png"), dir.File("none.bmp"),
                                 dir.File("pipe.png"), dir.Path().string(), std::string()}) {
    EXPECT_FALSE(ImportPicture(bad, *project, undo)) << bad;
    EXPECT_TRUE(project->working == before);
    EXPECT_EQ(undo.Count(), 2);
  }

  ASSERT_TRUE(ImportPicture(dir.File("place.png"), *project, undo));
  EXPECT_EQ(undo.Count(), 3);
  EXPECT_EQ(project->GetCell(10, 5), PlaceCell(10, 5));
  EXPECT_EQ(project->GetCell(3, 4), 0u);
  undo.Undo();
  EXPECT_TRUE(project->working == before);
}

}  // namespace
}  // namespace tond
