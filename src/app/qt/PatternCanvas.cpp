#include "app/qt/PatternCanvas.h"

#include <QPainter>
#include <algorithm>
#include <cstring>
#include <vector>

#include "edit/Clipboard.h"
#include "edit/DrawingTools.h"
#include "model/Project.h"
#include "session/Session.h"

namespace tond {

namespace {

constexpr QRgb kBlack = 0xFF000000;
constexpr QRgb kWhite = 0xFFFFFFFF;
constexpr QRgb kSelectionColour = 0xFFFF0000;
// The marker strip above the pattern area.
constexpr int kMarkerTop = 5;
constexpr int kMarkerBottom = 8;
// The status line: 50 pixels below the pattern area, at the area's left edge.
constexpr int kStatusGap = 50;
constexpr int kStatusHeight = 16;

}  // namespace

PatternCanvas::PatternCanvas(const CellGeometry& geometry, QSize size)
    : geometry_(geometry), image_(size, QImage::Format_RGB32) {
  image_.fill(kCanvasBackground);
}

void PatternCanvas::Fill(const PixelRect& r, QRgb colour) {
  const int left = std::max(r.left, 0), right = std::min(r.right, image_.width());
  const int top = std::max(r.top, 0), bottom = std::min(r.bottom, image_.height());
  for (int y = top; y < bottom; ++y) std::fill(Line(y) + left, Line(y) + right, colour);
}

// One pixel wide, inside the rectangle.
void PatternCanvas::Frame(const PixelRect& r, QRgb colour) {
  Fill({r.left, r.top, r.right, r.top + 1}, colour);
  Fill({r.left, r.bottom - 1, r.right, r.bottom}, colour);
  Fill({r.left, r.top, r.left + 1, r.bottom}, colour);
  Fill({r.right - 1, r.top, r.right, r.bottom}, colour);
}

void PatternCanvas::FillCell(int x, int y, QRgb colour) {
  Fill(geometry_.CellPixels(x, y), colour);
}

QRect PatternCanvas::DrawPattern(Session& session) {
  if (image_.isNull()) return {};
  const int w = geometry_.CellWidth(), h = geometry_.CellHeight();
  const PixelRect area = geometry_.PatternArea();
  const int left = area.left, width = area.right - area.left;
  const bool beats = session.GridShown();
  const Grid& cells = session.GetProject().working;

  // The three kinds of scan line: a row line, a beat row line, and a row of cells between them,
  // each with the column lines crossing it. Rows are then copied whole.
  std::vector<QRgb> rowLine(static_cast<size_t>(width), kRowLine);
  std::vector<QRgb> beatLine(static_cast<size_t>(width), kBeatLine);
  std::vector<QRgb> cellLine(static_cast<size_t>(width), kColumnLine);
  if (beats)
    for (int i = 0; i <= kColumns; i += 4) rowLine[static_cast<size_t>(i * w)] = kBeatLine;
  const size_t bytes = static_cast<size_t>(width) * sizeof(QRgb);
  for (int y = 0; y <= kRows; ++y) {
    const int lineY = geometry_.GridLineY(y);
    const bool beatRow = beats && y % 4 == 0;
    std::memcpy(Line(lineY) + left, beatRow ? beatLine.data() : rowLine.data(), bytes);
    if (y == kRows) break;
    QRgb* out = cellLine.data();
    for (int x = 0; x < kColumns; ++x) {
      *out++ = beats && x % 4 == 0 ? kBeatLine : kColumnLine;
      std::fill(out, out + w - 1, CellRgb(cells.Get(x, y)));
      out += w - 1;
    }
    *out = beats ? kBeatLine : kColumnLine;
    for (int row = lineY + 1; row < lineY + h; ++row)
      std::memcpy(Line(row) + left, cellLine.data(), bytes);
  }

  // What lies over the cells, in this order.
  for (const LineCell& c : LinePreview(session.Stroke(), session.Tools()))
    FillCell(c.cell.x, c.cell.y, CellRgb(c.colour));
  const EditState& edit = session.Edit();
  if (!edit.selection.Empty()) Frame(geometry_.SelectionFrame(edit.selection), kSelectionColour);
  const PixelRect& outline = session.Stroke().eraserOutline;
  if (!outline.Empty()) {
    Fill(outline, kBlack);
    Frame(outline, kWhite);
  }
  if (edit.pastePending) {
    const CellRect floating = edit.selection.Ordered();
    for (int x = std::max(floating.x1, 0); x <= std::min(floating.x2, kColumns - 1); ++x)
      for (int y = std::max(floating.y1, 0); y <= std::min(floating.y2, kRows - 1); ++y)
        if (std::optional<Cell> c = FloatingCell(session.GetProject(), edit, x, y))
          FillCell(x, y, CellRgb(*c));
  }
  return QRectOf(area);
}

QRegion PatternCanvas::DrawCells(Session& session, std::span<const CellPoint> cells) {
  if (image_.isNull()) return {};
  QRegion region;
  const Project& project = session.GetProject();
  for (const CellPoint& c : cells) {
    if (c.x < 0 || c.x >= kColumns || c.y < 0 || c.y >= kRows) continue;
    const std::optional<Cell> floating = FloatingCell(project, session.Edit(), c.x, c.y);
    FillCell(c.x, c.y, CellRgb(floating ? *floating : project.GetCell(c.x, c.y)));
    region += QRectOf(geometry_.CellPixels(c.x, c.y));
  }
  return region;
}

// Above the column's cells, as wide as they are; nothing for -1.
PixelRect PatternCanvas::MarkerPixels(int column) const {
  if (column < 0) return {};
  const PixelRect cells = geometry_.CellPixels(column, 0);
  return {cells.left, kMarkerTop, cells.right, kMarkerBottom};
}

QRect PatternCanvas::DrawMarker(int column) {
  if (image_.isNull() || column == marker_) return {};
  const PixelRect before = MarkerPixels(marker_), after = MarkerPixels(column);
  Fill(before, kCanvasBackground);
  Fill(after, kMarkerColour);
  marker_ = column;
  return QRectOf(before) | QRectOf(after);
}

QRect PatternCanvas::DrawStatus(const QString& text, const QFont& font) {
  if (image_.isNull()) return {};
  const int top = geometry_.PatternArea().bottom + kStatusGap;
  const QRect strip(0, top, image_.width(), kStatusHeight);
  QPainter painter(&image_);
  painter.fillRect(strip, QColor::fromRgb(kCanvasBackground));
  painter.setFont(font);
  painter.setPen(QColor::fromRgb(kStatusColour));
  painter.drawText(QRect(geometry_.GridLineX(0), top, image_.width(), kStatusHeight),
                   Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, text);
  return strip;
}

}  // namespace tond
