#include "files/qt/PictureImport.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QImage>

#include "model/Project.h"
#include "model/UndoSystem.h"
#include "support/ProjectFixture.h"

namespace tond::test {
namespace {

bool Save(const QImage& image, const std::string& path, const char* format) {
  return image.save(QString::fromStdString(path), format);
}

// Every cell tells its place (red 4x, green 4y, blue from both); the top left 8 x 8 are black.
Pattern PlacePattern() {
  Pattern cells;
  for (int y = 0; y < 64; ++y)
    for (int x = 0; x < 64; ++x)
      cells[CellIndex(x, y)] = x < 8 && y < 8 ? 0 : MakeCell(4 * x + 3, 4 * y, x * y);
  return cells;
}

QImage PlacePicture() {
  QImage image(64, 64, QImage::Format_ARGB32);
  const Pattern cells = PlacePattern();
  for (int y = 0; y < 64; ++y)
    for (int x = 0; x < 64; ++x) {
      const Cell c = cells[CellIndex(x, y)];
      image.setPixel(x, y, qRgb(Red(c), Green(c), Blue(c)));
    }
  return image;
}

TEST(PictureImport, SameSizePicturesAreCopiedCellForCellOverBlack) {
  TempDir dir;
  QImage alpha = PlacePicture();
  alpha.setPixel(20, 30, qRgba(200, 100, 50, 0));    // hidden colour: black
  alpha.setPixel(40, 10, qRgba(200, 100, 50, 128));  // half over black
  ASSERT_TRUE(Save(alpha, dir.File("place.png"), "PNG"));

  Pattern want = PlacePattern();
  std::optional<Pattern> cells = ReadPicturePattern(dir.File("place.png"));
  ASSERT_TRUE(cells);
  const Cell half = (*cells)[CellIndex(40, 10)];
  EXPECT_NEAR(Red(half), 100, 1);
  EXPECT_NEAR(Green(half), 50, 1);
  EXPECT_NEAR(Blue(half), 25, 1);
  want[CellIndex(20, 30)] = 0;
  want[CellIndex(40, 10)] = half;
  EXPECT_EQ(*cells, want);
}

TEST(PictureImport, AnyPictureIsStretchedSmoothlyOntoTheGridWithoutHiddenColours) {
  TempDir dir;
  QImage image(2, 1, QImage::Format_ARGB32);
  image.setPixel(0, 0, qRgba(255, 0, 0, 255));
  image.setPixel(1, 0, qRgba(0, 0, 255, 0));  // transparent: its blue must not leak into blends
  ASSERT_TRUE(Save(image, dir.File("two.jpg"), "PNG"));  // the content decides, not the name
  std::optional<Pattern> cells = ReadPicturePattern(dir.File("two.jpg"));
  ASSERT_TRUE(cells);
  // Every row alike: red on the left fading into black on the right, blended in the middle.
  int previousRed = 256, blends = 0;
  for (int x = 0; x < 64; ++x) {
    const Cell top = (*cells)[CellIndex(x, 0)];
    for (int y = 0; y < 64; ++y) ASSERT_EQ((*cells)[CellIndex(x, y)], top) << x << "," << y;
    EXPECT_EQ(top & 0xFFFF00u, 0u) << x;
    EXPECT_LE(Red(top), previousRed) << x;
    previousRed = Red(top);
    blends += Red(top) > 16 && Red(top) < 240;
  }
  EXPECT_GT(blends, 0);
  EXPECT_GE(Red((*cells)[0]), 240);
  EXPECT_LE(Red((*cells)[CellIndex(63, 0)]), 15);
}

// What decodes imports with one push and undoes: the picture corpus test and the session's.
TEST(PictureImport, WhatCannotBeOpenedChangesNothing) {
  TempDir dir;
  ASSERT_EQ(mkfifo(dir.File("pipe.png").c_str(), 0600), 0);  // nobody writes: must not block
  ProjectSession s;
  s.project->SetCell(3, 4, MakeCell(1, 2, 3));
  const Pattern before = s.project->working.Snapshot();
  for (const std::string& bad :
       {dir.File("pipe.png"), dir.File("none.bmp"), dir.Path().string(), std::string()}) {
    EXPECT_FALSE(ImportPicture(bad, *s.project, s.undo)) << bad;
    EXPECT_TRUE(s.project->working == before);
    EXPECT_EQ(s.undo.Count(), 1);
  }
}

}  // namespace
}  // namespace tond::test
