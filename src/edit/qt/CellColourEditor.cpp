#include "edit/qt/CellColourEditor.h"

#include <QDialog>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <array>
#include <functional>

#include "edit/ToolSettings.h"
#include "session/Session.h"
#include "widgets/qt/Convert.h"
#include "widgets/qt/Look.h"
#include "widgets/qt/SliderRow.h"

namespace tond {

namespace {

// A colour that plays when pressed: the pointer shows a hand over it, closed while held.
class Swatch : public QWidget {
 public:
  Swatch(const QRect& place, const QString& name, std::function<void()> pressed, QWidget* parent)
      : QWidget(parent), pressed_(std::move(pressed)) {
    setObjectName(name);
    setGeometry(place);
    setCursor(Qt::PointingHandCursor);
  }
  void SetColour(Cell colour) {
    colour_ = colour;
    update();
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter(this).fillRect(rect(), QColor(CellRgb(colour_)));
  }
  void mousePressEvent(QMouseEvent* event) override {
    if (event->button() != Qt::LeftButton) return;
    setCursor(Qt::ClosedHandCursor);
    pressed_();
  }
  void mouseReleaseEvent(QMouseEvent* event) override {
    if (event->button() == Qt::LeftButton) setCursor(Qt::PointingHandCursor);
  }

 private:
  std::function<void()> pressed_;
  Cell colour_ = 0;
};

class CellDialog : public QDialog {
 public:
  CellDialog(QWidget* parent, Session& session, int row, Cell colour)
      : QDialog(parent), start_(colour), current_(colour) {
    setWindowTitle(QStringLiteral("Cell Color"));
    ApplyDarkLook(this);
    auto* old = new Swatch(
        QRect(QPoint(15, 10), QPoint(89, 79)), QStringLiteral("oldSwatch"),
        [&session, row, this] { session.Preview(row, start_); }, this);
    old->SetColour(start_);
    newSwatch_ = new Swatch(
        QRect(QPoint(105, 10), QPoint(179, 79)), QStringLiteral("newSwatch"),
        [&session, row, this] { session.Preview(row, current_); }, this);
    newSwatch_->SetColour(current_);

    const std::array<const char*, 3> labels{"Red", "Green", "Blue"};
    for (int channel = 0; channel < 3; ++channel) {
      const int value = static_cast<int>((colour >> (8 * channel)) & 0xFFu);
      auto* slider = new SliderRow(QString::fromLatin1(labels[static_cast<std::size_t>(channel)]),
                                   0, 255, value, IntegerSliderText, this);
      slider->setObjectName(QString::fromLatin1(labels[static_cast<std::size_t>(channel)]));
      slider->Slider()->SetPageStep(10);
      slider->SetLabelWidth(30);
      slider->setGeometry(10, 92 + channel * 24, 175, 20);
      connect(slider, &SliderRow::valueChanged, this,
              [this, channel](double v) { SetChannel(channel, static_cast<int>(v)); });
    }
    setFixedSize(195, 92 + 3 * 24 + 6);
  }

  Cell Colour() const { return current_; }

 protected:
  void keyPressEvent(QKeyEvent* event) override {
    // Enter closes as Escape does; there is no button to press.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
      accept();
    else
      QDialog::keyPressEvent(event);
  }

 private:
  void SetChannel(int channel, int value) {
    const int shift = 8 * channel;
    current_ = (current_ & ~(0xFFu << shift) & 0x00FFFFFFu) | (static_cast<Cell>(value) << shift);
    newSwatch_->SetColour(current_);
  }

  Cell start_;
  Cell current_;
  Swatch* newSwatch_ = nullptr;
};

}  // namespace

Cell RunCellColourEditor(QWidget* parent, Session& session, int row, Cell colour) {
  CellDialog dialog(parent, session, row, colour);
  dialog.exec();
  session.StopPreview();
  return dialog.Colour();
}

}  // namespace tond
