#pragma once
// The program's settings, kept in memory for the whole run (read from the per-user store at
// start-up and written back at shut-down), and the folders it works with.
#include <atomic>
#include <cstdint>
#include <string>

#include "kit/SampleSearch.h"

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

// The paths the program works with. `program` ends with a path separator; the data folders do
// not. Kits, Waves, Pictures and Midi double as the remembered locations of their dialogs, which
// replace them with the last file chosen there (not kept between runs).
struct Folders {
  std::string program;
  std::string patterns;
  std::string filters;
  std::string waves;
  std::string output;
  std::string kits;
  std::string projects;
  std::string pictures;
  std::string midi;
  // The folder the user started the program in, recorded before start-up moves to the program
  // folder: relative sample paths are looked for there first.
  std::string launch = {};

  // Where the kit and project loaders look for relative sample paths.
  SampleSearch Samples() const { return {launch, program}; }
};

}  // namespace tond
