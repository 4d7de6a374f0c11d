// The main window as a user drives it: strokes, keys, the wheel, dropped files, the colour
// swatches, closing with unsaved changes, and what its pattern area shows.
#include "app/qt/MainWindow.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QMimeData>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QUrl>
#include <memory>

#include "app/qt/QtPlatform.h"
#include "model/Project.h"
#include "model/UndoSystem.h"
#include "support/QtApp.h"
#include "support/SessionFixture.h"
#include "support/TestFiles.h"
#include "widgets/qt/GUIcolorButton.h"
#include "widgets/qt/PictureButton.h"
#include "widgets/qt/SliderRow.h"

namespace tond::test {
namespace {

using Texts = std::vector<std::string>;

struct MainWindowTest : SessionFixture, ::testing::Test {
  explicit MainWindowTest(CellGeometry geometry = CellGeometry(13, 11)) {
    TestApp();
    settings.midiInPort = 254;  // no machine has that many: the port never opens
    session.SetGeometry(geometry);
    window = std::make_unique<CTondDlg>(session, settings, nullptr);
    window->show();
    window->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(window.get()));
  }

  const Project& P() const { return session.GetProject(); }
  QPoint At(int x, int y) const {
    const PixelRect r = session.Geometry().CellPixels(x, y);
    return {r.left + 2, r.top + 2};
  }
  void Move(QPoint p, Qt::MouseButtons held) {
    QMouseEvent move(QEvent::MouseMove, QPointF(p), QPointF(window->mapToGlobal(p)), Qt::NoButton,
                     held, {});
    QApplication::sendEvent(window.get(), &move);
  }
  void Stroke(std::initializer_list<QPoint> points, Qt::MouseButton button = Qt::LeftButton) {
    QTest::mousePress(window.get(), button, {}, *points.begin());
    for (const QPoint& p : points) Move(p, button);
    if (button == Qt::LeftButton)
      QTest::mouseRelease(window.get(), button, {}, *(points.end() - 1));
  }
  void Key(Qt::Key key, Qt::KeyboardModifiers mods = {}) {
    QTest::keyClick(window.get(), key, mods);
  }
  PictureButton* Button(const char* name) const {
    for (PictureButton* b : window->findChildren<PictureButton*>())
      if (b->Name() == name) return b;
    ADD_FAILURE() << "no button " << name;
    return nullptr;
  }
  void Drop(const std::vector<std::string>& files) {
    QMimeData data;
    QList<QUrl> urls;
    for (const std::string& f : files) urls << QUrl::fromLocalFile(QString::fromStdString(f));
    data.setUrls(urls);
    QDragEnterEvent enter(QPoint(50, 50), Qt::CopyAction, &data, Qt::LeftButton, {});
    QApplication::sendEvent(window.get(), &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(50, 50), Qt::CopyAction, &data, Qt::LeftButton, {});
    QApplication::sendEvent(window.get(), &drop);
    QApplication::processEvents();
  }
  TempDir dir;
  std::unique_ptr<CTondDlg> window;
};

TEST_F(MainWindowTest, PencilStrokesAndRightButtonErasingLandInTheGridAndPushOnce) {
  const Cell pencil = session.Tools().pencilColour;
  const int pushes = session.History().Count();
  Stroke({At(1, 1), At(2, 1), At(3, 1)});
  for (int x = 1; x <= 3; ++x) EXPECT_EQ(P().GetCell(x, 1), pencil) << x;
  EXPECT_EQ(session.History().Count(), pushes + 1);

  // The right button erases as it moves; what it erased is pushed at the next left release.
  Stroke({At(2, 1), At(3, 1)}, Qt::RightButton);
  EXPECT_EQ(P().GetCell(2, 1), 0u);
  EXPECT_EQ(P().GetCell(3, 1), 0u);
  EXPECT_EQ(session.History().Count(), pushes + 1);
  Stroke({At(9, 9)});
  EXPECT_EQ(session.History().Count(), pushes + 2);
}

TEST_F(MainWindowTest, KeysActAsTheTableSaysAndNeverCloseTheWindow) {
  Stroke({At(4, 4)});
  const Cell painted = P().GetCell(4, 4);
  Key(Qt::Key_0, Qt::KeypadModifier);
  EXPECT_EQ(P().Current(), 0);
  Key(Qt::Key_R, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(P().GetCell(4, 4), painted - 10);
  Key(Qt::Key_3, Qt::ControlModifier | Qt::KeypadModifier);
  EXPECT_EQ(P().Current(), 12);

  // A floating paste: Escape drops it, the selector comes back.
  Key(Qt::Key_1, Qt::KeypadModifier);
  Key(Qt::Key_F6);
  EXPECT_TRUE(Button("Selector")->isChecked());
  Stroke({At(3, 3), At(5, 5)});
  QTest::mouseClick(Button("Copy"), Qt::LeftButton);
  QTest::mouseClick(Button("Paste"), Qt::LeftButton);
  ASSERT_TRUE(session.Edit().pastePending);
  EXPECT_FALSE(Button("Selector")->isChecked());
  Key(Qt::Key_Escape);
  EXPECT_FALSE(session.Edit().pastePending);
  EXPECT_TRUE(Button("Selector")->isChecked());
  Key(Qt::Key_Return);
  Key(Qt::Key_F1);
  EXPECT_TRUE(Button("Pencil")->isChecked());
  Key(Qt::Key_Space);
  EXPECT_TRUE(Button("Play")->isChecked());
  EXPECT_TRUE(window->isVisible());
}

TEST_F(MainWindowTest, AMidiPortThatDoesNotOpenIsSaidOnceAndTheWindowGoesOn) {
  QApplication::processEvents();
  EXPECT_EQ(platform.errors, Texts{"Error: Unable to open MIDI IN default port"});
  EXPECT_TRUE(window->isVisible());
}

TEST_F(MainWindowTest, TheWheelSetsTheTempoFromThePatternsStoredTempo) {
  auto* tempo = window->findChildren<SliderRow*>().front();
  for (SliderRow* row : window->findChildren<SliderRow*>())
    if (row->Slider()->Maximum() == 350) tempo = row;
  tempo->SetValue(300);
  EXPECT_EQ(session.Tempo(), 300);
  QWheelEvent notch(QPointF(50, 50), QPointF(window->mapToGlobal(QPoint(50, 50))), QPoint(),
                    QPoint(0, -120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(window.get(), &notch);
  EXPECT_EQ(tempo->Value(), 121);
  EXPECT_EQ(tempo->ValueText(), "121");
}

TEST_F(MainWindowTest, DroppedFilesLoadByTheFirstOnesExactExtension) {
  Stroke({At(7, 7)});
  ASSERT_TRUE(session.SavePatternFile(dir.File("one.pat")));
  ASSERT_TRUE(session.SaveProjectFile(dir.File("song.blp")));
  settings.confirmationMessages = false;
  session.Press(Command::kClear);
  window->Apply(session.Press(Command::kUndo));

  Drop({dir.File("song.BLP")});
  EXPECT_EQ(platform.messages, Texts{kDropRefused});
  session.Press(Command::kClear);
  Drop({dir.File("one.pat"), dir.File("song.BLP"), dir.File("x.kit")});
  EXPECT_NE(P().GetCell(7, 7), 0u);
  EXPECT_EQ(platform.messages.size(), 1u);
}

TEST_F(MainWindowTest, ClosingWithUnsavedChangesAsksAndCancelKeepsTheWindow) {
  Stroke({At(2, 2)});
  platform.saveAnswers = {SaveAnswer::kCancel, SaveAnswer::kDiscard};
  window->close();
  EXPECT_TRUE(window->isVisible());
  window->close();
  EXPECT_FALSE(window->isVisible());
  EXPECT_EQ(platform.questions, Texts(2, kUnsavedQuestion));
}

TEST_F(MainWindowTest, ASwatchOpensThePickerAndCancelKeepsTheColour) {
  const Cell before = session.Tools().pencilColour;
  GUIcolorButton* swatch = nullptr;
  for (GUIcolorButton* b : window->findChildren<GUIcolorButton*>())
    if (b->Colour() == before) swatch = b;
  ASSERT_NE(swatch, nullptr);
  InModal([](QDialog& picker) {
    for (QPushButton* b : picker.findChildren<QPushButton*>())
      if (b->text() == "Cancel") QTest::mouseClick(b, Qt::LeftButton);
  });
  QTest::mouseClick(swatch, Qt::LeftButton);
  EXPECT_EQ(session.Tools().pencilColour, before);
  EXPECT_EQ(swatch->Colour(), before);
}

TEST_F(MainWindowTest, ThePatternsWindowSwitchesByKeysAndByThePointer) {
  Stroke({At(1, 1)});
  InModal([](QDialog& d) {
    QTest::keyClick(&d, Qt::Key_Left);  // 0 -> 3, wrapping in its row
    QTest::keyClick(&d, Qt::Key_Return);
  });
  Key(Qt::Key_P);
  EXPECT_EQ(P().Current(), 3);
  EXPECT_NE(P().StoredPattern(0)[CellIndex(1, 1)], 0u) << "the edit went into its slot first";

  InModal([](QDialog& d) {
    // Straight to the window: the platform here would hand a move to the window below it.
    const QPoint middleOf1(20 + 148 + 64, 20 + 64);
    QMouseEvent move(QEvent::MouseMove, QPointF(middleOf1), QPointF(d.mapToGlobal(middleOf1)),
                     Qt::NoButton, {}, {});
    QApplication::sendEvent(&d, &move);
    QTest::mouseClick(&d, Qt::LeftButton, {}, middleOf1);
  });
  QTest::mouseClick(Button("Patterns"), Qt::LeftButton);
  EXPECT_EQ(P().Current(), 1);
}

TEST_F(MainWindowTest, TheCellColourEditorOpensOnCtrlPressAndEscapeKeepsTheCell) {
  Stroke({At(6, 2)});
  const Cell painted = P().GetCell(6, 2);
  const int pushes = session.History().Count();
  InModal([](QDialog& d) { QTest::keyClick(&d, Qt::Key_Escape); });
  QTest::mousePress(window.get(), Qt::LeftButton, Qt::ControlModifier, At(6, 2));
  QTest::mouseRelease(window.get(), Qt::LeftButton, Qt::ControlModifier, At(6, 2));
  EXPECT_EQ(P().GetCell(6, 2), painted);
  EXPECT_EQ(session.History().Count(), pushes);
}

TEST(QtFilter, ListsEachEntryWithItsPatternsInBothCases) {
  EXPECT_EQ(QtFilter("Tond files (*.blp)|*.blp|All files (*.*)|*.*|"),
            "Tond files (*.blp *.BLP);;All files (*)");
  EXPECT_EQ(QtFilter("GIF files [*.gif]|*.gif|Windows BMP files [.bmp]|*.bmp|"),
            "GIF files (*.gif *.GIF);;Windows BMP files (*.bmp *.BMP)");
}

// The pattern area as it shows on screen, with both cell sizes.
struct SmallCells : MainWindowTest {
  SmallCells() : MainWindowTest(CellGeometry(12, 10)) {}
};

void ExpectCellsDrawn(MainWindowTest& t, int width) {
  const CellGeometry& g = t.session.Geometry();
  t.Stroke({t.At(2, 3)});
  QTest::mouseClick(t.Button("Grid"), Qt::LeftButton);
  const QImage shot = t.window->grab().toImage();
  EXPECT_EQ(shot.width(), width);
  EXPECT_EQ(shot.height(), g.PatternArea().bottom + 90);
  const PixelRect cell = g.CellPixels(2, 3);
  const QRgb pencil = CellRgb(t.session.Tools().pencilColour);
  EXPECT_EQ(shot.pixel(cell.left, cell.top), pencil);
  EXPECT_EQ(shot.pixel(cell.right - 1, cell.bottom - 1), pencil);
  // Column line 3 and row line 3; row line 4 and column line 4 mark beats.
  EXPECT_EQ(shot.pixel(cell.right, cell.top), kColumnLine);
  EXPECT_EQ(shot.pixel(cell.left, cell.top - 1), kRowLine);
  EXPECT_EQ(shot.pixel(cell.left, cell.bottom), kBeatLine);
  EXPECT_EQ(shot.pixel(g.GridLineX(4), cell.top), kBeatLine);
  EXPECT_EQ(shot.pixel(cell.right + 1, cell.top), 0xFF000000u);  // the empty cell next to it
}

TEST_F(MainWindowTest, CellsAndLinesShowAtTheirPixels) {
  ExpectCellsDrawn(*this, 1065);
}

TEST_F(SmallCells, CellsAndLinesShowAtTheirPixels) {
  ExpectCellsDrawn(*this, 1001);
}

}  // namespace
}  // namespace tond::test
