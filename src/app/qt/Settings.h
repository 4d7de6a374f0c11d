#pragma once
// The program's settings, kept in memory for the whole run: read from the per-user store at
// start-up and written back, every key, at shut-down. Nothing else is configurable.
#include <atomic>
#include <cstdint>
#include <memory>
#include <string>

class QSettings;

namespace tond {

// A setting that another thread reads (the MIDI callback, the audio thread) while the window
// thread may change it: one relaxed atomic, so a reader sees the old or the new value, never a
// torn one. Copyable, so that the settings can be copied and compared as a whole.
template <typename T>
class SharedSetting {
 public:
  SharedSetting(T value = T()) : value_(value) {}  // NOLINT: reads like the plain value
  SharedSetting(const SharedSetting& other) : value_(other.Get()) {}
  SharedSetting& operator=(const SharedSetting& other) { return *this = other.Get(); }
  SharedSetting& operator=(T value) {
    value_.store(value, std::memory_order_relaxed);
    return *this;
  }
  T Get() const { return value_.load(std::memory_order_relaxed); }
  operator T() const { return Get(); }  // NOLINT

 private:
  std::atomic<T> value_;
};

// The external program the kit editor opens samples with, unless the user picks another.
inline constexpr const char* kDefaultAudioEditor = "audacity";
// A controller setting of 128 means "no controller".
inline constexpr std::uint8_t kNoController = 128;

// Every setting with its width in memory and the value written at first start. The audio device
// has no fixed default: start-up puts the audio library's default output device there before
// the store is read.
struct Settings {
  // "General Settings"
  SharedSetting<bool> confirmationMessages{true};  // ask before Clear and New
  SharedSetting<bool> defaultKit{true};            // load kits/default.kit at start
  // "Audio Settings"
  std::string audioDevice;  // output device, chosen by name
  std::int32_t bufferSize = 256;
  std::int32_t numberOfBuffers = 0;  // 0: the audio library's minimum
  std::string audioEditor = kDefaultAudioEditor;
  SharedSetting<std::uint8_t> interpolation{1};  // 0 truncate, 1 linear, 2 quadratic
  // "MIDI Settings"
  SharedSetting<std::uint8_t> midiInPort{0};
  SharedSetting<std::uint8_t> midiInChannel{0};  // 0..15 for channels 1..16
  SharedSetting<std::uint8_t> ccX{21};
  SharedSetting<std::uint8_t> ccY{22};
  SharedSetting<std::uint8_t> ccRotation{23};
  SharedSetting<std::uint8_t> ccTempo{20};
  SharedSetting<std::uint8_t> ccRed{7};
  SharedSetting<std::uint8_t> ccGreen{10};
  SharedSetting<std::uint8_t> ccBlue{24};
};

// The per-user store under the company key "Quarnel" and the application name "Tond": an INI
// file in the user's configuration folder (QSettings' user scope for the INI format, which
// tests redirect with QSettings::setPath).
std::unique_ptr<QSettings> OpenSettingsStore();

// Reads every key, the value in memory being the fallback for a missing key or one that does
// not hold a number. A boolean is true only when the stored number is exactly 1; an 8-bit
// setting keeps the low 8 bits of the stored number, a 32-bit one the low 32 bits.
void LoadSettings(QSettings& store, Settings& settings);

// Writes every key: booleans as 0 or 1, the 8-bit values as 0 to 255, texts as texts. Failures
// are silent: the settings in memory stay as they are.
void SaveSettings(QSettings& store, const Settings& settings);

}  // namespace tond
