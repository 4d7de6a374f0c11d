// "Mutate colors", "Color curves" and "Offset colors": each control change goes to the session's
// live edit, which recomputes the grid from its copy; the main window repaints the pattern area.
#include <QAbstractButton>
#include <QPainter>
#include <QPushButton>

#include "edit/ColourCurves.h"
#include "edit/ColourOffset.h"
#include "edit/Mutation.h"
#include "edit/ToolSettings.h"
#include "edit/qt/ToolDialog.h"
#include "edit/qt/ToolWindows.h"
#include "widgets/qt/Convert.h"

namespace tond {

namespace {

const QColor kFrameGrey(100, 100, 100);

// Runs a live-edit window to its end: "Ok" keeps the grid and pushes it once, any other close
// puts the copy back.
void RunLiveEdit(QDialog& dialog, Session& session, const Repaint& repaint) {
  const bool accepted = dialog.exec() == QDialog::Accepted;
  repaint(accepted ? session.AcceptLiveEdit() : session.CancelLiveEdit());
}

// The three curves with their colour strips, drawn from the session's curve settings.
class CurvePreviews : public QWidget {
 public:
  CurvePreviews(const Session& session, QWidget* parent) : QWidget(parent), session_(session) {}

 protected:
  void paintEvent(QPaintEvent*) override {
    const ColourCurvesEdit* curves = session_.Curves();
    if (curves == nullptr) return;
    QPainter p(this);
    for (int c = 0; c < 3; ++c) {
      const CurveChannel& channel = curves->Settings()[static_cast<size_t>(c)];
      const CurvePreview preview = CurvePreviewValues(channel);
      const int left = CurveBoxLeft(c);
      // A frame one pixel outside the black square, and one around the strip.
      p.setPen(kFrameGrey);
      p.drawRect(QRectOf(CurveFrameRect(c)).adjusted(0, 0, -1, -1));
      p.fillRect(QRectOf(CurveBoxRect(c)), Qt::black);
      QPoint points[64];
      for (int i = 0; i < 64; ++i) points[i] = QPoint(left + i, kCurveBoxTop + preview.lineY[i]);
      p.setPen(Qt::white);
      p.drawPolyline(points, 64);

      const PixelRect strip = CurveStripRect(c);
      p.setPen(kFrameGrey);
      p.drawRect(QRectOf(strip).adjusted(0, 0, -1, -1));
      for (int i = 0; i < 64; ++i) {
        const int v = preview.intensity[static_cast<size_t>(i)];
        p.setPen(QColor(c == 0 ? v : 0, c == 1 ? v : 0, c == 2 ? v : 0));
        p.drawLine(left + i, strip.top + 1, left + i, strip.bottom - 2);
      }
    }
  }

 private:
  const Session& session_;
};

// The small "inv" toggle, 22 x 12: a dark picture when off, a lit one when on.
class InvertToggle : public QAbstractButton {
 public:
  explicit InvertToggle(QWidget* parent) : QAbstractButton(parent) {
    setCheckable(true);
    setText("inv");
    setFocusPolicy(Qt::NoFocus);
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    const bool on = isChecked();
    p.fillRect(rect(), on ? QColor(0xC0, 0xC0, 0xC0) : QColor(0x3A, 0x3A, 0x3A));
    p.setPen(on ? QColor(0xF0, 0xF0, 0xF0) : QColor(0x14, 0x14, 0x14));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
    QFont small = font();
    small.setPixelSize(9);
    p.setFont(small);
    p.setPen(on ? Qt::black : QColor(0x90, 0x90, 0x90));
    p.drawText(rect(), Qt::AlignCenter, text());
  }
};

}  // namespace

void RunMutateWindow(QWidget* parent, Session& session, const Repaint& repaint) {
  const MutationEdit* mutation = session.Mutation();
  if (mutation == nullptr) return;
  ToolDialog dialog(parent, "Mutate colors", QSize(250, 112));
  std::array<double, 3> amounts{};
  for (int c = 0; c < 3; ++c) amounts[static_cast<size_t>(c)] = mutation->Amount(c);
  // Each move reseeds with the window's seed, so it scales the jitter the window opened with.
  AddChannelRows(
      &dialog, QRect(10, 10, 230, 16), 23, 0, 100, amounts, PercentText,
      [&](int channel, int value) { repaint(session.SetMutationAmount(channel, value)); });
  auto* again = new QPushButton("New Mutation", &dialog);
  again->setGeometry(10, 80, 100, 24);
  again->setAutoDefault(false);
  QObject::connect(again, &QPushButton::clicked, &dialog, [&] { repaint(session.NewMutation()); });
  dialog.AddOk(QRect(180, 80, 60, 24));
  RunLiveEdit(dialog, session, repaint);
}

void RunCurvesWindow(QWidget* parent, Session& session, const Repaint& repaint) {
  if (session.Curves() == nullptr) return;
  ToolDialog dialog(parent, "Color curves", QSize(242, 242));
  auto* previews = new CurvePreviews(session, &dialog);
  previews->setGeometry(0, 0, 242, 120);
  auto redrawn = [&](int channel, const Change& change) {
    previews->update(QRectOf(CurveRedrawRect(channel)));
    repaint(change);
  };
  const double middle = kCurveSliderMiddle;
  AddChannelRows(
      &dialog, QRect(10, 135, 182, 16), 23, 0, 100, {middle, middle, middle},
      [](double v) { return CurveAmountText(CurveAmountFromSlider(static_cast<int>(v))); },
      [&](int channel, int value) {
        redrawn(channel, session.SetCurveAmount(channel, CurveAmountFromSlider(value)));
      });
  static const char* const kNames[] = {"red inv", "green inv", "blue inv"};
  for (int c = 0; c < 3; ++c) {
    auto* toggle = new InvertToggle(&dialog);
    toggle->setObjectName(kNames[c]);
    toggle->setGeometry(QRectOf(CurveInvertRect(c)));
    QObject::connect(toggle, &QAbstractButton::toggled, &dialog,
                     [&, c](bool on) { redrawn(c, session.SetCurveInvert(c, on)); });
  }
  dialog.AddOk(QRect(172, 210, 60, 24));
  RunLiveEdit(dialog, session, repaint);
}

void RunOffsetWindow(QWidget* parent, Session& session, const Repaint& repaint) {
  if (session.Offset() == nullptr) return;
  ToolDialog dialog(parent, "Offset colors", QSize(250, 112));
  const double middle = kOffsetSliderMiddle;
  AddChannelRows(
      &dialog, QRect(10, 10, 230, 16), 23, 0, 200, {middle, middle, middle},
      [](double v) { return OffsetAmountText(OffsetAmountFromSlider(static_cast<int>(v))); },
      [&](int channel, int value) {
        repaint(session.SetColourOffset(channel, OffsetAmountFromSlider(value)));
      });
  dialog.AddOk(QRect(180, 80, 60, 24));
  RunLiveEdit(dialog, session, repaint);
}

}  // namespace tond
