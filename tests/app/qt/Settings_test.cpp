#include "app/qt/Settings.h"

#include <gtest/gtest.h>

#include <QSettings>
#include <QString>

#include "support/TestFiles.h"

namespace tond {
namespace {

struct Key {
  const char* name;
  const char* first;    // written at the first start, when nothing is stored
  const char* stored;   // stored before a later start (nullptr: missing)
  const char* written;  // written back by that start
};

const Key kKeys[] = {
    {"General Settings/confirmation messages", "1", "2", "0"},  // true only for exactly 1
    {"General Settings/default kit", "1", "yes", "1"},  // not a number: the value in memory stands
    // An empty name (stored by a run without any device) chooses none: the default stands.
    {"Audio Settings/audio device", "Default Device", "", "Default Device"},
    {"Audio Settings/buffer size", "256", "512", "512"},
    {"Audio Settings/number of buffers", "0", "-1", "-1"},
    {"Audio Settings/audio editor", "audacity", "/usr/bin/sox", "/usr/bin/sox"},
    {"Audio Settings/interpolation", "1", "2", "2"},
    {"MIDI Settings/MIDI IN port", "0", nullptr, "0"},
    {"MIDI Settings/MIDI IN channel", "0", " 9 ", "9"},
    {"MIDI Settings/cc x", "21", "300", "44"},  // an 8-bit setting keeps the low 8 bits
    {"MIDI Settings/cc y", "22", "-1", "255"},
    {"MIDI Settings/cc rotation", "23", nullptr, "23"},
    {"MIDI Settings/cc tempo", "20", nullptr, "20"},
    {"MIDI Settings/cc red", "7", nullptr, "7"},
    {"MIDI Settings/cc green", "10", nullptr, "10"},
    {"MIDI Settings/cc blue", "24", nullptr, "24"},
};

TEST(Settings, EveryKeyIsReadByItsRuleAndWrittenBack) {
  // The user-scope store lives in a fresh folder: the real user's settings are never touched.
  test::TempDir dir;
  QSettings::setPath(QSettings::IniFormat, QSettings::UserScope,
                     QString::fromStdString(dir.Path().string()));
  auto store = [] {
    return QSettings(QSettings::IniFormat, QSettings::UserScope, "Quarnel", "Tond");
  };
  for (bool later : {false, true}) {
    SCOPED_TRACE(later ? "later start" : "first start");
    if (later) {
      QSettings before = store();
      before.clear();
      for (const Key& key : kKeys)
        if (key.stored) before.setValue(key.name, key.stored);
      before.setValue("Interpolation/interpolation", 0);  // the key lives in "Audio Settings"
    }
    Settings settings;
    settings.audioDevice = "Default Device";
    {
      auto opened = OpenSettingsStore();
      LoadSettings(*opened, settings);
      SaveSettings(*opened, settings);
    }
    QSettings after = store();
    EXPECT_EQ(after.allKeys().size(), later ? 17 : 16);
    for (const Key& key : kKeys)
      EXPECT_EQ(after.value(key.name).toString().toStdString(), later ? key.written : key.first)
          << key.name;
  }
}

// A run without any audio device has no name to store: the stored one stays for the next run.
TEST(Settings, AnEmptyAudioDeviceIsNotStored) {
  test::TempDir dir;
  QSettings::setPath(QSettings::IniFormat, QSettings::UserScope,
                     QString::fromStdString(dir.Path().string()));
  QSettings store(QSettings::IniFormat, QSettings::UserScope, "Quarnel", "Tond");
  store.setValue("Audio Settings/audio device", "Card");
  store.sync();
  SaveSettings(*OpenSettingsStore(), Settings{});
  store.sync();
  EXPECT_EQ(store.value("Audio Settings/audio device").toString(), "Card");
}

}  // namespace
}  // namespace tond
