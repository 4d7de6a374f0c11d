#include "scales/qt/SelectKeyDlg.h"

#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

#include "scales/KeyNames.h"
#include "scales/Keyboard.h"
#include "widgets/qt/Look.h"

namespace tond {

using namespace keyboard;

namespace {

QString Title(const QString& key) {
  return QStringLiteral("Select a key: %1").arg(key);
}

}  // namespace

QPixmap KeyboardPicture() {
  QPixmap strip(kStripWidth, kStripHeight);
  strip.fill(Qt::white);
  QPainter p(&strip);
  p.fillRect(0, 0, kStripWidth, kBandHeight, QColor(0xFF, 0x99, 0x22));
  QFont font = ToolFont();
  font.setPixelSize(kBandHeight - 3);
  p.setFont(font);
  p.setPen(Qt::black);
  for (int key = 0; key < kKeys; key += 12)
    p.drawText(QRect(KeyOffset(key) + 1, 0, kOctaveWidth, kBandHeight), Qt::AlignVCenter,
               QString::fromStdString(KeyName(static_cast<std::uint8_t>(key))));
  p.setPen(QColor(0x60, 0x60, 0x60));
  for (int x = kWhiteKeyWidth; x < kStripWidth; x += kWhiteKeyWidth)
    p.drawLine(x, kBandHeight, x, kStripHeight - 1);
  p.drawLine(0, kStripHeight - 1, kStripWidth, kStripHeight - 1);
  for (int key = 0; key < kKeys; ++key)
    if (IsBlackKey(key))
      p.fillRect(KeyOffset(key) + 1, kBandHeight, ZoneWidth(key) - 2, kBlackKeyBottom - kBandHeight,
                 QColor(0x10, 0x10, 0x10));
  return strip;
}

CSelectKeyDlg::CSelectKeyDlg(QWidget* parent)
    : QDialog(parent), keyboard_(KeyboardPicture()), scroll_(new QScrollBar(Qt::Horizontal, this)) {
  ApplyDarkLook(this);
  setWindowTitle(Title(QString::number(60)));
  setFixedSize(kInnerWidth, kInnerHeight);
  setMouseTracking(true);
  scroll_->setGeometry(kLeft, kScrollBarTop, kInnerWidth - 2 * kLeft, kScrollBarHeight);
  // Qt's range is that of the first visible key; the thumb shows a page of 49 keys.
  scroll_->setRange(0, kFirstKeyMax);
  scroll_->setPageStep(kScrollPage);
  scroll_->setSingleStep(1);
  connect(scroll_, &QScrollBar::actionTriggered, this, &CSelectKeyDlg::Scrolled);
  connect(scroll_, &QScrollBar::valueChanged, this, [this](int value) {
    firstKey_ = value;
    update();
  });
}

void CSelectKeyDlg::Scrolled(int action) {
  // Steps and pages both move one key; a drag goes where the thumb is.
  int key = firstKey_;
  switch (action) {
    case QAbstractSlider::SliderSingleStepSub:
    case QAbstractSlider::SliderPageStepSub:
      key = ScrollKeyboard(firstKey_, -1);
      break;
    case QAbstractSlider::SliderSingleStepAdd:
    case QAbstractSlider::SliderPageStepAdd:
      key = ScrollKeyboard(firstKey_, 1);
      break;
    case QAbstractSlider::SliderMove:
      key = ScrollKeyboardTo(firstKey_, scroll_->sliderPosition());
      break;
    default:
      return;
  }
  scroll_->setSliderPosition(key);
}

int CSelectKeyDlg::KeyAt(QPoint point) const {
  return KeyAtPoint(point.x(), point.y(), width(), firstKey_);
}

void CSelectKeyDlg::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.drawPixmap(kLeft, kTop, keyboard_, KeyOffset(firstKey_), 0, width() - 2 * kLeft, kStripHeight);
}

void CSelectKeyDlg::mouseMoveEvent(QMouseEvent* event) {
  const int key = KeyAt(event->position().toPoint());
  if (key >= 0)
    setWindowTitle(Title(QString::fromStdString(KeyName(static_cast<std::uint8_t>(key)))));
}

void CSelectKeyDlg::mousePressEvent(QMouseEvent* event) {
  const int key = KeyAt(event->position().toPoint());
  if (event->button() != Qt::LeftButton || key < 0) return;
  selected_ = static_cast<std::uint8_t>(key);
  accept();
}

std::optional<std::uint8_t> RunSelectKey(QWidget* parent) {
  CSelectKeyDlg dialog(parent);
  dialog.exec();
  return dialog.SelectedKey();
}

}  // namespace tond
