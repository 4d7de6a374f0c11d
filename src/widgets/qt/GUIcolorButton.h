#pragma once
// A colour swatch button: shows one colour (0x00BBGGRR, as a cell), opens the colour picker when
// clicked, and lets the user drag its colour onto another colour button with Ctrl held. The
// colour travels as its 4 bytes (little-endian) under the program's own MIME type; anything
// else dropped on a button is refused.
#include <QAbstractButton>

#include "model/Cell.h"

namespace tond {

inline constexpr const char* kColourMimeType = "application/x-tond-colour";

class GUIcolorButton : public QAbstractButton {
  Q_OBJECT

 public:
  explicit GUIcolorButton(QWidget* parent = nullptr);  // starts red (255)

  Cell Colour() const;
  void SetColour(Cell colour);  // redraws; emits colourChanged when it differs

 signals:
  // A click through the picker, a drop, or SetColour changed the colour.
  void colourChanged(tond::Cell colour);
};

}  // namespace tond
