// The tool windows as a user reaches them from the main window: its buttons and keys open them,
// their controls work live on the pattern, Ok keeps the result once and any other close
// leaves no trace.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <filesystem>
#include <functional>
#include <memory>

#include "app/qt/MainWindow.h"
#include "edit/ColourCurves.h"
#include "files/PatternFile.h"
#include "model/Project.h"
#include "model/UndoSystem.h"
#include "support/QtApp.h"
#include "support/SessionFixture.h"
#include "support/TestFiles.h"
#include "widgets/qt/GUIcolorButton.h"
#include "widgets/qt/GUIslider.h"
#include "widgets/qt/PictureButton.h"
#include "widgets/qt/SliderRow.h"

namespace tond::test {
namespace {

namespace fs = std::filesystem;

struct ToolWindowsTest : SessionFixture, ::testing::Test {
  ToolWindowsTest() {
    TestApp();
    session.SetGeometry(CellGeometry(13, 11));
    window = std::make_unique<CTondDlg>(session, settings, nullptr);
    window->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    Fill({kRandomReplace, kRandomGradient, 0x000000, 0x0000FF, 25, 0});
    pushes = session.History().Count();
  }

  const Project& P() const { return session.GetProject(); }
  void Fill(const RandomSettings& settings) { window->Apply(session.AcceptRandomFill(settings)); }
  void Click(const char* button) {
    QTest::mouseClick(window->findChild<PictureButton*>(button), Qt::LeftButton);
  }
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
  static void Press(QDialog& d, const QString& text) {
    for (QPushButton* b : d.findChildren<QPushButton*>())
      if (b->text() == text) QTest::mouseClick(b, Qt::LeftButton);
  }
  static void ClickOk(QDialog& d) { Press(d, "Ok"); }

  std::unique_ptr<CTondDlg> window;
  int pushes = 0;
};

TEST_F(ToolWindowsTest, MutateScalesOneJitterAndCancelLeavesNoTraceEvenAfterAProgramChange) {
  const Pattern before = P().working.Snapshot();
  On(
      "Mutate colors",
      [&](QDialog& d) {
        const Pattern opened = P().working.Snapshot();
        EXPECT_NE(opened, before);
        EXPECT_EQ(Row(d, "red")->ValueText(), "10 %");
        Row(d, "red")->SetValue(50);
        EXPECT_FALSE(P().working == opened);
        Row(d, "red")->SetValue(10);
        EXPECT_TRUE(P().working == opened);
        QTest::keyClick(&d, Qt::Key_Escape);
      },
      [&] { Click("Mutate"); });
  EXPECT_TRUE(P().working == before);
  EXPECT_EQ(session.History().Count(), pushes);

  // A program change that arrives meanwhile waits for the window: the cancel restores this
  // pattern, then the switch happens.
  On(
      "Mutate colors",
      [&](QDialog& d) {
        const Pattern opened = P().working.Snapshot();
        Press(d, "New Mutation");
        EXPECT_FALSE(P().working == opened);
        window->Apply(session.SelectPattern(3));
        EXPECT_EQ(P().Current(), 0);
      },
      [&] { Click("Mutate"); });
  EXPECT_EQ(P().Current(), 3);
  EXPECT_EQ(P().StoredPattern(0), before);
}

TEST_F(ToolWindowsTest, CurvesAndOffsetRecolourLiveOkPushesOnceAndCancelRestores) {
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
        QTest::keyClick(&d, Qt::Key_Escape);
      },
      [&] { Click("Map"); });
  EXPECT_TRUE(P().working == before);
  EXPECT_EQ(session.History().Count(), pushes);
  On("Color curves", ClickOk, [&] { Click("Map"); });
  EXPECT_TRUE(P().working == before);
  EXPECT_EQ(session.History().Count(), pushes + 1);

  On(
      "Offset colors",
      [&](QDialog& d) {
        EXPECT_EQ(Row(d, "red")->ValueText(), "0");
        Row(d, "red")->SetValue(0);
        EXPECT_EQ(Row(d, "red")->ValueText(), "-100");
        d.close();
      },
      [&] { Click("Colors"); });
  EXPECT_TRUE(P().working == before);
  On(
      "Offset colors",
      [&](QDialog& d) {
        Row(d, "blue")->SetValue(200);
        EXPECT_EQ(Row(d, "blue")->ValueText(), "+100");
        ClickOk(d);
      },
      [&] { Click("Colors"); });
  EXPECT_EQ(session.History().Count(), pushes + 2);
  for (int i = 0; i < kCells; ++i)
    EXPECT_EQ(P().working.Get(i), before[i] ? before[i] | 0x640000 : 0) << i;
}

TEST_F(ToolWindowsTest, RandomStartsFromTheStoredSettingsAndOnlyOkPaints) {
  const Pattern before = P().working.Snapshot();
  On(
      "Random", [](QDialog& d) { QTest::keyClick(&d, Qt::Key_Escape); },
      [&] { QTest::keyClick(window.get(), Qt::Key_D); });
  EXPECT_TRUE(P().working == before);
  EXPECT_EQ(session.History().Count(), pushes);

  On(
      "Random",
      [&](QDialog& d) {
        const QList<QComboBox*> lists = d.findChildren<QComboBox*>();
        ASSERT_EQ(lists.size(), 2);
        EXPECT_EQ(lists[0]->currentText(), "replace");
        EXPECT_EQ(lists[1]->currentText(), "gradient");
        auto* second = d.findChild<GUIcolorButton*>("Color2");
        EXPECT_TRUE(second->isVisible());
        lists[1]->setCurrentIndex(0);
        EXPECT_FALSE(second->isVisible());
        lists[1]->setCurrentIndex(1);
        const QList<SliderRow*> rows = d.findChildren<SliderRow*>();
        EXPECT_EQ(rows[0]->ValueText(), "0 %");
        EXPECT_EQ(rows[1]->ValueText(), "25 %");
        ClickOk(d);
      },
      [&] { QTest::keyClick(window.get(), Qt::Key_D); });
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

TEST_F(ToolWindowsTest, FiltersShowTheShippedExamplesListWhatCannotBeReadAndApplyToOneChannel) {
  TempDir dir;
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
        EXPECT_EQ(d.frameGeometry().size(), QSize(469, 417));
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
      [&] { QTest::keyClick(window.get(), Qt::Key_F); });
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
