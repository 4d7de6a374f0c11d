#include "widgets/qt/GUIcolorPicker.h"

#include <QDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>
#include <array>
#include <cmath>
#include <functional>
#include <numbers>

#include "widgets/ColourSpace.h"
#include "widgets/qt/Convert.h"
#include "widgets/qt/Look.h"

namespace tond {

namespace {

// The wheel and the brightness strip side by side; presses and drags go to the colour's own
// arithmetic with this widget's pixels as the layout.
class PickerCanvas : public QWidget {
 public:
  PickerCanvas(PickerColour& colour, std::function<void()> changed, QWidget* parent)
      : QWidget(parent), colour_(colour), changed_(std::move(changed)) {
    constexpr int kMargin = 4, kGap = 16, kStripWidth = 22;
    layout_.wheelCentreX = layout_.wheelCentreY = kMargin + kWheelRadius;
    layout_.stripLeft = layout_.wheelCentreX + kWheelRadius + 1 + kGap;
    layout_.stripTop = kMargin;
    layout_.stripWidth = kStripWidth;
    layout_.stripHeight = 2 * kWheelRadius + 1;
    setFixedSize(layout_.stripLeft + kStripWidth + kMargin, 2 * kMargin + 2 * kWheelRadius + 1);
    setObjectName(QStringLiteral("colourWheel"));
    setProperty("wheelCentre", QPoint(layout_.wheelCentreX, layout_.wheelCentreY));
    setCursor(Qt::CrossCursor);
    wheel_ = WheelImage();
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    const int cx = layout_.wheelCentreX, cy = layout_.wheelCentreY;
    p.drawImage(cx - kWheelRadius, cy - kWheelRadius, wheel_);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0x10, 0x10, 0x10), 1.5));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(cx + 0.5, cy + 0.5), kWheelRadius + 0.5, kWheelRadius + 0.5);

    // The current hue and saturation on the wheel.
    const Hsb& hsb = colour_.HsbValue();
    const double angle = hsb.hue * std::numbers::pi / 180.0;
    const double r = hsb.saturation * kWheelRadius / 255.0;
    const QPointF at(cx + 0.5 + r * std::cos(angle), cy + 0.5 - r * std::sin(angle));
    p.setPen(QPen(Qt::black, 1.5));
    p.drawEllipse(at, 4.5, 4.5);
    p.setPen(QPen(Qt::white, 1));
    p.drawEllipse(at, 3.5, 3.5);
    p.setRenderHint(QPainter::Antialiasing, false);

    // Every brightness for the current hue and saturation, 255 at the top.
    const QRect strip(layout_.stripLeft, layout_.stripTop, layout_.stripWidth, layout_.stripHeight);
    for (int y = strip.top(); y <= strip.bottom(); ++y) {
      const Hsb shade = PickStrip(hsb, y, layout_.stripTop, layout_.stripHeight);
      p.setPen(QColor(CellRgb(HsbToRgb(shade))));
      p.drawLine(strip.left(), y, strip.right(), y);
    }
    p.setPen(QColor(0x60, 0x60, 0x60));
    p.drawRect(strip.adjusted(-1, -1, 0, 0));
    // The current brightness as a pair of ticks either side of the strip.
    const int y = strip.top() + (255 - hsb.brightness) * (layout_.stripHeight - 1) / 255;
    p.setPen(QColor(0xF0, 0xF0, 0xF0));
    p.setBrush(QColor(0xF0, 0xF0, 0xF0));
    const int l = strip.left() - 2, rt = strip.right() + 2;
    p.drawPolygon(QPolygon({QPoint(l, y), QPoint(l - 5, y - 4), QPoint(l - 5, y + 4)}));
    p.drawPolygon(QPolygon({QPoint(rt, y), QPoint(rt + 5, y - 4), QPoint(rt + 5, y + 4)}));
  }

  void mousePressEvent(QMouseEvent* event) override {
    if (event->button() != Qt::LeftButton) return;
    const QPoint at = event->position().toPoint();
    drag_ = colour_.Press(layout_, at.x(), at.y());
    if (drag_ != PickerDrag::kNone) changed_();
  }
  void mouseMoveEvent(QMouseEvent* event) override {
    if (drag_ == PickerDrag::kNone) return;
    const QPoint at = event->position().toPoint();
    colour_.DragTo(drag_, layout_, at.x(), at.y());
    changed_();
  }
  void mouseReleaseEvent(QMouseEvent* event) override {
    if (event->button() == Qt::LeftButton) drag_ = PickerDrag::kNone;
  }

 private:
  // Hue and saturation at full brightness, as a press at each pixel would pick them.
  static QImage WheelImage() {
    const int size = 2 * kWheelRadius + 1;
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    for (int y = 0; y < size; ++y)
      for (int x = 0; x < size; ++x) {
        const int dx = x - kWheelRadius, dy = y - kWheelRadius;
        if (!InWheel(dx, dy)) continue;
        image.setPixel(x, y, CellRgb(HsbToRgb(PickWheel(Hsb{0, 0, 255}, dx, dy))));
      }
    return image;
  }

  PickerColour& colour_;
  std::function<void()> changed_;
  PickerLayout layout_;
  PickerDrag drag_ = PickerDrag::kNone;
  QImage wheel_;
};

