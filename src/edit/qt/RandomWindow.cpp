// "Random": edits a copy of the session's random-fill settings; "Ok" hands them back and paints.
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

#include "edit/RandomFill.h"
#include "edit/ToolSettings.h"
#include "edit/qt/ToolDialog.h"
#include "edit/qt/ToolWindows.h"
#include "widgets/qt/GUIcolorButton.h"

namespace tond {

void RunRandomWindow(QWidget* parent, Session& session, const Repaint& repaint) {
  const RandomSettings stored = session.RandomFillSettings();
  ToolDialog dialog(parent, "Random", QSize(250, 170));
  auto* grid = new QGridLayout(&dialog);
  grid->setContentsMargins(10, 10, 10, 10);
  grid->setHorizontalSpacing(6);
  constexpr int kLabelWidth = 70;
  auto label = [&](const char* text, int row) {
    auto* l = new QLabel(text, &dialog);
    l->setFixedWidth(kLabelWidth);
    grid->addWidget(l, row, 0);
  };

  label("Operation", 0);
  auto* operation = new QComboBox(&dialog);
  operation->addItems({"replace", "add"});
  operation->setCurrentIndex(static_cast<int>(stored.operation));
  grid->addWidget(operation, 0, 1);

  label("Color mode", 1);
  auto* mode = new QComboBox(&dialog);
  mode->addItems({"single color", "gradient"});
  mode->setCurrentIndex(static_cast<int>(stored.colourMode));
  grid->addWidget(mode, 1, 1);

  label("Colors", 2);
  auto* colours = new QHBoxLayout;
  auto* colour1 = new GUIcolorButton(&dialog);
  auto* colour2 = new GUIcolorButton(&dialog);
  colour1->setObjectName("Color1");
  colour2->setObjectName("Color2");
  colour1->SetColour(stored.colour1);
  colour2->SetColour(stored.colour2);
  colours->addWidget(colour1);
  colours->addWidget(colour2);
  colours->addStretch(1);
  grid->addLayout(colours, 2, 1);
  // The second end of the gradient shows only for a gradient.
  auto showSecond = [colour2](int index) {
    colour2->setVisible(index == static_cast<int>(kRandomGradient));
  };
  showSecond(mode->currentIndex());
  QObject::connect(mode, &QComboBox::currentIndexChanged, &dialog, showSecond);

  auto percentRow = [&](const char* text, std::uint32_t value, int row) {
    auto* slider = new SliderRow(text, 0, 100, value, PercentText, &dialog);
    slider->SetLabelWidth(kLabelWidth);
    grid->addWidget(slider, row, 0, 1, 2);
    return slider;
  };
  SliderRow* variation = percentRow("Color Variation", stored.variation, 3);
  SliderRow* density = percentRow("Density", stored.density, 4);

  QPushButton* ok = dialog.AddOk({});
  grid->addWidget(ok, 5, 1, Qt::AlignRight);

  if (dialog.exec() != QDialog::Accepted) return;
  RandomSettings settings;
  settings.operation = static_cast<std::uint32_t>(operation->currentIndex());
  settings.colourMode = static_cast<std::uint32_t>(mode->currentIndex());
  settings.colour1 = colour1->Colour();
  settings.colour2 = colour2->Colour();
  // The numbers the value texts show.
  settings.variation = static_cast<std::uint32_t>(variation->Value());
  settings.density = static_cast<std::uint32_t>(density->Value());
  repaint(session.AcceptRandomFill(settings));
}

}  // namespace tond
