#pragma once
// What a MIDI controller does to the session: program changes select patterns; seven
// controllers shift the pattern sideways and up and down, set the tempo, turn the pattern in
// quarter turns and push the red, green and blue of every note. Which channel and which
// controller numbers are read from the settings at every message, so a change in the Settings
// dialog acts at the next one.
//
// Messages arrive packed in one word each (status in bits 0-7, first data byte in bits 8-15,
// second in bits 16-23) on the window thread, a burst at a time; a burst is applied in one go
// and repainted once. Shifts and tempo values in a row are merged, since applying their sum or
// the last one leaves the same grid and tempo; colours clamp and rotations push undo states, so
// those are applied one by one.
//
// Learn: while armed, the next control change on the chosen channel picks its number for one
// function instead of acting.
#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>

#include "session/Settings.h"

namespace tond {

class Session;
struct Change;

// The functions in the order the Settings dialog lists them.
enum class MidiFunction { kTempo, kX, kY, kRotation, kRed, kGreen, kBlue };
inline constexpr int kMidiFunctions = 7;

// "Tempo", "Offset X", "Offset Y", "Rotation", "Red", "Green", "Blue".
const char* FunctionLabel(MidiFunction function);
// The setting that holds the function's controller number.
SharedSetting<std::uint8_t>& ControllerSetting(Settings& settings, MidiFunction function);
std::uint8_t ControllerOf(const Settings& settings, MidiFunction function);

// Entry n (0-127): the number padded to four characters and the controller's name; entry 128
// is the "none" entry.
inline constexpr int kControllerNames = 129;
const std::array<std::string, kControllerNames>& ControllerNames();

constexpr std::uint32_t PackMidi(std::uint8_t status, std::uint8_t d1, std::uint8_t d2) {
  return status | (std::uint32_t{d1} << 8) | (std::uint32_t{d2} << 16);
}

inline constexpr const char* kMidiOpenError = "Unable to open MIDI IN default port";
inline constexpr const char* kMidiOpenErrorTitle = "Error";

class MidiControl {
 public:
  static constexpr std::uint16_t kUnset = 65535;
  // What the controllers last sent, kept for the whole run (a new project or another pattern
  // continues from there).
  struct LastValues {
    std::uint16_t x = kUnset;  // value / 2
    std::uint16_t y = kUnset;
    std::uint16_t firstRotation = kUnset;
    std::uint16_t rotation = kUnset;
    std::uint16_t red = kUnset;  // value * 2
    std::uint16_t green = kUnset;
    std::uint16_t blue = kUnset;
  };

  explicit MidiControl(const Settings& settings) : settings_(settings) {}

  // One burst, in order, through the session's operations; what they changed, with a status
  // line the first time each function's controller moves.
  Change Apply(Session& session, std::span<const std::uint32_t> words);

  // Learn: the next control change on `channel` (0-15) is reported to `onLearned` and does
  // nothing else. Arming again replaces the function or the channel.
  void Learn(MidiFunction function, std::uint8_t channel);
  void CancelLearn() { learning_.reset(); }
  std::optional<MidiFunction> Learning() const { return learning_; }
  std::function<void(MidiFunction, std::uint8_t controller)> onLearned;

  const LastValues& Last() const { return last_; }

 private:
  // Shifts and a tempo not yet handed to the session.
  struct Pending {
    int dx = 0;
    int dy = 0;
    std::optional<double> tempo;
  };
  bool TakeLearned(std::uint8_t status, std::uint8_t d1);
  void Step(Session& session, std::uint8_t status, std::uint8_t d1, std::uint8_t d2,
            Pending& pending, Change& change);
  void ControlChange(Session& session, std::uint8_t c, std::uint8_t v, Pending& pending,
                     Change& change);
  static void Flush(Session& session, Pending& pending, Change& change);
  void Note(MidiFunction function, std::uint8_t c, Change& change);

  const Settings& settings_;
  LastValues last_;
  std::optional<MidiFunction> learning_;
  std::uint8_t learnChannel_ = 0;
  std::array<bool, kMidiFunctions> noted_{};
};

}  // namespace tond
