#pragma once
// The dark look every window of the program shares: background red, green and blue 0x22,
// label texts light grey (192, 192, 192), texts in the 7-point "Arial" (Liberation Sans here).
#include <QColor>
#include <QFont>

class QWidget;

namespace tond {

inline const QColor kBackgroundColour(0x22, 0x22, 0x22);
inline const QColor kLabelColour(0xC0, 0xC0, 0xC0);

// The 7-point "Arial".
QFont ToolFont();
// Gives a window (and the controls it holds) the dark background, the grey texts and the font.
void ApplyDarkLook(QWidget* window);
// The same colours for every window of the program, so that what opens outside a window's
// children (the lists of drop-down boxes, message boxes, file dialogs) is dark too.
void ApplyDarkLookToApplication();

}  // namespace tond
