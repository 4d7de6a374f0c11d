// The main window as a user drives it: strokes, keys, the wheel, dropped files, the colour
// swatches, closing with unsaved changes and what its pattern area shows; and the tool windows it
// opens, whose controls work live on the pattern: Ok keeps the result once, any other close
// leaves no trace.
#include "app/qt/MainWindow.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QSpinBox>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <filesystem>
#include <functional>
#include <memory>

#include "app/qt/QtPlatform.h"
#include "edit/ColourCurves.h"
#include "engine/Engine.h"
#include "files/PatternFile.h"
#include "model/Project.h"
#include "model/UndoSystem.h"
#include "overview/PatternsLayout.h"
#include "support/QtApp.h"
#include "support/SessionFixture.h"
#include "support/TestFiles.h"
#include "widgets/qt/GUIcolorButton.h"
#include "widgets/qt/GUIslider.h"
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
  void Drop(const std::vector<std::string>& files) { EXPECT_TRUE(DropFiles(window.get(), files)); }
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
  Key(Qt::Key_R, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(P().GetCell(4, 4), painted - 10);
  Key(Qt::Key_3, Qt::ControlModifier | Qt::KeypadModifier);
  EXPECT_EQ(P().Current(), 12);

  // A floating paste: Escape drops it, the selector comes back.
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
  // With the selector, Escape empties the selection.
  Stroke({At(3, 3), At(5, 5)});
  Key(Qt::Key_Escape);
  EXPECT_TRUE(session.Edit().selection.Empty());
  Key(Qt::Key_Return);
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

TEST_F(MainWindowTest, ThePlayMarkerShowsTheColumnPlayedAndGoesWhenPlaybackStops) {
  Key(Qt::Key_Space);
  std::vector<float> buffer(2 * 3 * 5512);
  session.GetEngine().Process(3 * 5512, buffer.data());  // three steps, as the stream plays them
  const int column = session.GetEngine().PlayColumn();
  ASSERT_GT(column, 0);
  const QPoint marker(session.Geometry().CellPixels(column, 0).left, 6);
  const auto shown = [&] { return window->grab().toImage().pixel(marker); };
  EXPECT_TRUE(QTest::qWaitFor([&] { return shown() == kMarkerColour; }));
  Key(Qt::Key_Space);
  EXPECT_TRUE(QTest::qWaitFor([&] { return shown() == kCanvasBackground; }));
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

TEST_F(MainWindowTest, ASwatchOpensThePickerAndThePencilTakesItsColour) {
  const Cell before = session.Tools().pencilColour;
  GUIcolorButton* swatch = nullptr;
  for (GUIcolorButton* b : window->findChildren<GUIcolorButton*>())
    if (b->isVisible() && b->Colour() == before) swatch = b;
  ASSERT_NE(swatch, nullptr);
  InModal([](QDialog& picker) {
    picker.findChild<QSpinBox*>("Red")->setValue(7);
    Press(picker, "OK");
  });
  QTest::mouseClick(swatch, Qt::LeftButton);
  EXPECT_EQ(session.Tools().pencilColour, MakeCell(7, Green(before), Blue(before)));
}

TEST_F(MainWindowTest, ThePatternsWindowSwitchesByKeysAndByThePointer) {
  Stroke({At(1, 1)});
  QColor shown;
  InModal([&](QDialog& d) {
    // The edit went into its slot first: the thumbnail shows it, two pixels a side.
    const patterns_layout::Point at = ThumbnailOrigin(0);
    shown = d.grab().toImage().pixelColor(at.x + 2 * 1 + 1, at.y + 2 * 1 + 1);
    QTest::keyClick(&d, Qt::Key_Up);    // 0 -> 12, wrapping in its column
    QTest::keyClick(&d, Qt::Key_Left);  // 12 -> 15, wrapping in its row
    QTest::keyClick(&d, Qt::Key_Down);  // 15 -> 3
    QTest::keyClick(&d, Qt::Key_Return);
  });
  Key(Qt::Key_P);
  EXPECT_EQ(P().Current(), 3);
  EXPECT_EQ(shown.rgb(), CellRgb(session.Tools().pencilColour));
  InModal([](QDialog& d) {
    QTest::keyClick(&d, Qt::Key_Right);
    QTest::keyClick(&d, Qt::Key_Escape);
  });
  Key(Qt::Key_P);
  EXPECT_EQ(P().Current(), 3);

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

TEST_F(MainWindowTest, TheCellColourEditorOpensOnCtrlPressAndTheCellTakesItsColour) {
  Stroke({At(6, 2)});
  const Cell painted = P().GetCell(6, 2);
  const int pushes = session.History().Count();
  InModal([](QDialog& d) {
    QTest::keyClick(d.findChild<SliderRow*>("Green")->Slider(), Qt::Key_PageUp);  // +10
    QTest::keyClick(&d, Qt::Key_Escape);
  });
  QTest::mousePress(window.get(), Qt::LeftButton, Qt::ControlModifier, At(6, 2));
  QTest::mouseRelease(window.get(), Qt::LeftButton, Qt::ControlModifier, At(6, 2));
  EXPECT_EQ(P().GetCell(6, 2), MakeCell(Red(painted), Green(painted) + 10, Blue(painted)));
  EXPECT_EQ(session.History().Count(), pushes + 1);
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

void ExpectCellsDrawn(MainWindowTest& t) {
  const CellGeometry& g = t.session.Geometry();
  t.Stroke({t.At(2, 3)});
  QTest::mouseClick(t.Button("Grid"), Qt::LeftButton);
  const QImage shot = t.window->grab().toImage();
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
  ExpectCellsDrawn(*this);
}

TEST_F(SmallCells, CellsAndLinesShowAtTheirPixels) {
  ExpectCellsDrawn(*this);
}

// --- Tool windows -----------------------------------------------------------------------------

// Every fourth cell a note of red, as one undo state; the random settings as the session
// starts.
struct ToolWindows : MainWindowTest {
  ToolWindows() {
    Pattern cells{};
    for (int i = 0; i < kCells; i += 4) cells[i] = MakeCell(1 + i % 255, 0, 0);
    window->Apply(Picture(cells));
    pushes = session.History().Count();
  }
  void Fill(const RandomSettings& settings) { window->Apply(session.AcceptRandomFill(settings)); }
  // `open` shows the window titled `title`; `steps` use it, and close it unless they did.
  void On(const char* title, const std::function<void(QDialog&)>& steps,
          const std::function<void()>& open) {
    bool shown = false;
    QTimer::singleShot(0, [&] {
      auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
      if (dialog == nullptr) return;
      shown = true;
      EXPECT_EQ(dialog->windowTitle(), title);
      steps(*dialog);
      if (dialog->isVisible()) dialog->close();
    });
    open();
    EXPECT_TRUE(shown) << title;
  }
  static SliderRow* Row(QDialog& d, const char* name) { return d.findChild<SliderRow*>(name); }
  static void ClickOk(QDialog& d) { Press(d, "Ok"); }
  int pushes = 0;
};

TEST_F(ToolWindows, EachOpensMovesAndCancelsWithoutATraceAndAnUntouchedOkPushesOnce) {
  const Pattern before = P().working.Snapshot();
  const std::pair<const char*, std::function<void()>> windows[] = {
      {"Mutate colors", [&] { QTest::mouseClick(Button("Mutate"), Qt::LeftButton); }},
      {"Color curves", [&] { QTest::mouseClick(Button("Map"), Qt::LeftButton); }},
      {"Offset colors", [&] { QTest::mouseClick(Button("Colors"), Qt::LeftButton); }},
      {"Random", [&] { Key(Qt::Key_D); }},
      {"Filters...", [&] { Key(Qt::Key_F); }},
      {"Kit Editor", [&] { QTest::mouseClick(Button("Kits"), Qt::LeftButton); }},
      {"Settings", [&] { QTest::mouseClick(Button("Settings"), Qt::LeftButton); }},
      {"About Tond", [&] { QTest::mouseClick(Button("About"), Qt::LeftButton); }}};
  for (const auto& [title, open] : windows) {
    On(
        title,
        [](QDialog& d) {
          d.move(d.pos() + QPoint(40, 30));
          QTest::keyClick(&d, Qt::Key_Escape);
        },
        open);
    EXPECT_TRUE(P().working == before) << title;
    EXPECT_EQ(session.History().Count(), pushes) << title;
  }
  // The live edits: Ok keeps what the window shows, once; Mutate opens at 10 %.
  for (int w = 0; w < 3; ++w) {
    const Pattern shown = P().working.Snapshot();
    On(windows[w].first, ClickOk, windows[w].second);
    EXPECT_EQ(session.History().Count(), ++pushes) << windows[w].first;
    EXPECT_EQ(P().working == shown, w != 0) << windows[w].first;
  }
}

TEST_F(ToolWindows, MutateScalesOneJitterAndAProgramChangeWaitsForItsClose) {
  const Pattern before = P().working.Snapshot();
  On(
      "Mutate colors",
      [&](QDialog& d) {
        const Pattern opened = P().working.Snapshot();
        EXPECT_EQ(Row(d, "red")->ValueText(), "10 %");
        Row(d, "red")->SetValue(50);
        EXPECT_FALSE(P().working == opened);
        Row(d, "red")->SetValue(10);
        EXPECT_TRUE(P().working == opened);
        Press(d, "New Mutation");
        EXPECT_FALSE(P().working == opened);
        // A program change that arrives meanwhile waits: the cancel restores this pattern, then
        // the switch happens.
        window->Apply(session.SelectPattern(3));
        EXPECT_EQ(P().Current(), 0);
      },
      [&] { QTest::mouseClick(Button("Mutate"), Qt::LeftButton); });
  EXPECT_EQ(P().Current(), 3);
  EXPECT_EQ(P().StoredPattern(0), before);
}

TEST_F(ToolWindows, CurvesAndOffsetControlsRecolourLive) {
  const Pattern before = P().working.Snapshot();
  const int note = static_cast<int>(
      std::find_if(before.begin(), before.end(), [](Cell c) { return c > 1; }) - before.begin());
  On(
      "Color curves",
      [&](QDialog& d) {
        QTest::mouseClick(d.findChild<QAbstractButton*>("red inv"), Qt::LeftButton);
        EXPECT_EQ(Red(P().working.Get(note)), CurveChannelValue(Red(before[note]), 1.0f, true));
        Row(d, "green")->SetValue(100);
        EXPECT_EQ(Row(d, "green")->ValueText(), "+50");
      },
      [&] { QTest::mouseClick(Button("Map"), Qt::LeftButton); });
  On(
      "Offset colors",
      [&](QDialog& d) {
        Row(d, "blue")->SetValue(200);
        EXPECT_EQ(Row(d, "blue")->ValueText(), "+100");
        ClickOk(d);
      },
      [&] { QTest::mouseClick(Button("Colors"), Qt::LeftButton); });
  for (int i = 0; i < kCells; ++i)
    EXPECT_EQ(P().working.Get(i), before[i] ? before[i] | 0x640000 : 0) << i;
}

TEST_F(ToolWindows, RandomStartsFromTheInitialSettingsAndOkPaints) {
  const Pattern before = P().working.Snapshot();
  On(
      "Random",
      [&](QDialog& d) {
        const QList<QComboBox*> lists = d.findChildren<QComboBox*>();
        EXPECT_EQ(lists[0]->currentText(), "replace");
        EXPECT_EQ(lists[1]->currentText(), "gradient");
        // A single colour needs no second one.
        auto* second = d.findChild<GUIcolorButton*>("Color2");
        EXPECT_TRUE(second->isVisible());
        lists[1]->setCurrentIndex(0);
        EXPECT_FALSE(second->isVisible());
        lists[1]->setCurrentIndex(1);
        ClickOk(d);
      },
      [&] { Key(Qt::Key_D); });
  EXPECT_EQ(session.History().Count(), pushes + 1);
  EXPECT_FALSE(P().working == before);
  int notes = 0;
  for (int i = 0; i < kCells; ++i) {
    const Cell c = P().working.Get(i);
    notes += c != 0;
    EXPECT_EQ(c & 0xFFFF00u, 0u) << i;
  }
  EXPECT_LE(notes, 1024);
  EXPECT_GT(notes, 1000);
}

TEST_F(ToolWindows, FiltersShowTheShippedExamplesListWhatCannotBeReadAndApplyToOneChannel) {
  namespace fs = std::filesystem;
  const fs::path shipped = fs::path(std::getenv("TOND_BINARY")).parent_path() / "Filters";
  fs::copy(shipped, dir.Path());
  WriteText(dir.File("broken.pat"), "JUNK and more");
  WriteText(dir.File("noise.jpg"), "not a picture");
  folders.filters = dir.Path().string();
  Fill({kRandomReplace, kRandomSingleColour, 0xFFFFFF, 0, 100, 0});
  pushes = session.History().Count();

  On(
      "Filters...",
      [&](QDialog& d) {
        ASSERT_TRUE(QTest::qWaitFor([&] { return platform.busyDepth == 0; }));
        QLabel* status = nullptr;
        for (QLabel* l : d.findChildren<QLabel*>())
          if (l->text().startsWith("Not read")) status = l;
        ASSERT_NE(status, nullptr);
        EXPECT_EQ(status->text(), "Not read: broken.pat");
        EXPECT_EQ(status->toolTip().toStdString(),
                  FormatMessage(kPatternMagicError, dir.File("broken.pat")));
        // Five examples in the first row; the second row's squares stand empty.
        const QImage shot = d.grab().toImage();
        EXPECT_NE(shot.pixel(20 + 4 * 84 + 32, 20 + 32), shot.pixel(5, 5));
        EXPECT_EQ(shot.pixel(20, 20 + 84), qRgb(100, 100, 100));

        d.findChild<QComboBox*>()->setCurrentIndex(1);  // pan (green)
        d.findChild<GUIslider*>("level")->SetValue(100);
        QTest::mouseDClick(&d, Qt::LeftButton, {}, QPoint(20 + 84 + 10, 30));
        EXPECT_FALSE(d.isVisible());
      },
      [&] { Key(Qt::Key_F); });
  EXPECT_TRUE(platform.messages.empty());
  EXPECT_EQ(session.History().Count(), pushes + 1);
  int darker = 0;
  for (int i = 0; i < kCells; ++i) {
    const Cell c = P().working.Get(i);
    EXPECT_EQ(c & 0xFF00FFu, 0xFF00FFu) << i;
    darker += Green(c) != 255;
  }
  EXPECT_GT(darker, 0);
}

}  // namespace
}  // namespace tond::test
