#pragma once
// The main window's picture of itself: the background, the pattern area (grid, beat lines,
// cells and what lies over them), the play marker strip and the status line, kept in one image
// of the window's size. Each Draw call changes only its part of the image and returns the
// rectangle to put on screen, so a pencil cell or a marker step repaints a few pixels, not the
// window. Cells are written straight into the image's scan lines. An image that could not be
// made draws nothing.
#include <QFont>
#include <QImage>
#include <QRect>
#include <QRegion>
#include <span>

#include "base/Rect.h"
#include "edit/CellGeometry.h"
#include "model/Cell.h"
#include "widgets/qt/Convert.h"

namespace tond {

class Session;

// The colours of the pattern area, as 0xAARRGGBB.
inline constexpr QRgb kCanvasBackground = 0xFF222222;
inline constexpr QRgb kColumnLine = 0xFF282828;
inline constexpr QRgb kRowLine = 0xFF283228;
inline constexpr QRgb kBeatLine = 0xFF464646;
inline constexpr QRgb kMarkerColour = 0xFFFF0000;
inline constexpr QRgb kStatusColour = 0xFFC0C0C0;

class PatternCanvas {
 public:
  PatternCanvas(const CellGeometry& geometry, QSize size);

  const QImage& Image() const { return image_; }

  // The whole pattern area from the session: grid lines, the beat lines when the grid is on, the
  // cells, then the line preview, the selection frame, the eraser outline and a floating paste.
  QRect DrawPattern(Session& session);
  // Only these cells (with a floating paste over them where there is one).
  QRegion DrawCells(Session& session, std::span<const CellPoint> cells);
  // The play marker over `column`; -1 shows none.
  QRect DrawMarker(int column);
  int MarkerColumn() const { return marker_; }
  // The status line below the pattern area.
  QRect DrawStatus(const QString& text, const QFont& font);

 private:
  QRgb* Line(int y) { return reinterpret_cast<QRgb*>(image_.scanLine(y)); }
  void Fill(const PixelRect& r, QRgb colour);
  void Frame(const PixelRect& r, QRgb colour);
  void FillCell(int x, int y, QRgb colour);
  PixelRect MarkerPixels(int column) const;

  CellGeometry geometry_;
  QImage image_;
  int marker_ = -1;
};

}  // namespace tond
