#include "edit/qt/ToolDialog.h"

#include <QPushButton>

#include "widgets/qt/GUIslider.h"
#include "widgets/qt/Look.h"

namespace tond {

ToolDialog::ToolDialog(QWidget* parent, const QString& title, QSize size) : QDialog(parent) {
  setWindowTitle(title);
  ApplyDarkLook(this);
  setFixedSize(size);
}

QPushButton* ToolDialog::AddOk(const QRect& where) {
  auto* ok = new QPushButton("Ok", this);
  ok->setGeometry(where);
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  return ok;
}

ChannelRows AddChannelRows(QWidget* window, const QRect& first, int pitch, double minimum,
                           double maximum, const std::array<double, 3>& values,
                           const SliderRow::Formatter& text,
                           const std::function<void(int channel, int value)>& changed) {
  static const char* const kLabels[] = {"Red", "Green", "Blue"};
  static const char* const kNames[] = {"red", "green", "blue"};
  ChannelRows rows{};
  for (int c = 0; c < 3; ++c) {
    auto* row =
        new SliderRow(kLabels[c], minimum, maximum, values[static_cast<size_t>(c)], text, window);
    row->setObjectName(kNames[c]);
    row->Slider()->SetPageStep(10);
    row->SetLabelWidth(34);
    row->setGeometry(first.translated(0, c * pitch));
    QObject::connect(row, &SliderRow::valueChanged, window,
                     [changed, c](double value) { changed(c, static_cast<int>(value)); });
    rows[static_cast<size_t>(c)] = row;
  }
  return rows;
}

}  // namespace tond
