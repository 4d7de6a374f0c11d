#pragma once
// A colour swatch button: shows one colour (0x00BBGGRR, as a cell), opens the colour picker when
// clicked, and lets the user drag its colour onto another colour button with Ctrl held. The
// colour travels as its 4 bytes (little-endian) under the program's own MIME type; anything
// else dropped on a button is refused.
#include <QAbstractButton>
#include <QPoint>
#include <optional>

#include "model/Cell.h"

class QMimeData;

namespace tond {

inline constexpr const char* kColourMimeType = "application/x-tond-colour";

// The colour as it travels in a drag, and back: nothing when the data holds no colour.
QMimeData* ColourMimeData(Cell colour);
std::optional<Cell> ColourFromMimeData(const QMimeData* data);

class GUIcolorButton : public QAbstractButton {
  Q_OBJECT

 public:
  explicit GUIcolorButton(QWidget* parent = nullptr);  // starts red (255)

  Cell Colour() const;
  void SetColour(Cell colour);  // redraws; emits colourChanged when it differs

  QSize sizeHint() const override;

 signals:
  // A click through the picker, a drop, or SetColour changed the colour.
  void colourChanged(tond::Cell colour);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  void Pick();

  Cell colour_ = 255;
  QPoint pressPoint_;
};

}  // namespace tond
