#pragma once
// The colour picker: "Red", "Green", "Blue" and "Hue", "Saturation", "Brightness" fields with
// spin buttons, the colour wheel, the brightness strip, the "Old Color" and "New Color" swatches,
// "OK" and "Cancel". Runs modally; the arithmetic is the core's PickerColour.
#include <QString>

#include "model/Cell.h"

class QWidget;

namespace tond {

inline constexpr const char* kColourPickerTitle = "Choose the color";

// The colour the user chose with OK; the starting colour itself for any other close.
Cell RunColourPicker(QWidget* parent, Cell start, const QString& title = kColourPickerTitle);

}  // namespace tond
