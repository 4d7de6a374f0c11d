#include "files/qt/PictureImport.h"

#include <QFile>
#include <QImage>
#include <QImageReader>

#include "base/RegularFile.h"
#include "files/PictureCells.h"
#include "model/Project.h"
#include "model/UndoSystem.h"

namespace tond {

std::optional<Pattern> ReadPicturePattern(const std::string& path, std::uint8_t threshold) {
  // Only regular files: a pipe or a device could block the reader forever.
  if (!IsRegularFile(path)) return std::nullopt;

  // The first read gives the first frame of an animation. The format is taken from the content
  // when the extension names the wrong one.
  QImageReader reader(QFile::decodeName(path.c_str()));
  reader.setAutoTransform(true);  // a photo shows upright, as picture viewers show it
  QImage picture = reader.read();
  if (picture.isNull()) return std::nullopt;

  // Premultiplied colour is the colour composited over black, and it is also what smoothing
  // must average so that transparent pixels do not leak their hidden colour.
  QImage surface = picture.convertToFormat(QImage::Format_ARGB32_Premultiplied)
                       .scaled(kColumns, kRows, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
  if (surface.format() != QImage::Format_ARGB32_Premultiplied)
    surface = surface.convertToFormat(QImage::Format_ARGB32_Premultiplied);
  if (surface.width() != kColumns || surface.height() != kRows) return std::nullopt;

  Pattern cells{};
  for (int y = 0; y < kRows; ++y) {
    const auto* line = reinterpret_cast<const QRgb*>(surface.constScanLine(y));
    for (int x = 0; x < kColumns; ++x)
      cells[CellIndex(x, y)] = PictureCell(static_cast<std::uint8_t>(qRed(line[x])),
                                           static_cast<std::uint8_t>(qGreen(line[x])),
                                           static_cast<std::uint8_t>(qBlue(line[x])), threshold);
  }
  return cells;
}

bool ImportPicture(const std::string& path, Project& project, UndoSystem& undo) {
  std::optional<Pattern> cells = ReadPicturePattern(path);
  if (!cells) return false;
  project.working.CopyFrom(*cells);
  undo.Push();
  return true;
}

}  // namespace tond
