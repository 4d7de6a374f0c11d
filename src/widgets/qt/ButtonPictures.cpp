// The pictures of the main window's buttons, drawn on a 100 x 100 grid that is scaled to the
// button, so they stay sharp at 37 and 40 pixels and at any screen scale. Strokes are light on
// the dark background; colour marks what the button is about (a note's red, green and blue,
// play green, record red).
#include <QHash>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <array>
#include <cmath>
#include <functional>
#include <numbers>

#include "widgets/ColourSpace.h"
#include "widgets/qt/Convert.h"
#include "widgets/qt/PictureButton.h"
#include "widgets/qt/Shapes.h"

namespace tond {

namespace {

const QColor kInk(0xD8, 0xD8, 0xD8);
const QColor kDim(0x8C, 0x8C, 0x8C);
const QColor kShade(0x14, 0x14, 0x14);
const QColor kPaper(0xEE, 0xEE, 0xE6);
const QColor kRed(0xE8, 0x4A, 0x3C);
const QColor kGreen(0x4C, 0xC8, 0x5C);
const QColor kBlue(0x4C, 0x8C, 0xE8);
const QColor kAmber(0xE8, 0xB4, 0x3C);
const QColor kPink(0xEC, 0x8C, 0xA8);
const QColor kWood(0xC8, 0x8C, 0x50);

QPen Stroke(const QColor& colour, double width = 6) {
  return QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

void Outlined(QPainter& p, const QColor& fill, const QColor& line = kShade, double width = 3) {
  p.setBrush(fill);
  p.setPen(QPen(line, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
}

// A filled arrowhead whose tip is at `tip`, pointing along `angle` (radians, screen y down).
void Head(QPainter& p, QPointF tip, double angle, const QColor& colour, double size = 16) {
  const QPointF back(-std::cos(angle) * size, -std::sin(angle) * size);
  const QPointF side(-std::sin(angle) * size * 0.6, std::cos(angle) * size * 0.6);
  p.setPen(Qt::NoPen);
  p.setBrush(colour);
  p.drawPolygon(QPolygonF({tip, tip + back + side, tip + back - side}));
}

void Arrow(QPainter& p, QPointF from, QPointF to, const QColor& colour, double width = 6,
           double head = 16) {
  const double angle = std::atan2(to.y() - from.y(), to.x() - from.x());
  p.setPen(Stroke(colour, width));
  p.drawLine(from, to - QPointF(std::cos(angle), std::sin(angle)) * head * 0.6);
  Head(p, to, angle, colour, head);
}

// An arc around `centre` from `start` sweeping `span` degrees (counter-clockwise positive, as
// on paper), with a head at its end.
void ArcArrow(QPainter& p, QPointF centre, double radius, double start, double span,
              const QColor& colour, double width = 7) {
  const QRectF box(centre.x() - radius, centre.y() - radius, 2 * radius, 2 * radius);
  // Leave room for the head at the end of the sweep.
  const double headDegrees = 14 / radius * 180 / std::numbers::pi;
  const double drawn = span > 0 ? span - headDegrees : span + headDegrees;
  p.setPen(Stroke(colour, width));
  p.setBrush(Qt::NoBrush);
  p.drawArc(box, static_cast<int>(start * 16), static_cast<int>(drawn * 16));
  const double end = (start + span) * std::numbers::pi / 180;
  const QPointF tip(centre.x() + radius * std::cos(end), centre.y() - radius * std::sin(end));
  // The tangent on screen, in the direction of the sweep.
  const double sign = span > 0 ? 1 : -1;
  const double tangent = std::atan2(-std::cos(end) * sign, -std::sin(end) * sign);
  Head(p, tip, tangent, colour, 18);
}

// A rectangle with its top right corner cut off `cut` down and across: a sheet, a floppy disk.
QPolygonF CutCorner(const QRectF& r, double cut) {
  return QPolygonF({r.topLeft(), QPointF(r.right() - cut, r.top()),
                    QPointF(r.right(), r.top() + cut), r.bottomRight(), r.bottomLeft()});
}

// A sheet of paper with its top right corner folded.
void Page(QPainter& p, const QRectF& r, const QColor& paper = kPaper) {
  const double fold = r.width() * 0.3;
  Outlined(p, paper);
  p.drawPolygon(CutCorner(r, fold));
  p.setBrush(paper.darker(135));
  p.drawPolygon(
      QPolygonF({QPointF(r.right() - fold, r.top()), QPointF(r.right() - fold, r.top() + fold),
                 QPointF(r.right(), r.top() + fold)}));
}

void Folder(QPainter& p, const QRectF& r) {
  const double tab = r.height() * 0.2;
  Outlined(p, kAmber.darker(125));
  QPainterPath back;
  back.moveTo(r.left(), r.bottom());
  back.lineTo(r.left(), r.top());
  back.lineTo(r.left() + r.width() * 0.35, r.top());
  back.lineTo(r.left() + r.width() * 0.45, r.top() + tab);
  back.lineTo(r.right(), r.top() + tab);
  back.lineTo(r.right(), r.bottom());
  back.closeSubpath();
  p.drawPath(back);
  // The front flap, open a little.
  Outlined(p, kAmber);
  p.drawPolygon(QPolygonF({QPointF(r.left() + r.width() * 0.12, r.top() + tab * 2.2),
                           QPointF(r.right() + r.width() * 0.08, r.top() + tab * 2.2),
                           QPointF(r.right(), r.bottom()), QPointF(r.left(), r.bottom())}));
}

void Floppy(QPainter& p, const QRectF& r) {
  Outlined(p, QColor(0x4C, 0x6C, 0xA4));
  const double w = r.width();
  p.drawPolygon(CutCorner(r, w * 0.14));
  // Shutter with its slot, and the label.
  Outlined(p, QColor(0xC8, 0xC8, 0xC8), kShade, 2);
  p.drawRect(QRectF(r.left() + w * 0.24, r.top(), w * 0.46, w * 0.3));
  p.fillRect(QRectF(r.left() + w * 0.52, r.top() + w * 0.05, w * 0.1, w * 0.2), kShade);
  Outlined(p, kPaper, kShade, 2);
  p.drawRect(QRectF(r.left() + w * 0.16, r.top() + w * 0.5, w * 0.68, w * 0.5));
  p.setPen(Stroke(kBlue, 3));
  for (double y : {0.64, 0.78})
    p.drawLine(QPointF(r.left() + w * 0.26, r.top() + w * y),
               QPointF(r.left() + w * 0.74, r.top() + w * y));
}

// Cells in a few painted colours: the program's picture of a pattern.
void Cells(QPainter& p, const QRectF& r, int n, bool frame = true) {
  static constexpr std::array<Cell, 9> kColours{
      MakeCell(0xFF, 0x32, 0x64), 0,
      MakeCell(0x50, 0xD0, 0x40), 0,
      MakeCell(0xFF, 0xC8, 0x30), MakeCell(0x40, 0x80, 0xFF),
      MakeCell(0xC0, 0x40, 0xF0), 0,
      MakeCell(0x30, 0xD8, 0xD8)};
  const double cell = r.width() / n;
  if (frame) {
    Outlined(p, QColor(0x0C, 0x0C, 0x0C), kDim, 2.5);
    p.drawRect(r);
  }
  for (int y = 0; y < n; ++y)
    for (int x = 0; x < n; ++x) {
      const Cell c = kColours[static_cast<std::size_t>((x * 4 + y * 7 + x * y) % 9)];
      if (c == 0) continue;
      p.fillRect(QRectF(r.left() + x * cell + 2, r.top() + y * cell + 2, cell - 4, cell - 4),
                 QColor(CellRgb(c)));
    }
}

void Picture(QPainter& p, const QRectF& r) {
  Outlined(p, QColor(0x5C, 0x9C, 0xE0), kInk, 4);
  p.drawRect(r);
  p.setPen(Qt::NoPen);
  p.setBrush(kAmber);
  p.drawEllipse(QPointF(r.right() - r.width() * 0.25, r.top() + r.height() * 0.3), r.width() * 0.1,
                r.width() * 0.1);
  p.setBrush(QColor(0x3C, 0x90, 0x44));
  p.drawPolygon(QPolygonF({QPointF(r.left() + 2, r.bottom() - 2),
                           QPointF(r.left() + r.width() * 0.38, r.top() + r.height() * 0.36),
                           QPointF(r.left() + r.width() * 0.62, r.top() + r.height() * 0.7),
                           QPointF(r.left() + r.width() * 0.76, r.top() + r.height() * 0.55),
                           QPointF(r.right() - 2, r.bottom() - 2)}));
}

// A shape and its mirror image across a dashed axis (vertical axis for RevX).
void Mirror(QPainter& p) {
  p.setPen(QPen(kDim, 3, Qt::DashLine));
  p.drawLine(QPointF(50, 10), QPointF(50, 90));
  Outlined(p, kBlue, kShade, 3);
  p.drawPolygon(QPolygonF({QPointF(42, 40), QPointF(42, 84), QPointF(12, 84)}));
  p.setBrush(Qt::NoBrush);
  p.setPen(Stroke(kBlue, 4));
  p.drawPolygon(QPolygonF({QPointF(58, 40), QPointF(58, 84), QPointF(88, 84)}));
  Arrow(p, QPointF(40, 20), QPointF(12, 20), kInk, 5, 13);
  Arrow(p, QPointF(60, 20), QPointF(88, 20), kInk, 5, 13);
}

void Clipboard(QPainter& p, const QRectF& r) {
  Outlined(p, kWood);
  p.drawRoundedRect(r, 5, 5);
  p.setBrush(kPaper);
  p.drawRect(r.adjusted(r.width() * 0.14, r.height() * 0.16, -r.width() * 0.14, -r.width() * 0.1));
  Outlined(p, QColor(0xB0, 0xB0, 0xB8));
  p.drawRoundedRect(QRectF(r.center().x() - r.width() * 0.22, r.top() - 5, r.width() * 0.44, 14), 3,
                    3);
}

// Shuffled rows (or columns when turned): bars of colour and a pair of opposite arrows.
void ShuffleLines(QPainter& p) {
  const std::array<QColor, 4> colours{kRed, kAmber, kGreen, kBlue};
  const std::array<double, 4> lengths{44, 30, 52, 38};
  for (int i = 0; i < 4; ++i) {
    p.fillRect(QRectF(10, 14 + i * 20, lengths[static_cast<std::size_t>(i)], 12),
               colours[static_cast<std::size_t>(i)]);
  }
  Arrow(p, QPointF(72, 12), QPointF(72, 88), kInk, 5, 14);
  Arrow(p, QPointF(88, 88), QPointF(88, 12), kInk, 5, 14);
}

void Hand(QPainter& p) {
  Outlined(p, QColor(0xEC, 0xD0, 0xB0), kShade, 3);
  p.drawPath(HandOutline());
}

void Gear(QPainter& p) {
  QPolygonF outline;
  constexpr int kTeeth = 8;
  for (int i = 0; i < kTeeth * 4; ++i) {
    const double a = (i - 0.5) * 2 * std::numbers::pi / (kTeeth * 4);
    const double r = (i % 4 < 2) ? 40 : 30;
    outline << QPointF(50 + r * std::cos(a), 50 + r * std::sin(a));
  }
  QPainterPath gear;
  gear.addPolygon(outline);
  gear.closeSubpath();
  gear.addEllipse(QPointF(50, 50), 12, 12);
  Outlined(p, QColor(0xA8, 0xAC, 0xB4));
  p.drawPath(gear);
}

void Drum(QPainter& p) {
  p.setPen(Stroke(kWood.lighter(120), 5));
  p.drawLine(QPointF(18, 10), QPointF(50, 36));
  p.drawLine(QPointF(84, 12), QPointF(54, 36));
  QPainterPath body;
  body.moveTo(16, 44);
  body.lineTo(16, 76);
  body.arcTo(QRectF(16, 64, 68, 24), 180, 180);
  body.lineTo(84, 44);
  body.closeSubpath();
  Outlined(p, QColor(0xB8, 0x3C, 0x30));
  p.drawPath(body);
  p.setPen(Stroke(kPaper, 3));
  for (int i = 0; i < 4; ++i) {
    const double x = 18 + i * 17;
    p.drawLine(QPointF(x, 50), QPointF(x + 15, 80));
    p.drawLine(QPointF(x + 15, 50), QPointF(x, 80));
  }
  Outlined(p, kPaper);
  p.drawEllipse(QRectF(16, 32, 68, 24));
}

void Pencil(QPainter& p) {
  p.save();
  p.translate(50, 50);
  p.rotate(135);
  // Along +x towards the tip.
  Outlined(p, kPink);
  p.drawRoundedRect(QRectF(-44, -9, 12, 18), 3, 3);
  Outlined(p, QColor(0xB0, 0xB0, 0xB8));
  p.drawRect(QRectF(-34, -9, 8, 18));
  Outlined(p, kAmber);
  p.drawRect(QRectF(-26, -9, 44, 18));
  Outlined(p, QColor(0xF0, 0xD0, 0xA0));
  p.drawPolygon(QPolygonF({QPointF(18, -9), QPointF(40, 0), QPointF(18, 9)}));
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0x30, 0x30, 0x30));
  p.drawPolygon(QPolygonF({QPointF(32, -3.3), QPointF(41, 0), QPointF(32, 3.3)}));
  p.restore();
}

void Eraser(QPainter& p) {
  p.setPen(Stroke(kDim, 4));
  p.drawLine(QPointF(12, 88), QPointF(88, 88));
  p.save();
  p.translate(52, 52);
  p.rotate(-40);
  Outlined(p, kPink);
  p.drawRoundedRect(QRectF(-2, -16, 36, 32), 4, 4);
  Outlined(p, QColor(0xC8, 0xD8, 0xF0));
  p.drawRoundedRect(QRectF(-38, -16, 38, 32), 4, 4);
  p.restore();
}

void LineTool(QPainter& p) {
  QLinearGradient ramp(QPointF(16, 84), QPointF(84, 16));
  ramp.setColorAt(0, QColor(0xFF, 0x32, 0x64));
  ramp.setColorAt(1, QColor(0x20, 0xC8, 0x40));
  p.setPen(QPen(QBrush(ramp), 8, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(18, 82), QPointF(82, 18));
  Outlined(p, kInk, kShade, 3);
  p.drawEllipse(QPointF(18, 82), 8, 8);
  p.drawEllipse(QPointF(82, 18), 8, 8);
}

void Airbrush(QPainter& p) {
  Outlined(p, QColor(0x6C, 0x8C, 0xC4));
  p.drawRoundedRect(QRectF(18, 42, 32, 48), 6, 6);
  Outlined(p, QColor(0xB0, 0xB0, 0xB8));
  p.drawRoundedRect(QRectF(24, 30, 20, 14), 3, 3);
  p.drawRect(QRectF(30, 20, 8, 10));
  const std::array<QPointF, 12> drops{QPointF(52, 20), QPointF(60, 14), QPointF(62, 26),
                                      QPointF(70, 18), QPointF(72, 32), QPointF(80, 12),
                                      QPointF(82, 26), QPointF(88, 40), QPointF(76, 44),
                                      QPointF(88, 20), QPointF(66, 38), QPointF(56, 32)};
  p.setPen(Qt::NoPen);
  for (std::size_t i = 0; i < drops.size(); ++i) {
    p.setBrush(i % 2 ? QColor(0xFF, 0x30, 0xFF) : QColor(0x88, 0x70, 0xFF));
    p.drawEllipse(drops[i], 3.6, 3.6);
  }
}

void Selector(QPainter& p) {
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(kRed, 5, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
  p.drawRect(QRectF(16, 16, 68, 68));
  p.setPen(QPen(QColor(0x22, 0x22, 0x22), 5, Qt::CustomDashLine, Qt::FlatCap));
  QPen gaps = p.pen();
  gaps.setDashPattern({2, 2});
  p.setPen(gaps);
  p.drawRect(QRectF(16, 16, 68, 68));
  Outlined(p, kInk, kShade, 2);
  for (QPointF c : {QPointF(16, 16), QPointF(84, 16), QPointF(16, 84), QPointF(84, 84)})
    p.drawRect(QRectF(c.x() - 6, c.y() - 6, 12, 12));
}

void EyeDropper(QPainter& p) {
  p.save();
  p.translate(52, 48);
  p.rotate(135);
  Outlined(p, QColor(0x50, 0x50, 0x58));
  p.drawRoundedRect(QRectF(-44, -11, 22, 22), 10, 10);
  Outlined(p, QColor(0x90, 0x90, 0x98));
  p.drawRect(QRectF(-24, -12, 6, 24));
  Outlined(p, QColor(0xC8, 0xE8, 0xF0));
  p.drawRect(QRectF(-18, -7, 38, 14));
  p.fillRect(QRectF(2, -5, 17, 10), kGreen);
  p.drawPolygon(QPolygonF({QPointF(20, -7), QPointF(34, -2), QPointF(34, 2), QPointF(20, 7)}));
  p.restore();
  p.setPen(Qt::NoPen);
  p.setBrush(kGreen);
  QPainterPath drop;
  drop.moveTo(20, 74);
  drop.cubicTo(24, 82, 26, 84, 26, 87);
  drop.arcTo(QRectF(14, 81, 12, 12), 0, -180);
  drop.cubicTo(14, 84, 16, 82, 20, 74);
  p.drawPath(drop);
}

void Helix(QPainter& p) {
  const std::array<QColor, 3> rungs{kRed, kGreen, kBlue};
  QPolygonF a, b;
  for (int i = 0; i <= 40; ++i) {
    const double y = 10 + i * 2;
    const double s = std::sin(i * 2 * std::numbers::pi / 26);
    const QPointF pa(50 + 24 * s, y), pb(50 - 24 * s, y);
    a << pa;
    b << pb;
    if (i % 4 == 2) {
      p.setPen(Stroke(rungs[static_cast<std::size_t>(i / 4 % 3)], 4));
      p.drawLine(pa, pb);
    }
  }
  p.setPen(Stroke(kInk, 6));
  p.drawPolyline(a);
  p.setPen(Stroke(kDim, 6));
  p.drawPolyline(b);
}

void Curves(QPainter& p) {
  p.setPen(Stroke(kDim, 4));
  p.drawPolyline(QPolygonF({QPointF(14, 12), QPointF(14, 86), QPointF(88, 86)}));
  const std::array<QColor, 3> colours{kRed, kGreen, kBlue};
  const std::array<double, 3> bends{-26, 0, 26};
  p.setBrush(Qt::NoBrush);
  for (std::size_t i = 0; i < 3; ++i) {
    QPainterPath curve;
    curve.moveTo(20, 80);
    curve.cubicTo(QPointF(50 + bends[i], 80 - bends[i] * 0.2),
                  QPointF(50 - bends[i], 20 + bends[i] * 0.2), QPointF(84, 16));
    p.setPen(Stroke(colours[i], 5));
    p.drawPath(curve);
  }
}

void Funnel(QPainter& p) {
  QLinearGradient liquid(QPointF(0, 20), QPointF(0, 90));
  liquid.setColorAt(0, kBlue.lighter(130));
  liquid.setColorAt(1, kBlue.darker(130));
  Outlined(p, QColor(0xB0, 0xB4, 0xBC), kShade, 3);
  p.setBrush(QBrush(liquid));
  p.drawPolygon(QPolygonF({QPointF(12, 16), QPointF(88, 16), QPointF(58, 52), QPointF(58, 80),
                           QPointF(42, 90), QPointF(42, 52)}));
  p.setBrush(kInk);
  p.drawEllipse(QRectF(12, 10, 76, 12));
}

void RgbCircles(QPainter& p) {
  p.setPen(Qt::NoPen);
  p.setCompositionMode(QPainter::CompositionMode_Plus);
  p.setBrush(QColor(0xE8, 0x10, 0x10));
  p.drawEllipse(QPointF(36, 38), 24, 24);
  p.setBrush(QColor(0x10, 0xD0, 0x10));
  p.drawEllipse(QPointF(64, 38), 24, 24);
  p.setBrush(QColor(0x20, 0x30, 0xF0));
  p.drawEllipse(QPointF(50, 62), 24, 24);
  p.setCompositionMode(QPainter::CompositionMode_SourceOver);
}

void Scissors(QPainter& p) {
  Outlined(p, QColor(0xC8, 0xCC, 0xD4));
  p.drawPolygon(QPolygonF({QPointF(30, 10), QPointF(38, 10), QPointF(58, 62), QPointF(50, 66)}));
  p.drawPolygon(QPolygonF({QPointF(70, 10), QPointF(62, 10), QPointF(42, 62), QPointF(50, 66)}));
  p.setBrush(Qt::NoBrush);
  p.setPen(Stroke(kRed, 7));
  p.drawEllipse(QPointF(33, 76), 12, 12);
  p.drawEllipse(QPointF(67, 76), 12, 12);
  p.setPen(Qt::NoPen);
  p.setBrush(kShade);
  p.drawEllipse(QPointF(50, 52), 3.5, 3.5);
}

void Mix(QPainter& p) {
  Outlined(p, kBlue, kShade, 3);
  p.drawRect(QRectF(10, 10, 54, 54));
  // The buffer's cells; its black ones let the pattern through.
  const double cell = 18;
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 3; ++x) {
      const QRectF r(36 + x * cell, 36 + y * cell, cell, cell);
      if ((x + y) % 2 == 1) {
        p.setPen(QPen(kDim, 1.5, Qt::DotLine));
        p.setBrush(Qt::NoBrush);
      } else {
        Outlined(p, kAmber, kShade, 2);
      }
      p.drawRect(r.adjusted(1, 1, -1, -1));
    }
}

void ScatteredCells(QPainter& p) {
  struct Bit {
    double x, y, angle;
    QColor colour;
  };
  const std::array<Bit, 9> bits{{{14, 14, 12, kRed},
                                 {44, 10, -20, kGreen},
                                 {72, 18, 30, kBlue},
                                 {22, 44, -35, kAmber},
                                 {52, 40, 8, kPink},
                                 {76, 50, -12, kRed},
                                 {12, 74, 22, kBlue},
                                 {42, 72, -8, kGreen},
                                 {70, 76, 40, kAmber}}};
  for (const Bit& b : bits) {
    p.save();
    p.translate(b.x + 8, b.y + 8);
    p.rotate(b.angle);
    Outlined(p, b.colour, kShade, 2);
    p.drawRect(QRectF(-8, -8, 16, 16));
    p.restore();
  }
}

void Die(QPainter& p) {
  Outlined(p, kPaper, kShade, 3);
  p.drawRoundedRect(QRectF(16, 16, 68, 68), 12, 12);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0x20, 0x20, 0x20));
  for (QPointF c :
       {QPointF(32, 32), QPointF(68, 32), QPointF(50, 50), QPointF(32, 68), QPointF(68, 68)})
    p.drawEllipse(c, 7, 7);
  p.setBrush(kRed);
  p.drawEllipse(QPointF(50, 50), 7, 7);
}

void Info(QPainter& p) {
  Outlined(p, QColor(0x3A, 0x6E, 0xB0), kInk, 4);
  p.drawEllipse(QPointF(50, 50), 38, 38);
  p.setPen(Qt::NoPen);
  p.setBrush(Qt::white);
  p.drawEllipse(QPointF(50, 29), 6.5, 6.5);
  p.drawRoundedRect(QRectF(44, 42, 12, 36), 3, 3);
}

void GridLines(QPainter& p) {
  Outlined(p, QColor(0x10, 0x10, 0x10), kDim, 2);
  p.drawRect(QRectF(14, 14, 72, 72));
  for (int i = 1; i < 8; ++i) {
    const double at = 14 + i * 9;
    p.setPen(QPen(i % 4 == 0 ? kInk : QColor(0x58, 0x58, 0x58), i % 4 == 0 ? 4 : 2));
    p.drawLine(QPointF(at, 14), QPointF(at, 86));
    p.drawLine(QPointF(14, at), QPointF(86, at));
  }
  p.setPen(QPen(kInk, 4));
  p.setBrush(Qt::NoBrush);
  p.drawRect(QRectF(14, 14, 72, 72));
}

void PatternsGrid(QPainter& p) {
  for (int i = 0; i < 16; ++i) {
    const int x = i % 4, y = i / 4;
    const QRectF r(10 + x * 21, 10 + y * 21, 17, 17);
    const Cell c = HsbToRgb(Hsb{(i * 67) % 360, i % 3 == 0 ? 60 : 190, i % 5 == 0 ? 120 : 230});
    p.fillRect(r, QColor(CellRgb(c)));
  }
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(Qt::white, 3));
  p.drawRect(QRectF(10 + 21 - 1.5, 10 + 21 - 1.5, 20, 20));
}

void DinSocket(QPainter& p) {
  Outlined(p, QColor(0x18, 0x18, 0x18), kInk, 7);
  p.drawEllipse(QPointF(50, 50), 36, 36);
  p.setPen(Qt::NoPen);
  p.setBrush(kInk);
  for (int i = 0; i < 5; ++i) {
    const double a = (180 + i * 45) * std::numbers::pi / 180;
    p.drawEllipse(QPointF(50 + 21 * std::cos(a), 50 - 21 * std::sin(a)), 5.5, 5.5);
  }
  p.drawRect(QRectF(44, 76, 12, 10));
}

void Wave(QPainter& p) {
  Outlined(p, QColor(0x10, 0x10, 0x10), kDim, 3);
  p.drawRect(QRectF(8, 22, 64, 56));
  QPolygonF wave;
  for (int i = 0; i <= 56; ++i) {
    const double envelope = 1 - i / 64.0;
    wave << QPointF(12 + i, 50 - 22 * envelope * std::sin(i * 2 * std::numbers::pi / 14));
  }
  p.setPen(Stroke(kGreen, 4));
  p.drawPolyline(wave);
}

// Three cells in an L: a turn shows.
void Tromino(QPainter& p) {
  Outlined(p, kRed, kShade, 2);
  p.drawRect(QRectF(36, 34, 14, 14));
  p.setBrush(kAmber);
  p.drawRect(QRectF(36, 50, 14, 14));
  p.setBrush(kGreen);
  p.drawRect(QRectF(52, 50, 14, 14));
}

// An arrow that turns back to the left.
void Hook(QPainter& p) {
  QPainterPath hook;
  hook.moveTo(78, 84);
  hook.cubicTo(QPointF(92, 56), QPointF(78, 30), QPointF(46, 30));
  hook.lineTo(32, 30);
  p.setBrush(Qt::NoBrush);
  p.setPen(Stroke(kInk, 9));
  p.drawPath(hook);
  Head(p, QPointF(8, 30), std::numbers::pi, kInk, 28);
}

// Turns the grid a quarter clockwise about its centre, mirrored across the turn if asked.
void QuarterTurn(QPainter& p, bool mirrored) {
  p.translate(50, 50);
  p.rotate(90);
  if (mirrored) p.scale(1, -1);
  p.translate(-50, -50);
}

using Draw = std::function<void(QPainter&)>;

const QHash<QString, Draw>& Pictures() {
  static const QHash<QString, Draw> pictures{
      {"New",
       [](QPainter& p) {
         Page(p, QRectF(20, 10, 52, 76));
         Outlined(p, kGreen, kShade, 3);
         p.drawEllipse(QPointF(70, 72), 17, 17);
         p.setPen(Stroke(Qt::white, 6));
         p.drawLine(QPointF(70, 63), QPointF(70, 81));
         p.drawLine(QPointF(61, 72), QPointF(79, 72));
       }},
      {"Load",
       [](QPainter& p) {
         Folder(p, QRectF(10, 34, 74, 54));
         Arrow(p, QPointF(56, 62), QPointF(56, 10), kGreen, 8, 22);
       }},
      {"Save", [](QPainter& p) { Floppy(p, QRectF(14, 14, 72, 72)); }},
      {"Clear",
       [](QPainter& p) {
         Cells(p, QRectF(10, 10, 66, 66), 3);
         // A red cross edged in the shade.
         for (const QPen& pen : {Stroke(kShade, 14), Stroke(kRed, 8)}) {
           p.setPen(pen);
           p.drawLine(QPointF(46, 46), QPointF(86, 86));
           p.drawLine(QPointF(86, 46), QPointF(46, 86));
         }
       }},
      {"Load Pattern",
       [](QPainter& p) {
         Cells(p, QRectF(34, 8, 58, 58), 3);
         Folder(p, QRectF(8, 50, 50, 40));
       }},
      {"Save Pattern",
       [](QPainter& p) {
         Cells(p, QRectF(34, 8, 58, 58), 3);
         Floppy(p, QRectF(8, 46, 44, 44));
       }},
      {"Import",
       [](QPainter& p) {
         Picture(p, QRectF(30, 12, 60, 50));
         Arrow(p, QPointF(12, 90), QPointF(44, 58), kInk, 7, 20);
       }},
      {"Export",
       [](QPainter& p) {
         Wave(p);
         Arrow(p, QPointF(56, 50), QPointF(94, 50), kInk, 7, 20);
       }},
      {"ExportMidi", DinSocket},
      {"Play",
       [](QPainter& p) {
         Outlined(p, kGreen, kShade, 3);
         p.drawPolygon(QPolygonF({QPointF(28, 16), QPointF(82, 50), QPointF(28, 84)}));
       }},
      {"Record",
       [](QPainter& p) {
         Outlined(p, kRed, kShade, 3);
         p.drawEllipse(QPointF(50, 50), 30, 30);
       }},
      {"Kits", Drum},
      {"Patterns", PatternsGrid},
      {"Settings", Gear},
      {"Grid", GridLines},
      {"About", Info},
      {"Pencil", Pencil},
      {"Eraser", Eraser},
      {"Line", LineTool},
      {"Aero", Airbrush},
      {"Hand", Hand},
      {"Selector", Selector},
      {"EyeDropper", EyeDropper},
      {"Mutate", Helix},
      {"Map", Curves},
      {"Filter", Funnel},
      {"Colors", RgbCircles},
      {"RevX", Mirror},
      {"RevY",
       [](QPainter& p) {
         QuarterTurn(p, false);
         Mirror(p);
       }},
      {"Rotate",
       [](QPainter& p) {
         Tromino(p);
         ArcArrow(p, QPointF(50, 50), 36, 0, 280, kInk);
       }},
      {"Rotate2",
       [](QPainter& p) {
         Tromino(p);
         ArcArrow(p, QPointF(50, 50), 36, 180, -280, kInk);
       }},
      {"Copy",
       [](QPainter& p) {
         Page(p, QRectF(12, 8, 46, 62), kPaper.darker(120));
         Page(p, QRectF(40, 28, 46, 62));
       }},
      {"Cut", Scissors},
      {"Paste",
       [](QPainter& p) {
         Clipboard(p, QRectF(12, 16, 56, 74));
         Page(p, QRectF(46, 40, 42, 52));
       }},
      {"Mix", Mix},
      {"Line H", ShuffleLines},
      {"Line V",
       [](QPainter& p) {
         // Columns: the rows' picture turned a quarter, its bars still growing from the top.
         QuarterTurn(p, true);
         ShuffleLines(p);
       }},
      {"Cells", ScatteredCells},
      {"Rnd", Die},
      {"Undo", Hook},
      {"Redo",
       [](QPainter& p) {
         p.translate(100, 0);
         p.scale(-1, 1);
         Hook(p);
       }},
  };
  return pictures;
}

}  // namespace

