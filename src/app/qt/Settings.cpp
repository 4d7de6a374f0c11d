#include "app/qt/Settings.h"

#include <QSettings>
#include <QString>
#include <QVariant>
#include <array>
#include <optional>

namespace tond {

namespace {

constexpr const char* kGeneral = "General Settings";
constexpr const char* kAudio = "Audio Settings";
constexpr const char* kMidi = "MIDI Settings";

// The stored number of a key; nothing when the key is missing or holds no whole number.
std::optional<long long> ReadNumber(const QSettings& store, const char* key) {
  QVariant value = store.value(key);
  if (!value.isValid()) return std::nullopt;
  bool ok = false;
  long long number = value.toString().trimmed().toLongLong(&ok);
  if (!ok) return std::nullopt;
  return number;
}

void ReadBool(const QSettings& store, const char* key, SharedSetting<bool>& setting) {
  if (auto number = ReadNumber(store, key)) setting = *number == 1;
}

void ReadByte(const QSettings& store, const char* key, SharedSetting<std::uint8_t>& setting) {
  if (auto number = ReadNumber(store, key))
    setting = static_cast<std::uint8_t>(static_cast<unsigned long long>(*number) & 0xFF);
}

void ReadInt32(const QSettings& store, const char* key, std::int32_t& setting) {
  if (auto number = ReadNumber(store, key))
    setting = static_cast<std::int32_t>(static_cast<std::uint32_t>(*number & 0xFFFFFFFF));
}

void ReadText(const QSettings& store, const char* key, std::string& setting) {
  QVariant value = store.value(key);
  if (value.isValid()) setting = value.toString().toStdString();
}

// The MIDI keys in the order the table lists them; reading and writing share it.
template <typename S>
auto MidiKeys(S& settings) {
  struct Key {
    const char* name;
    decltype(&settings.ccX) setting;
  };
  return std::array<Key, 9>{{{"MIDI IN port", &settings.midiInPort},
                             {"MIDI IN channel", &settings.midiInChannel},
                             {"cc x", &settings.ccX},
                             {"cc y", &settings.ccY},
                             {"cc rotation", &settings.ccRotation},
                             {"cc tempo", &settings.ccTempo},
                             {"cc red", &settings.ccRed},
                             {"cc green", &settings.ccGreen},
                             {"cc blue", &settings.ccBlue}}};
}

}  // namespace

std::unique_ptr<QSettings> OpenSettingsStore() {
  return std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope, "Quarnel", "Tond");
}

void LoadSettings(QSettings& store, Settings& settings) {
  store.beginGroup(kGeneral);
  ReadBool(store, "confirmation messages", settings.confirmationMessages);
  ReadBool(store, "default kit", settings.defaultKit);
  store.endGroup();

  store.beginGroup(kAudio);
  // An empty name chooses no device: the default found at start-up stands (a run without any
  // device may have stored one).
  std::string device;
  ReadText(store, "audio device", device);
  if (!device.empty()) settings.audioDevice = device;
  ReadInt32(store, "buffer size", settings.bufferSize);
  ReadInt32(store, "number of buffers", settings.numberOfBuffers);
  ReadText(store, "audio editor", settings.audioEditor);
  ReadByte(store, "interpolation", settings.interpolation);
  store.endGroup();

  store.beginGroup(kMidi);
  for (auto& key : MidiKeys(settings)) ReadByte(store, key.name, *key.setting);
  store.endGroup();
}

void SaveSettings(QSettings& store, const Settings& settings) {
  store.beginGroup(kGeneral);
  store.setValue("confirmation messages", settings.confirmationMessages ? 1 : 0);
  store.setValue("default kit", settings.defaultKit ? 1 : 0);
  store.endGroup();

  store.beginGroup(kAudio);
  // Without any device there is no name to keep: what is stored stays for the next run.
  if (!settings.audioDevice.empty())
    store.setValue("audio device", QString::fromStdString(settings.audioDevice));
  store.setValue("buffer size", settings.bufferSize);
  store.setValue("number of buffers", settings.numberOfBuffers);
  store.setValue("audio editor", QString::fromStdString(settings.audioEditor));
  store.setValue("interpolation", static_cast<int>(settings.interpolation.Get()));
  store.endGroup();

  store.beginGroup(kMidi);
  for (const auto& key : MidiKeys(settings))
    store.setValue(key.name, static_cast<int>(key.setting->Get()));
  store.endGroup();
  store.sync();
}

}  // namespace tond
