#include "widgets/qt/GUIcolorButton.h"

#include <QApplication>
#include <QDrag>
#include <QDragEnterEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>

#include "widgets/qt/Convert.h"
#include "widgets/qt/GUIcolorPicker.h"

namespace tond {

QMimeData* ColourMimeData(Cell colour) {
  QByteArray bytes(4, '\0');
  for (int i = 0; i < 4; ++i) bytes[i] = static_cast<char>((colour >> (8 * i)) & 0xFFu);
  auto* data = new QMimeData;
  data->setData(QString::fromLatin1(kColourMimeType), bytes);
  return data;
}

std::optional<Cell> ColourFromMimeData(const QMimeData* data) {
  if (!data || !data->hasFormat(QString::fromLatin1(kColourMimeType))) return std::nullopt;
  const QByteArray bytes = data->data(QString::fromLatin1(kColourMimeType));
  if (bytes.size() < 4) return std::nullopt;
  Cell colour = 0;
  for (int i = 0; i < 4; ++i)
    colour |= static_cast<Cell>(static_cast<unsigned char>(bytes[i])) << (8 * i);
  // Another program may offer this type too: a cell never carries a top byte.
  return colour & 0x00FFFFFFu;
}

GUIcolorButton::GUIcolorButton(QWidget* parent) : QAbstractButton(parent) {
  setAcceptDrops(true);
  setAttribute(Qt::WA_Hover);
  setFocusPolicy(Qt::TabFocus);
  connect(this, &QAbstractButton::clicked, this, &GUIcolorButton::Pick);
}

Cell GUIcolorButton::Colour() const {
  return colour_;
}

void GUIcolorButton::SetColour(Cell colour) {
  if (colour == colour_) return;
  colour_ = colour;
  update();
  emit colourChanged(colour_);
}

QSize GUIcolorButton::sizeHint() const {
  return {28, 20};
}

void GUIcolorButton::Pick() {
  SetColour(RunColourPicker(this, colour_));
}

void GUIcolorButton::paintEvent(QPaintEvent*) {
  QPainter p(this);
  const QRect outer = rect().adjusted(0, 0, -1, -1);
  // A sunken frame while pressed, a light one under the pointer or with focus.
  const bool lit = underMouse() || hasFocus();
  p.setPen(isDown() ? QColor(0x08, 0x08, 0x08)
           : lit    ? QColor(0xE0, 0xE0, 0xE0)
                    : QColor(0x80, 0x80, 0x80));
  p.drawRect(outer);
  p.setPen(QColor(0x08, 0x08, 0x08));
  p.drawRect(outer.adjusted(1, 1, -1, -1));
  p.fillRect(outer.adjusted(2, 2, -1, -1), QColor(CellRgb(colour_)));
}

void GUIcolorButton::mousePressEvent(QMouseEvent* event) {
  pressPoint_ = event->position().toPoint();
  QAbstractButton::mousePressEvent(event);
}

void GUIcolorButton::mouseMoveEvent(QMouseEvent* event) {
  // Ctrl held while the pressed pointer moves: the colour leaves as a drag instead of a click.
  const bool dragging = (event->buttons() & Qt::LeftButton) &&
                        (event->modifiers() & Qt::ControlModifier) &&
                        (event->position().toPoint() - pressPoint_).manhattanLength() >=
                            QApplication::startDragDistance();
  if (!dragging) {
    QAbstractButton::mouseMoveEvent(event);
    return;
  }
  setDown(false);  // the release ends the drag, not a click
  QPixmap swatch(16, 16);
  swatch.fill(QColor(CellRgb(colour_)));
  auto* drag = new QDrag(this);
  drag->setMimeData(ColourMimeData(colour_));
  drag->setPixmap(swatch);
  drag->exec(Qt::CopyAction);
}

void GUIcolorButton::dragEnterEvent(QDragEnterEvent* event) {
  dragMoveEvent(event);
}

void GUIcolorButton::dragMoveEvent(QDragMoveEvent* event) {
  if (ColourFromMimeData(event->mimeData()) && event->source() != this)
    event->acceptProposedAction();
  else
    event->ignore();
}

void GUIcolorButton::dropEvent(QDropEvent* event) {
  const std::optional<Cell> colour = ColourFromMimeData(event->mimeData());
  if (!colour) {
    event->ignore();
    return;
  }
  SetColour(*colour);
  event->acceptProposedAction();
}

}  // namespace tond