QPainterPath HandOutline() {
  QPainterPath hand;
  hand.setFillRule(Qt::WindingFill);
  hand.addRoundedRect(QRectF(30, 46, 46, 44), 14, 14);
  const std::array<QRectF, 4> fingers{QRectF(30, 20, 11, 40), QRectF(42, 12, 11, 46),
                                      QRectF(54, 16, 11, 42), QRectF(66, 26, 10, 34)};
  for (const QRectF& f : fingers) hand.addRoundedRect(f, 5.5, 5.5);
  QPainterPath thumb;
  thumb.addRoundedRect(QRectF(-6, -22, 12, 36), 6, 6);
  QTransform turn;
  turn.translate(28, 68);
  turn.rotate(-42);
  hand.addPath(turn.map(thumb));
  return hand.simplified();
}

bool DrawButtonPicture(QPainter& painter, const QString& name, const QRectF& box) {
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  // The picture keeps an eighth of the box clear on every side.
  const double side = std::min(box.width(), box.height());
  const double margin = side / 8;
  painter.translate(box.center().x() - side / 2 + margin, box.center().y() - side / 2 + margin);
  painter.scale((side - 2 * margin) / 100.0, (side - 2 * margin) / 100.0);
  const auto found = Pictures().find(name);
  const bool known = found != Pictures().end();
  if (known) {
    found.value()(painter);
  } else {
    QFont font = painter.font();
    font.setPixelSize(40);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(kInk);
    painter.drawText(QRectF(0, 0, 100, 100), Qt::AlignCenter, name.left(2));
  }
  painter.restore();
  return known;
}

