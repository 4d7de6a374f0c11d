// The kit editor as a user drives it: keys, clicks, drops, the scale window and a cancelled
// search, on the offscreen platform with a scripted platform behind the session.
#include "kit/qt/KitEditor.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <filesystem>

#include "model/Project.h"
#include "scales/ScaleTable.h"
#include "scales/qt/ScaleDlg.h"
#include "support/QtApp.h"
#include "support/SessionFixture.h"
#include "support/TestFiles.h"

namespace tond::test {
namespace {

using Texts = std::vector<std::string>;

struct Application {
  Application() { TestApp(); }
};

struct KitEditorWindow : Application, SessionFixture, ::testing::Test {
  const CKit& Kit() const { return session.GetProject().kit; }
  std::string Wave(const std::string& name) { return dir.Wave(name); }
  // The middle of row `slot`, at x.
  QPoint Row(int slot, int x) const { return {x, 10 + slot * 11 + 5}; }
  void Click(QPoint at, Qt::KeyboardModifiers keys = {}) {
    QTest::mouseClick(&window, Qt::LeftButton, keys, at);
  }
  TempDir dir;
  CKitDlg window{session};
};

TEST_F(KitEditorWindow, ArrowKeysWrapAndShowTheSamplePath) {
  session.SetKitSample(63, Wave("last.wav"));
  QTest::keyClick(&window, Qt::Key_Up);
  EXPECT_EQ(window.Highlighted(), 0);
  EXPECT_EQ(window.StatusText(), "not used");
  QTest::keyClick(&window, Qt::Key_Up);
  EXPECT_EQ(window.Highlighted(), 63);
  EXPECT_EQ(window.StatusText(), dir.File("last.wav"));
  QTest::keyClick(&window, Qt::Key_Down);
  EXPECT_EQ(window.Highlighted(), 0);

  // Space plays, L toggles the highlighted slot's loop, Shift+L sets all to the opposite of slot
  // 0's.
  QTest::keyClick(&window, Qt::Key_Up);
  QTest::keyClick(&window, Qt::Key_Space);
  EXPECT_EQ(platform.sounds, Texts{dir.File("last.wav")});
  QTest::keyClick(&window, Qt::Key_L);
  EXPECT_TRUE(Kit()[63].loop);
  QTest::keyClick(&window, Qt::Key_L, Qt::ShiftModifier);
  for (int i = 0; i < 64; ++i) EXPECT_TRUE(Kit()[i].loop);
  QTest::keyClick(&window, Qt::Key_Return);
  EXPECT_EQ(platform.programs, Texts{"audacity " + dir.File("last.wav")});
  window.reject();
  EXPECT_EQ(platform.sounds.back(), "(stop)");
}

TEST_F(KitEditorWindow, ClicksOnTheRow) {
  Click(Row(4, 220));  // between the boxes: nothing
  Click(Row(4, 260));
  EXPECT_TRUE(platform.dialogs.empty());
  EXPECT_FALSE(session.Modified());

  Click(Row(4, 205), Qt::ShiftModifier);
  for (int i = 0; i < 64; ++i) EXPECT_TRUE(Kit()[i].loop) << i;
  Click(Row(4, 235));
  EXPECT_TRUE(Kit()[4].fade);
  EXPECT_FALSE(Kit()[5].fade);

  platform.paths.push_back(Wave("a.wav"));
  Click(Row(4, 30));
  EXPECT_EQ(Kit()[4].samplePath, dir.File("a.wav"));
  EXPECT_FALSE(Kit()[4].loop);
  // The right button empties the name it goes down on and those it is dragged over.
  session.SetKitSample(5, dir.File("a.wav"));
  QTest::mousePress(&window, Qt::RightButton, {}, Row(4, 30));
  QTest::mouseMove(&window, Row(5, 30));
  QTest::mouseRelease(&window, Qt::RightButton, {}, Row(5, 30));
  EXPECT_EQ(Kit()[4].samplePath, kNotUsed);
  EXPECT_EQ(Kit()[5].samplePath, kNotUsed);
}

TEST_F(KitEditorWindow, DroppedFilesFillTheEmptySlots) {
  Texts files;
  for (int i = 0; i < 70; ++i) files.push_back(Wave(std::to_string(i) + ".wav"));
  ASSERT_TRUE(DropFiles(&window, files));
  EXPECT_EQ(Kit()[63].samplePath, dir.File("63.wav"));
  EXPECT_EQ(platform.messages, Texts{"There was not enough empty slots for all samples."});
}

TEST_F(KitEditorWindow, TheScaleChosenIsKeptInTheProject) {
  session.SetKitSample(2, Wave("a.wav"));
  const int minor = 228;
  ASSERT_STREQ(ScaleTable()[minor].name, "Minor");
  InModal([minor](QDialog& dialog) {
    auto* scales = qobject_cast<ScaleDlg*>(&dialog);
    ASSERT_NE(scales, nullptr);
    EXPECT_EQ(scales->List()->currentItem()->text(), "8 tone Spanish");
    EXPECT_EQ(scales->MinField()->text(), "C-2");
    EXPECT_EQ(scales->MaxField()->text(), "G8");
    scales->List()->setCurrentRow(SortedPosition(minor));
  });
  Click(Row(2, 335));  // the root key
  ASSERT_TRUE(session.SaveProjectFile(dir.File("song.blp")));

  SessionFixture other;
  ASSERT_FALSE(other.session.LoadProjectFile(dir.File("song.blp")).refused);
  EXPECT_EQ(other.session.GetProject().kit[2].scale, minor);
  CKitDlg reopened(other.session);
  InModal([](QDialog& dialog) {
    EXPECT_EQ(qobject_cast<ScaleDlg*>(&dialog)->List()->currentItem()->text(), "Minor");
  });
  QTest::mouseClick(&reopened, Qt::LeftButton, {}, Row(2, 335));
}

TEST_F(KitEditorWindow, ACancelledSearchLeavesTheKitAsItWas) {
  session.SetKitSample(0, Wave("kept.wav"));
  for (int i = 0; i < 3; ++i) Wave("tree/" + std::to_string(i) + ".wav");
  platform.paths.push_back(dir.File("tree"));
  // The user's Cancel, before the search has looked at any file.
  InModal([](QDialog& progress) { progress.findChild<QPushButton*>()->click(); });
  window.ButtonAt(CKitDlg::kRandom)->click();
  EXPECT_EQ(Kit()[0].samplePath, dir.File("kept.wav"));
  EXPECT_EQ(Kit()[1].samplePath, kNotUsed);

  // Left alone, the search runs to its end on its own thread.
  platform.paths.push_back(dir.File("tree"));
  window.ButtonAt(CKitDlg::kRandom)->click();
  EXPECT_EQ(Kit()[0].samplePath, dir.File("tree/0.wav"));
  EXPECT_EQ(Kit()[2].samplePath, dir.File("tree/2.wav"));
  EXPECT_EQ(window.StatusText(), "Loading... " + dir.File("tree/2.wav"));
}

}  // namespace
}  // namespace tond::test
