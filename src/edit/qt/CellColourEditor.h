#pragma once
// The "Cell Color" window: one cell's colour on three sliders, with the colour as it was and as
// it is now on two swatches; a press on a swatch plays the row's sample with that colour. It has
// no buttons: Escape, Enter and the close box all close it, and its colour is the result.
#include "model/Cell.h"

class QWidget;

namespace tond {

class Session;

// Runs the window modally on the cell of `row` holding `colour`; stops any preview when it
// closes and returns the colour it holds. The caller hands that to Session::CloseCellEditor.
Cell RunCellColourEditor(QWidget* parent, Session& session, int row, Cell colour);

}  // namespace tond
