#include "scales/qt/ScaleDlg.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>

#include "scales/KeyNames.h"
#include "scales/ScaleTable.h"
#include "scales/qt/SelectKeyDlg.h"
#include "widgets/qt/Look.h"
#include "widgets/qt/PictureButton.h"

namespace tond {

namespace {

// The 31 x 20 picture of MinKey or MaxKey: a few keys with the lowest or the highest marked.
QPixmap RangeButtonPicture(bool lowest) {
  QPixmap picture(31, 20);
  picture.fill(Qt::transparent);
  QPainter p(&picture);
  const int keys = 5;
  const int width = 6;
  for (int i = 0; i < keys; ++i) {
    const bool marked = lowest ? i == 0 : i == keys - 1;
    p.fillRect(1 + i * width, 1, width - 1, 18, marked ? QColor(0x64, 0x64, 0xFF) : Qt::white);
  }
  for (int i = 0; i < keys - 1; ++i)
    if (i != 2) p.fillRect(1 + i * width + 4, 1, 3, 11, QColor(0x10, 0x10, 0x10));
  return picture;
}

QString Name(std::uint8_t key) {
  return QString::fromStdString(KeyName(key));
}

}  // namespace

ScaleDlg::ScaleDlg(const KeyRange& range, Changed changed, QWidget* parent)
    : QDialog(parent),
      range_(range),
      changed_(std::move(changed)),
      list_(new QListWidget(this)),
      minField_(new QLineEdit(this)),
      maxField_(new QLineEdit(this)),
      minButton_(new PictureButton("MinKey", RangeButtonPicture(true), "MinKey", 2, this)),
      maxButton_(new PictureButton("MaxKey", RangeButtonPicture(false), "MaxKey", 2, this)) {
  ApplyDarkLook(this);
  setWindowTitle("Scale and range");
  setFixedSize(270, 330);
  list_->setGeometry(10, 10, 250, 240);
  for (std::uint16_t index : SortedScaleOrder()) list_->addItem(ScaleTable()[index].name);
  // A damaged project may hold an index beyond the table: then no name is selected.
  list_->setCurrentRow(SortedPosition(range_.scale));
  if (list_->currentItem())
    list_->scrollToItem(list_->currentItem(), QAbstractItemView::PositionAtCenter);
  connect(list_, &QListWidget::currentRowChanged, this, &ScaleDlg::ChooseScale);

  auto* label = new QLabel("Range", this);
  label->setGeometry(10, 262, 40, 20);
  for (QLineEdit* field : {minField_, maxField_}) {
    field->setReadOnly(true);
    field->setFocusPolicy(Qt::NoFocus);
  }
  minField_->setGeometry(50, 262, 50, 20);
  minButton_->move(102, 259);
  maxField_->setGeometry(150, 262, 50, 20);
  maxButton_->move(202, 259);
  minField_->setText(Name(range_.minkey));
  maxField_->setText(Name(range_.maxkey));
  connect(minButton_, &QAbstractButton::clicked, this, [this] { ChooseKey(true); });
  connect(maxButton_, &QAbstractButton::clicked, this, [this] { ChooseKey(false); });

  auto* ok = new QPushButton("Ok", this);
  ok->setGeometry(95, 295, 80, 24);
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}

void ScaleDlg::ChooseKey(bool lowest) {
  const std::optional<std::uint8_t> key = RunSelectKey(this);
  // Closed without a click: the key stays as it was.
  if (!key) return;
  (lowest ? range_.minkey : range_.maxkey) = *key;
  (lowest ? minField_ : maxField_)->setText(Name(*key));
  changed_(range_);
}

void ScaleDlg::ChooseScale(int row) {
  if (row < 0 || row >= kScaleCount) return;
  range_.scale = SortedScaleOrder()[static_cast<size_t>(row)];
  changed_(range_);
}

void RunScaleWindow(QWidget* parent, const KeyRange& range, ScaleDlg::Changed changed) {
  ScaleDlg dialog(range, std::move(changed), parent);
  dialog.exec();
}

}  // namespace tond
