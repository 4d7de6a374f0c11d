// The key window and the "Scale and range" window as a user drives them.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QScrollBar>
#include <QTest>

#include "scales/ScaleTable.h"
#include "scales/qt/ScaleDlg.h"
#include "scales/qt/SelectKeyDlg.h"
#include "support/QtApp.h"

namespace tond {
namespace {

struct ScaleWindows : ::testing::Test {
  ScaleWindows() { test::TestApp(); }
};

TEST_F(ScaleWindows, KeyWindowTitleScrollAndHits) {
  CSelectKeyDlg keys;
  keys.show();  // pointer movements reach only a window on screen
  EXPECT_EQ(keys.windowTitle(), "Select a key: 60");
  QTest::mouseMove(&keys, QPoint(10 + 5, 80));  // white key C-2
  EXPECT_EQ(keys.windowTitle(), "Select a key: C-2");
  QTest::mouseMove(&keys, QPoint(200, 15));  // the band: the title stays
  EXPECT_EQ(keys.windowTitle(), "Select a key: C-2");

  // A step or a page left at key 0 leaves the keyboard; a page right moves one key.
  keys.ScrollBar()->triggerAction(QAbstractSlider::SliderPageStepSub);
  keys.ScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepSub);
  EXPECT_EQ(keys.FirstKey(), 0);
  keys.ScrollBar()->triggerAction(QAbstractSlider::SliderPageStepAdd);
  EXPECT_EQ(keys.FirstKey(), 1);
  keys.ScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepSub);

  // x = 10 and the band select nothing; 13 to 26 pixels in the upper part is C#.
  QTest::mouseClick(&keys, Qt::LeftButton, {}, QPoint(10, 40));
  QTest::mouseClick(&keys, Qt::LeftButton, {}, QPoint(30, 22));
  EXPECT_FALSE(keys.SelectedKey());
  QTest::mouseClick(&keys, Qt::LeftButton, {}, QPoint(10 + 13, 40));
  EXPECT_EQ(keys.SelectedKey(), 1);
}

TEST_F(ScaleWindows, RangeKeysAndScaleAreHandedOnAsChosen) {
  std::vector<KeyRange> handed;
  ScaleDlg window({0, 127, 0}, [&handed](const KeyRange& r) { handed.push_back(r); });
  EXPECT_EQ(window.windowTitle(), "Scale and range");
  ASSERT_EQ(window.List()->count(), 270);
  EXPECT_EQ(window.List()->item(19)->text(), "Arabian");  // above "Arabian n2", as sorted
  EXPECT_EQ(window.List()->item(20)->text(), "Arabian n2");

  // MinKey: the key window, closed without a click, changes nothing; a click on C-1 below
  // the black keys sets it, above the highest key.
  test::InModal([](QDialog& keys) { keys.close(); });
  window.MinButton()->click();
  EXPECT_EQ(window.MinField()->text(), "C-2");
  EXPECT_TRUE(handed.empty());
  test::InModal(
      [](QDialog& keys) { QTest::mouseClick(&keys, Qt::LeftButton, {}, QPoint(10 + 126, 80)); });
  window.MinButton()->click();
  EXPECT_EQ(window.MinField()->text(), "C-1");
  ASSERT_EQ(handed.size(), 1u);
  EXPECT_EQ(handed[0], (KeyRange{12, 127, 0}));

  window.List()->setCurrentRow(20);
  EXPECT_EQ(handed.back().scale, 19);  // "Arabian n2" is entry 19 of the table
  EXPECT_STREQ(ScaleTable()[handed.back().scale].name, "Arabian n2");
}

}  // namespace
}  // namespace tond
