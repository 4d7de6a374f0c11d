#include "app/qt/SettingsDialog.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "session/Session.h"
#include "support/QtApp.h"
#include "support/SessionFixture.h"

namespace tond {
namespace {

struct SettingsDialogTest : test::SessionFixture, ::testing::Test {
  QApplication& app = test::TestApp();
  SettingsDialog dialog{nullptr, session, settings, {"Port A", "Port B"}, {"default", "pulse"}};
};

TEST_F(SettingsDialogTest, LearnPicksTheNextControllerOnTheChannelShown) {
  EXPECT_EQ(dialog.windowTitle(), "Settings");
  EXPECT_EQ(dialog.Controller(MidiFunction::kGreen)->currentText(), "10  Pan position (coarse)");
  EXPECT_EQ(dialog.Controller(MidiFunction::kGreen)->count(), 129);

  QTest::mouseClick(dialog.LearnButton(MidiFunction::kGreen), Qt::LeftButton);
  dialog.Channel()->setCurrentIndex(3);
  Midi(0xB0, 50, 0);  // channel 1: not learned, acts as usual
  Midi(0xB3, 51, 0);
  EXPECT_EQ(dialog.Controller(MidiFunction::kGreen)->currentIndex(), 51);
  EXPECT_FALSE(dialog.LearnButton(MidiFunction::kGreen)->isChecked());
  EXPECT_EQ(settings.ccGreen, 10);  // not stored before Ok

  // A second press stops learning; so does Escape, which then no longer closes the dialog.
  QTest::mouseClick(dialog.LearnButton(MidiFunction::kRed), Qt::LeftButton);
  QTest::mouseClick(dialog.LearnButton(MidiFunction::kRed), Qt::LeftButton);
  EXPECT_FALSE(session.Midi().Learning());
  QTest::mouseClick(dialog.LearnButton(MidiFunction::kBlue), Qt::LeftButton);
  dialog.show();
  QTest::keyClick(&dialog, Qt::Key_Escape);
  EXPECT_FALSE(session.Midi().Learning());
  EXPECT_TRUE(dialog.isVisible());
  Midi(0xB3, 52, 0);
  EXPECT_EQ(dialog.Controller(MidiFunction::kBlue)->currentIndex(), 24);
}

TEST_F(SettingsDialogTest, OkStoresAndAnyOtherCloseStoresNothing) {
  dialog.Controller(MidiFunction::kTempo)->setCurrentIndex(128);
  platform.paths.push_back("/opt/wave-editor");
  QTest::mouseClick(dialog.BrowseButton(), Qt::LeftButton);
  EXPECT_EQ(dialog.AudioEditor()->text(), "/opt/wave-editor");
  dialog.show();
  QTest::keyClick(&dialog, Qt::Key_Escape);
  EXPECT_EQ(dialog.result(), QDialog::Rejected);
  EXPECT_EQ(settings.ccTempo, 20);
  EXPECT_EQ(settings.audioEditor, kDefaultAudioEditor);

  dialog.AudioDevice()->setCurrentIndex(1);
  QTest::mouseClick(dialog.OkButton(), Qt::LeftButton);
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(settings.ccTempo, kNoController);
  EXPECT_EQ(settings.audioEditor, "/opt/wave-editor");
  EXPECT_EQ(settings.audioDevice, "pulse");
  EXPECT_EQ(platform.messages, std::vector<std::string>{kAudioDeviceChanged});
}

}  // namespace
}  // namespace tond
