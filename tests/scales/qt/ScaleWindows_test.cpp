// The key window and the "Scale and range" window as a user drives them.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QScrollBar>
#include <QTest>

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

  // A click where no key is selects nothing. (Which key a click selects: the range test below
  // and the keyboard's own.)
  QTest::mouseClick(&keys, Qt::LeftButton, {}, QPoint(30, 22));
  EXPECT_FALSE(keys.SelectedKey());
}

TEST_F(ScaleWindows, RangeKeysAndScaleAreHandedOnAsChosen) {
  std::vector<KeyRange> handed;
  ScaleDlg window({0, 127, 0}, [&handed](const KeyRange& r) { handed.push_back(r); });
  EXPECT_EQ(window.windowTitle(), "Scale and range");
  EXPECT_EQ(window.List()->item(19)->text(), "Arabian");  // above "Arabian n2", as sorted

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

  // A row hands on the table's entry. ("Minor", of the kit editor window's test, sits at the
  // same place in the table and in the sorted list.)
  window.List()->setCurrentRow(20);
  EXPECT_EQ(handed.back().scale, 19);  // "Arabian n2" is entry 19 of the table
}

}  // namespace
}  // namespace tond
