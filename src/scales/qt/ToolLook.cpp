#include "scales/qt/ToolLook.h"

#include <QIcon>
#include <QPalette>
#include <QToolButton>
#include <QWidget>

namespace tond {

QFont ToolWindowFont() {
  QFont font("Arial");
  font.setPointSize(7);
  return font;
}

void UseToolLook(QWidget* window) {
  const QColor background(0x22, 0x22, 0x22);
  const QColor text(0xC0, 0xC0, 0xC0);
  QPalette palette = window->palette();
  for (QPalette::ColorRole role : {QPalette::Window, QPalette::Base, QPalette::Button})
    palette.setColor(role, background);
  palette.setColor(QPalette::AlternateBase, background.lighter(130));
  for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
    palette.setColor(role, text);
  palette.setColor(QPalette::Highlight, QColor(0x64, 0x64, 0xFF).darker(150));
  palette.setColor(QPalette::HighlightedText, Qt::white);
  window->setPalette(palette);
  window->setAutoFillBackground(true);
  window->setFont(ToolWindowFont());
}

QToolButton* MakePictureButton(const QPixmap& picture, const QString& tooltip, QWidget* parent) {
  auto* button = new QToolButton(parent);
  button->setIcon(QIcon(picture));
  button->setIconSize(picture.size());
  button->setFixedSize(picture.size() + QSize(6, 6));
  button->setToolTip(tooltip);
  button->setAutoRaise(true);
  button->setFocusPolicy(Qt::NoFocus);
  return button;
}

}  // namespace tond