class Swatch : public QWidget {
 public:
  explicit Swatch(QWidget* parent) : QWidget(parent) { setFixedSize(72, 40); }
  void SetColour(Cell colour) {
    colour_ = colour;
    update();
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    p.setPen(QColor(0x70, 0x70, 0x70));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
    p.fillRect(rect().adjusted(1, 1, -1, -1), QColor(CellRgb(colour_)));
  }

 private:
  Cell colour_ = 0;
};

struct FieldInfo {
  ColourField field;
  const char* label;
};
constexpr std::array<FieldInfo, 6> kFields{{{ColourField::kRed, "Red"},
                                            {ColourField::kGreen, "Green"},
                                            {ColourField::kBlue, "Blue"},
                                            {ColourField::kHue, "Hue"},
                                            {ColourField::kSaturation, "Saturation"},
                                            {ColourField::kBrightness, "Brightness"}}};

class PickerDialog : public QDialog {
 public:
  PickerDialog(QWidget* parent, Cell start, const QString& title)
      : QDialog(parent), colour_(start) {
    setWindowTitle(title);
    ApplyDarkLook(this);
    canvas_ = new PickerCanvas(
        colour_, [this] { Refresh(); }, this);

    auto* swatches = new QGridLayout;
    oldSwatch_ = new Swatch(this);
    newSwatch_ = new Swatch(this);
    oldSwatch_->SetColour(colour_.OldColour());
    swatches->addWidget(new QLabel(QStringLiteral("Old Color"), this), 0, 0, Qt::AlignHCenter);
    swatches->addWidget(new QLabel(QStringLiteral("New Color"), this), 0, 1, Qt::AlignHCenter);
    swatches->addWidget(oldSwatch_, 1, 0);
    swatches->addWidget(newSwatch_, 1, 1);

    // Red, green, blue on the left, hue, saturation, brightness on the right. The spins take
    // any three-digit number, so what is typed reaches the colour's own clamping.
    auto* fields = new QGridLayout;
    fields->setHorizontalSpacing(6);
    for (std::size_t i = 0; i < kFields.size(); ++i) {
      const FieldInfo& info = kFields[i];
      auto* spin = new QSpinBox(this);
      spin->setObjectName(QString::fromLatin1(info.label));
      spin->setAccessibleName(QString::fromLatin1(info.label));
      spin->setRange(-999, 999);
      spin->setKeyboardTracking(false);
      spin->setAlignment(Qt::AlignRight);
      spin->setMinimumWidth(52);
      auto* label = new QLabel(QString::fromLatin1(info.label), this);
      label->setBuddy(spin);
      const int row = static_cast<int>(i % 3), column = static_cast<int>(i / 3) * 2;
      fields->addWidget(label, row, column);
      fields->addWidget(spin, row, column + 1);
      spins_[i] = spin;
      connect(spin, &QSpinBox::valueChanged, this, [this, field = info.field](int typed) {
        colour_.SetField(field, typed);
        Refresh();  // also when unchanged: the field shows the clamped value
      });
    }

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);

    auto* side = new QVBoxLayout;
    side->addLayout(swatches);
    side->addSpacing(12);
    side->addLayout(fields);
    side->addStretch(1);
    side->addLayout(buttons);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(10, 10, 10, 10);
    layout->setSpacing(14);
    layout->addWidget(canvas_);
    layout->addLayout(side);
    setFixedSize(sizeHint());
    Refresh();
  }

  Cell Colour() const { return colour_.Colour(); }

 private:
  void Refresh() {
    for (std::size_t i = 0; i < kFields.size(); ++i) {
      const QSignalBlocker quiet(spins_[i]);
      spins_[i]->setValue(colour_.Field(kFields[i].field));
    }
    newSwatch_->SetColour(colour_.Colour());
    canvas_->update();
  }

  PickerColour colour_;
  PickerCanvas* canvas_ = nullptr;
  Swatch* oldSwatch_ = nullptr;
  Swatch* newSwatch_ = nullptr;
  std::array<QSpinBox*, 6> spins_{};
};

}  // namespace

Cell RunColourPicker(QWidget* parent, Cell start, const QString& title) {
  PickerDialog dialog(parent, start, title);
  return dialog.exec() == QDialog::Accepted ? dialog.Colour() : start;
}

}  // namespace tond
