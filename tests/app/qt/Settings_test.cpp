#include "app/qt/Settings.h"

#include <gtest/gtest.h>

#include <QSettings>
#include <QString>

#include "support/TestFiles.h"

namespace tond {
namespace {

// Points the user-scope store at a fresh folder: the real user's settings are never touched.
class SettingsTest : public ::testing::Test {
 protected:
  SettingsTest() {
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope,
                       QString::fromStdString(dir.Path().string()));
  }
  test::TempDir dir;
};

TEST_F(SettingsTest, FirstStartWritesEveryKeyWithItsDefault) {
  Settings settings;
  settings.audioDevice = "Default Device";
  {
    auto store = OpenSettingsStore();
    LoadSettings(*store, settings);  // nothing stored: the defaults stand
    SaveSettings(*store, settings);
  }
  EXPECT_NE(test::ReadText(dir.File("Quarnel/Tond.ini")), "");
  QSettings store(QSettings::IniFormat, QSettings::UserScope, "Quarnel", "Tond");
  const std::pair<const char*, const char*> expected[] = {
      {"General Settings/confirmation messages", "1"},
      {"General Settings/default kit", "1"},
      {"Audio Settings/audio device", "Default Device"},
      {"Audio Settings/buffer size", "256"},
      {"Audio Settings/number of buffers", "0"},
      {"Audio Settings/audio editor", "audacity"},
      {"Audio Settings/interpolation", "1"},
      {"MIDI Settings/MIDI IN port", "0"},
      {"MIDI Settings/MIDI IN channel", "0"},
      {"MIDI Settings/cc x", "21"},
      {"MIDI Settings/cc y", "22"},
      {"MIDI Settings/cc rotation", "23"},
      {"MIDI Settings/cc tempo", "20"},
      {"MIDI Settings/cc red", "7"},
      {"MIDI Settings/cc green", "10"},
      {"MIDI Settings/cc blue", "24"},
  };
  EXPECT_EQ(store.allKeys().size(), static_cast<int>(std::size(expected)));
  for (const auto& [key, value] : expected)
    EXPECT_EQ(store.value(key).toString().toStdString(), value) << key;
}

TEST_F(SettingsTest, ReadRulesForStoredValues) {
  {
    QSettings store(QSettings::IniFormat, QSettings::UserScope, "Quarnel", "Tond");
    store.setValue("General Settings/confirmation messages", 2);
    store.setValue("General Settings/default kit", "yes");  // not a number: the default stands
    store.setValue("Audio Settings/buffer size", 512);
    store.setValue("Audio Settings/number of buffers", -1);
    store.setValue("Audio Settings/audio editor", "/usr/bin/sox");
    store.setValue("Audio Settings/interpolation", 2);
    store.setValue("Interpolation/interpolation", 0);  // the key lives in "Audio Settings"
    store.setValue("MIDI Settings/cc x", 300);
    store.setValue("MIDI Settings/cc y", -1);
    store.setValue("MIDI Settings/MIDI IN channel", " 9 ");
  }
  Settings settings;
  settings.audioDevice = "kept";
  auto store = OpenSettingsStore();
  LoadSettings(*store, settings);
  EXPECT_FALSE(settings.confirmationMessages);
  EXPECT_TRUE(settings.defaultKit);
  EXPECT_EQ(settings.audioDevice, "kept");  // missing key
  EXPECT_EQ(settings.bufferSize, 512);
  EXPECT_EQ(settings.numberOfBuffers, -1);
  EXPECT_EQ(settings.audioEditor, "/usr/bin/sox");
  EXPECT_EQ(settings.interpolation, 2);
  EXPECT_EQ(settings.ccX, 44);  // 300 keeps its low 8 bits
  EXPECT_EQ(settings.ccY, 255);
  EXPECT_EQ(settings.midiInChannel, 9);
  EXPECT_EQ(settings.ccRotation, 23);

  SaveSettings(*store, settings);
  EXPECT_EQ(store->value("General Settings/confirmation messages").toString(), "0");
  EXPECT_EQ(store->value("General Settings/default kit").toString(), "1");
  EXPECT_EQ(store->value("MIDI Settings/cc x").toString(), "44");
  EXPECT_EQ(store->value("MIDI Settings/cc y").toString(), "255");
}

}  // namespace
}  // namespace tond
