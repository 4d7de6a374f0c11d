// The widget library as a user drives it: the colour picker's fields, wheel and buttons, a
// colour dragged between swatches, the slider and its value text, a window's own button picture.
#include <gtest/gtest.h>

#include <QDialog>
#include <QDrag>
#include <QDropEvent>
#include <QMimeData>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTest>
#include <QTimer>
#include <functional>

#include "support/QtApp.h"
#include "widgets/ColourSpace.h"
#include "widgets/qt/GUIcolorButton.h"
#include "widgets/qt/GUIcolorPicker.h"
#include "widgets/qt/PictureButton.h"
#include "widgets/qt/SliderRow.h"

namespace tond::test {
namespace {

// What the picker returns after `steps`.
Cell Pick(Cell start, std::function<void(QDialog&)> steps) {
  InModal(std::move(steps));
  return RunColourPicker(nullptr, start);
}

QSpinBox* Field(QDialog& dialog, const char* name) {
  return dialog.findChild<QSpinBox*>(QString::fromLatin1(name));
}

// Types into a field and presses Enter, which takes the value and presses "OK".
void TypeAndEnter(QDialog& dialog, const char* field, const QString& text) {
  QSpinBox* spin = Field(dialog, field);
  spin->selectAll();
  QTest::keyClicks(spin, text);
  QTest::keyClick(spin, Qt::Key_Return);
}

TEST(ColourPicker, ATypedValueIsClampedIntoItsRange) {
  const Cell start = MakeCell(200, 100, 50);  // hue 20, saturation 191, brightness 200
  int shown = -1;
  const Cell picked = Pick(start, [&](QDialog& d) {
    EXPECT_EQ(d.windowTitle(), "Choose the color");
    TypeAndEnter(d, "Hue", "400");
    shown = Field(d, "Hue")->value();
  });
  EXPECT_EQ(shown, 359);
  EXPECT_EQ(picked, HsbToRgb({359, 191, 200}));
}

TEST(ColourPicker, TheWheelPicksAndCancelReturnsTheStartingColour) {
  const Cell grey = MakeCell(128, 128, 128);
  Cell onOk = 0;
  const Cell cancelled = Pick(grey, [&](QDialog& d) {
    QWidget* wheel = d.findChild<QWidget*>("colourWheel");
    const QPoint centre = wheel->property("wheelCentre").toPoint();
    // On the rim straight up: hue 90 at full saturation. (Past the rim: the colour space test.)
    QTest::mouseClick(wheel, Qt::LeftButton, {}, centre + QPoint(0, -100));
    onOk =
        MakeCell(Field(d, "Red")->value(), Field(d, "Green")->value(), Field(d, "Blue")->value());
    Press(d, "Cancel");
  });
  EXPECT_EQ(onOk, HsbToRgb({90, 255, 128}));
  EXPECT_EQ(cancelled, grey);
}

TEST(ColourButton, CtrlDragCarriesTheColourToAnotherButtonAndOtherDataIsRefused) {
  TestApp();
  QWidget window;
  auto* from = new GUIcolorButton(&window);
  auto* to = new GUIcolorButton(&window);
  from->move(0, 0);
  to->move(40, 0);
  from->SetColour(MakeCell(1, 2, 3));
  window.show();
  QSignalSpy changed(to, &GUIcolorButton::colourChanged);

  // Ctrl held while the pressed pointer moves: a drag, never the picker.
  bool pickerOpened = false;
  QTimer::singleShot(0, [&] {
    if (QWidget* modal = QApplication::activeModalWidget()) {
      pickerOpened = true;
      modal->close();
    }
  });
  const QPoint press(5, 5), moved(25, 5);
  QTest::mousePress(from, Qt::LeftButton, Qt::ControlModifier, press);
  QMouseEvent move(QEvent::MouseMove, QPointF(moved), QPointF(from->mapToGlobal(moved)),
                   Qt::NoButton, Qt::LeftButton, Qt::ControlModifier);
  QApplication::sendEvent(from, &move);
  // The platform here delivers no drop; the drag object lives until the event loop runs.
  const auto* drag = from->findChild<QDrag*>();
  ASSERT_NE(drag, nullptr);
  QMimeData carried;
  for (const QString& format : drag->mimeData()->formats())
    carried.setData(format, drag->mimeData()->data(format));
  QTest::mouseRelease(from, Qt::LeftButton, Qt::ControlModifier, moved);
  QApplication::processEvents();
  EXPECT_FALSE(pickerOpened);

  // As the platform delivers a drop: the target accepts the entering drag, then takes the drop.
  QDragEnterEvent arrive(QPoint(5, 5), Qt::CopyAction, &carried, Qt::LeftButton, {});
  QApplication::sendEvent(to, &arrive);
  EXPECT_TRUE(arrive.isAccepted());
  QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &carried, Qt::LeftButton, {});
  QApplication::sendEvent(to, &drop);
  EXPECT_EQ(to->Colour(), MakeCell(1, 2, 3));
  EXPECT_EQ(changed.count(), 1);

  QMimeData text;
  text.setText("0x010203");
  QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &text, Qt::LeftButton, {});
  QApplication::sendEvent(from, &enter);
  EXPECT_FALSE(enter.isAccepted());
}

TEST(Slider, ClampsEmitsAndRewritesItsText) {
  TestApp();
  SliderRow row("quantize", 0, 4, 0, [](double v) { return "1/" + std::to_string(16 >> int(v)); });
  GUIslider* slider = row.Slider();
  row.resize(200, 20);
  QSignalSpy spy(&row, &SliderRow::valueChanged);
  row.SetValue(9.5);
  EXPECT_EQ(row.Value(), 4);
  EXPECT_EQ(row.ValueText(), "1/1");
  row.SetValue(4);  // unchanged still tells
  EXPECT_EQ(spy.count(), 2);

  // A press at the bar's left end, then the keys and the wheel.
  QTest::mouseClick(slider, Qt::LeftButton, {}, QPoint(0, slider->height() / 2));
  EXPECT_EQ(row.Value(), 0);
  EXPECT_EQ(row.ValueText(), "1/16");
  slider->SetPageStep(3);
  QTest::keyClick(slider, Qt::Key_PageUp);
  EXPECT_EQ(row.Value(), 3);
  QWheelEvent notch(QPointF(5, 5), QPointF(slider->mapToGlobal(QPoint(5, 5))), QPoint(),
                    QPoint(0, 2 * 120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(slider, &notch);
  EXPECT_EQ(row.Value(), 4);
  EXPECT_EQ(row.ValueText(), "1/1");
  EXPECT_EQ(spy.count(), 5);
}

TEST(PictureButton, AWindowsOwnPictureSitsInTheFaceAndSinksWhenPressed) {
  TestApp();
  QPixmap picture(10, 10);
  picture.fill(Qt::red);
  PictureButton button("MinKey", picture, "MinKey", 2);
  EXPECT_EQ(button.size(), QSize(14, 14));
  EXPECT_EQ(button.grab().toImage().pixel(2, 2), qRgb(255, 0, 0));
  button.setDown(true);
  const QImage pressed = button.grab().toImage();
  EXPECT_NE(pressed.pixel(2, 2), qRgb(255, 0, 0));
  EXPECT_EQ(pressed.pixel(12, 12), qRgb(255, 0, 0));
}

}  // namespace
}  // namespace tond::test
