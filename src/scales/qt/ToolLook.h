#pragma once
// The dark look of the tool windows (background 0x222222, light grey texts, the 7-point
// "Arial"), and the small picture buttons of the scale and kit windows.
#include <QFont>
#include <QPixmap>
#include <QString>

class QToolButton;
class QWidget;

namespace tond {

QFont ToolWindowFont();
void UseToolLook(QWidget* window);
// A button that shows `picture` only, with a tooltip; it never takes the keyboard focus, so the
// window's own keys (Space, Enter) stay with the window.
QToolButton* MakePictureButton(const QPixmap& picture, const QString& tooltip, QWidget* parent);

}  // namespace tond
