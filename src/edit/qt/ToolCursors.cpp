#include "edit/qt/ToolCursors.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <cmath>
#include <numbers>

#include "edit/EditState.h"
#include "edit/HandTool.h"
#include "widgets/qt/Shapes.h"

namespace tond {

namespace {

constexpr int kSize = 32;

// Every cursor is white edged in black, so it reads over any colour a pattern holds.
QPixmap Blank() {
  QPixmap pixmap(kSize, kSize);
  pixmap.fill(Qt::transparent);
  return pixmap;
}

void Filled(QPainter& p, const QPainterPath& path) {
  p.setPen(QPen(Qt::black, 1.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.setBrush(Qt::white);
  p.drawPath(path);
}

// Thin lines: a black line under a white one.
void Lines(QPainter& p, const QPainterPath& path) {
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(Qt::black, 3, Qt::SolidLine, Qt::SquareCap));
  p.drawPath(path);
  p.setPen(QPen(Qt::white, 1, Qt::SolidLine, Qt::SquareCap));
  p.drawPath(path);
}

QPainterPath Crosshair(QPointF c, double reach, double gap) {
  QPainterPath cross;
  cross.moveTo(c.x() - reach, c.y());
  cross.lineTo(c.x() - gap, c.y());
  cross.moveTo(c.x() + gap, c.y());
  cross.lineTo(c.x() + reach, c.y());
  cross.moveTo(c.x(), c.y() - reach);
  cross.lineTo(c.x(), c.y() - gap);
  cross.moveTo(c.x(), c.y() + gap);
  cross.lineTo(c.x(), c.y() + reach);
  return cross;
}

// Lays a shape drawn along +x from its tip onto the diagonal up from the bottom left corner.
QTransform DiagonalTurn() {
  QTransform turn;
  turn.translate(1.5, 30.5);
  turn.rotate(-45);
  return turn;
}

// A stick along the diagonal from the tip at the bottom left: the pencil and the pipette.
QPainterPath Diagonal(const QPolygonF& alongX) {
  QPainterPath path;
  path.addPolygon(DiagonalTurn().map(alongX));
  path.closeSubpath();
  return path;
}

QCursor PencilCursor() {
  QPixmap pixmap = Blank();
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  Filled(p, Diagonal(QPolygonF(
                {QPointF(0, 0), QPointF(8, -4), QPointF(38, -4), QPointF(38, 4), QPointF(8, 4)})));
  // The lead, and the line between the point and the body.
  p.setPen(QPen(Qt::black, 1.2));
  const QTransform turn = DiagonalTurn();
  p.drawLine(turn.map(QLineF(8, -4, 8, 4)));
  p.drawLine(turn.map(QLineF(32, -4, 32, 4)));
  p.setBrush(Qt::black);
  p.drawPolygon(turn.map(QPolygonF({QPointF(0, 0), QPointF(3, -1.5), QPointF(3, 1.5)})));
  return QCursor(pixmap, 1, 30);
}

QCursor EyedropperCursor() {
  QPixmap pixmap = Blank();
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  Filled(p, Diagonal(QPolygonF({QPointF(0, 0), QPointF(6, -2), QPointF(20, -2), QPointF(20, -5),
                                QPointF(23, -5), QPointF(23, -4), QPointF(28, -4), QPointF(33, -5),
                                QPointF(38, -3), QPointF(38, 3), QPointF(33, 5), QPointF(28, 4),
                                QPointF(23, 4), QPointF(23, 5), QPointF(20, 5), QPointF(20, 2),
                                QPointF(6, 2)})));
  return QCursor(pixmap, 1, 30);
}

QCursor CrossCursor(bool lineMark, bool spray) {
  QPixmap pixmap = Blank();
  QPainter p(&pixmap);
  const QPointF c(15.5, 15.5);
  Lines(p, Crosshair(c, 8, 2));
  p.setRenderHint(QPainter::Antialiasing);
  if (lineMark) {
    // A short line with its two ends, below right of the cross.
    QPainterPath mark;
    mark.moveTo(21, 30);
    mark.lineTo(30, 21);
    Lines(p, mark);
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(21, 30), 1.8, 1.8);
    p.drawEllipse(QPointF(30, 21), 1.8, 1.8);
  }
  if (spray) {
    // The drops fall around the cell under the cross.
    p.setPen(QPen(Qt::black, 0.8));
    p.setBrush(Qt::white);
    for (int i = 0; i < 10; ++i) {
      const double a = i * 2 * std::numbers::pi / 10 + 0.3;
      const double r = 11 + (i % 3) * 1.6;
      p.drawEllipse(QPointF(c.x() + r * std::cos(a), c.y() + r * std::sin(a)), 1.4, 1.4);
    }
  }
  return QCursor(pixmap, 15, 15);
}

QCursor EraserCursor() {
  QPixmap pixmap = Blank();
  QPainter p(&pixmap);
  // The square the eraser clears is drawn on the pattern; the cursor marks its centre.
  QPainterPath box;
  box.addRect(QRectF(11.5, 11.5, 8, 8));
  Lines(p, box);
  p.setRenderHint(QPainter::Antialiasing);
  QTransform turn;
  turn.translate(22, 10);
  turn.rotate(-40);
  QPainterPath block;
  block.addRoundedRect(QRectF(-7, -4, 14, 8), 1.5, 1.5);
  Filled(p, turn.map(block));
  p.setPen(QPen(Qt::black, 1));
  p.drawLine(turn.map(QLineF(-1, -4, -1, 4)));
  return QCursor(pixmap, 15, 15);
}

void ArrowHeadAt(QPainter& p, QPointF tip, double angle) {
  QTransform turn;
  turn.translate(tip.x(), tip.y());
  turn.rotate(angle);
  QPainterPath head;
  head.addPolygon(turn.map(QPolygonF({QPointF(0, 0), QPointF(-5, -4.5), QPointF(-5, 4.5)})));
  head.closeSubpath();
  Filled(p, head);
}

// The hand with arrowheads for what it moves: all four ways for the whole pattern, sideways for
// one row, up and down for one column.
QCursor HandCursor(HandMode mode) {
  QPixmap pixmap = Blank();
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  const bool across = mode != HandMode::kColumn;
  const bool upDown = mode != HandMode::kRow;
  if (across) {
    ArrowHeadAt(p, QPointF(1, 16), 180);
    ArrowHeadAt(p, QPointF(31, 16), 0);
  }
  if (upDown) {
    ArrowHeadAt(p, QPointF(16, 1), -90);
    ArrowHeadAt(p, QPointF(16, 31), 90);
  }
  p.save();
  p.translate(6.5, 6);
  p.scale(0.22, 0.22);
  p.setPen(QPen(Qt::black, 5.5));
  p.setBrush(Qt::white);
  p.drawPath(HandOutline());
  p.restore();
  return QCursor(pixmap, 16, 16);
}

}  // namespace

QCursor ToolCursor(std::uint32_t tool, HandMode hand) {
  switch (tool) {
    case kPencil:
      return PencilCursor();
    case kLine:
      return CrossCursor(true, false);
    case kAirbrush:
      return CrossCursor(false, true);
    case kEraser:
      return EraserCursor();
    case kHand:
      return HandCursor(hand);
    case kEyedropper:
      return EyedropperCursor();
    case kSelector:
      return CrossCursor(false, false);
    default:  // the floating paste and mix, and no tool yet
      return QCursor(Qt::ArrowCursor);
  }
}

}  // namespace tond
