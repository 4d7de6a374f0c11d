#include "widgets/qt/Look.h"

#include <QApplication>
#include <QPalette>
#include <QWidget>

namespace tond {

QFont ToolFont() {
  // fontconfig maps "Arial" onto the metric-compatible Liberation Sans; naming both keeps the
  // text the same width where no such alias is configured.
  QFont font(QStringLiteral("Arial"), 7);
  font.setFamilies({QStringLiteral("Arial"), QStringLiteral("Liberation Sans")});
  return font;
}

QPalette DarkPalette(QPalette palette) {
  const QColor field(0x14, 0x14, 0x14);
  const QColor button(0x3A, 0x3A, 0x3A);
  for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
    palette.setColor(group, QPalette::Window, kBackgroundColour);
    palette.setColor(group, QPalette::WindowText, kLabelColour);
    palette.setColor(group, QPalette::Base, field);
    palette.setColor(group, QPalette::AlternateBase, kBackgroundColour);
    palette.setColor(group, QPalette::Text, kLabelColour);
    palette.setColor(group, QPalette::Button, button);
    palette.setColor(group, QPalette::ButtonText, kLabelColour);
    palette.setColor(group, QPalette::Light, button.lighter(160));
    palette.setColor(group, QPalette::Midlight, button.lighter(130));
    palette.setColor(group, QPalette::Mid, button.darker(130));
    palette.setColor(group, QPalette::Dark, button.darker(180));
    palette.setColor(group, QPalette::Shadow, Qt::black);
    palette.setColor(group, QPalette::Highlight, QColor(0x4A, 0x6E, 0x9A));
    palette.setColor(group, QPalette::HighlightedText, Qt::white);
    palette.setColor(group, QPalette::ToolTipBase, QColor(0x33, 0x33, 0x33));
    palette.setColor(group, QPalette::ToolTipText, kLabelColour);
  }
  const QColor dimmed(0x70, 0x70, 0x70);
  palette.setColor(QPalette::Disabled, QPalette::Window, kBackgroundColour);
  palette.setColor(QPalette::Disabled, QPalette::Base, kBackgroundColour);
  palette.setColor(QPalette::Disabled, QPalette::Button, button);
  palette.setColor(QPalette::Disabled, QPalette::WindowText, dimmed);
  palette.setColor(QPalette::Disabled, QPalette::Text, dimmed);
  palette.setColor(QPalette::Disabled, QPalette::ButtonText, dimmed);
  return palette;
}

void ApplyDarkLook(QWidget* window) {
  window->setPalette(DarkPalette(window->palette()));
  window->setAutoFillBackground(true);
  window->setFont(ToolFont());
}

void ApplyDarkLookToApplication() {
  QApplication::setPalette(DarkPalette(QApplication::palette()));
}

}  // namespace tond