QIcon ProgramIcon() {
  QIcon icon;
  for (int size : {16, 24, 32, 48, 64, 128, 256}) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const double s = size / 100.0;
    p.scale(s, s);
    // A frame of its own, so the icon stands out on the program's dark windows too.
    p.setPen(QPen(QColor(0x6A, 0x6A, 0x6A), 3));
    p.setBrush(QColor(0x12, 0x12, 0x12));
    p.drawRoundedRect(QRectF(2.5, 2.5, 95, 95), 14, 14);
    // Eight steps of a painted pattern: a beat on the bottom rows, a line climbing across.
    const double cell = 10.5, left = 8;
    for (int y = 0; y < 8; ++y)
      for (int x = 0; x < 8; ++x) {
        const QRectF r(left + x * cell + 0.6, left + y * cell + 0.6, cell - 1.2, cell - 1.2);
        const bool lit = (y == 7 && x % 4 == 0) || (y == 6 && x % 4 == 2) || (y == 7 - x) ||
                         (y == 1 && x % 2 == 1) || (y == 3 && (x == 1 || x == 6));
        p.fillRect(r, lit ? QColor(CellRgb(HsbToRgb(Hsb{(330 + x * 24 + y * 12) % 360, 210, 255})))
                          : QColor(0x2C, 0x2C, 0x2C));
      }
    p.end();
    icon.addPixmap(pixmap);
  }
  return icon;
}

}  // namespace tond
