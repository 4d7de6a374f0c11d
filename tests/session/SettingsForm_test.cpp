#include "session/SettingsForm.h"

#include <gtest/gtest.h>

#include "engine/Engine.h"
#include "session/Session.h"
#include "support/SessionFixture.h"

namespace tond::test {
namespace {

using Names = std::vector<std::string>;

struct SettingsFormTest : SessionFixture, ::testing::Test {
  const Names devices{"default", "Pulse Audio out", "pulse"};
};

TEST_F(SettingsFormTest, OpensOnTheSettingsAndTheFirstDeviceItsNameBegins) {
  settings.audioDevice = "pulse";
  settings.midiInPort = 2;
  const SettingsForm form = FormFor(settings, 2, devices);
  EXPECT_EQ(form.controllers, (std::array<int, kMidiFunctions>{20, 21, 22, 23, 7, 10, 24}));
  EXPECT_EQ(form.audioDevice, 1);
  EXPECT_EQ(form.midiPort, -1);  // only ports 0 and 1
  EXPECT_EQ(form.midiChannel, 0);
  EXPECT_EQ(form.interpolation, 1);
  EXPECT_TRUE(form.audioEditor == kDefaultAudioEditor && form.defaultKit &&
              form.confirmationMessages);
  settings.audioDevice = "gone";
  EXPECT_EQ(FormFor(settings, 2, devices).audioDevice, -1);
}

TEST_F(SettingsFormTest, OkStoresAndNamesOnlyARealChangeOfDevice) {
  settings.audioDevice = "pulse";
  SettingsForm form = FormFor(settings, 0, devices);
  form.controllers[static_cast<int>(MidiFunction::kRed)] = 128;
  form.midiChannel = 9;
  form.interpolation = 2;
  form.audioEditor = "/opt/editor";
  form.confirmationMessages = form.defaultKit = false;
  form.audioDevice = 2;  // the same device
  StoreForm(form, devices, session, settings);
  EXPECT_EQ(settings.ccRed, kNoController);
  EXPECT_EQ(settings.midiInPort, 255);  // an empty port list
  EXPECT_EQ(settings.midiInChannel, 9);
  EXPECT_EQ(session.GetEngine().GetInterpolation(), 2);
  EXPECT_EQ(settings.audioEditor, "/opt/editor");
  EXPECT_FALSE(settings.confirmationMessages || settings.defaultKit);
  EXPECT_TRUE(platform.messages.empty());

  form.audioDevice = 0;
  StoreForm(form, devices, session, settings);
  EXPECT_EQ(settings.audioDevice, "default");
  EXPECT_EQ(platform.messages, Names{kAudioDeviceChanged});
  // No device selected (the one named is gone): the name stays for the next start.
  form.audioDevice = -1;
  StoreForm(form, devices, session, settings);
  EXPECT_EQ(settings.audioDevice, "default");
  EXPECT_EQ(platform.messages.size(), 1u);
}

TEST(AudioEditorDialog, ListsEveryFileFromTheEditorsFolder) {
  EXPECT_EQ(AudioEditorDialog("audacity"), (FileDialog{"Program files (*)|*|", "", "/usr/bin"}));
  EXPECT_EQ(AudioEditorDialog("/opt/x/edit").start, "/opt/x/edit");
}

}  // namespace
}  // namespace tond::test
