// The "Patterns..." window driven by keys and by the pointer.
#include "overview/qt/PatternsWindow.h"

#include <gtest/gtest.h>

#include <QDialog>
#include <QTest>
#include <functional>

#include "model/Project.h"
#include "overview/PatternsLayout.h"
#include "support/QtApp.h"

namespace tond::test {
namespace {

std::optional<int> Choose(const Project& project, std::function<void(QDialog&)> steps) {
  InModal(std::move(steps));
  return RunPatternsWindow(nullptr, project);
}

QPoint Middle(int pattern) {
  const patterns_layout::Point at = ThumbnailOrigin(pattern);
  return {at.x + 64, at.y + 64};
}

TEST(PatternsWindow, ArrowKeysWrapAndEnterChooses) {
  Project project;
  EXPECT_EQ(Choose(project,
                   [](QDialog& d) {
                     QTest::keyClick(&d, Qt::Key_Up);    // 0 -> 12
                     QTest::keyClick(&d, Qt::Key_Left);  // 12 -> 15
                     QTest::keyClick(&d, Qt::Key_Down);  // 15 -> 3
                     QTest::keyClick(&d, Qt::Key_Return);
                   }),
            3);
  EXPECT_EQ(Choose(project,
                   [](QDialog& d) {
                     QTest::keyClick(&d, Qt::Key_Right);
                     QTest::keyClick(&d, Qt::Key_Escape);
                   }),
            std::nullopt);
}

TEST(PatternsWindow, TheSelectionFollowsThePointerAndAClickChoosesIt) {
  Project project;
  Pattern cells{};
  cells[CellIndex(10, 20)] = MakeCell(255, 0, 0);
  project.SetStoredPattern(5, cells);
  QColor shown;
  EXPECT_EQ(Choose(project,
                   [&](QDialog& d) {
                     // The thumbnail shows the stored cell, two pixels a side.
                     const patterns_layout::Point at = ThumbnailOrigin(5);
                     shown = d.grab().toImage().pixelColor(at.x + 2 * 10 + 1, at.y + 2 * 20 + 1);
                     QTest::mouseMove(&d, Middle(5));
                     QTest::mouseMove(&d, Middle(6));
                     QTest::mouseClick(&d, Qt::LeftButton, {}, Middle(6));
                   }),
            6);
  EXPECT_EQ(shown, QColor(255, 0, 0));
}

}  // namespace
}  // namespace tond::test
