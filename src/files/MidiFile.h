#pragma once
// A Standard MIDI File of format 1, as the MIDI export writes it. Big-endian throughout:
//   "MThd", length 6, format 1, tracks given + 1, division (ticks per quarter note)
//   a leading "MTrk" of 19 bytes: time signature 4/4, tempo, end of track
//   one "MTrk" per track given: its name, its events, end of track
// Every event carries its status byte (no running status); times are stored as deltas.
#include <cstdint>
#include <string>
#include <vector>

namespace tond {

class Notifier;

inline constexpr const char* kMidiCreateError = "Unable to create a new file named:\n%s";

// One event of a track.
class MIDIevent {
 public:
  MIDIevent() = default;
  MIDIevent(std::uint32_t time, std::uint8_t status, std::uint8_t param1, std::uint8_t param2)
      : time(time), status(status), param1(param1), param2(param2) {}

  std::uint32_t time = 0;  // absolute, in ticks from the start of the track
  std::uint8_t status = 0;
  std::uint8_t param1 = 0;
  std::uint8_t param2 = 0;
  // For a status of 0xF0 or above (system and meta events) these bytes are written instead of
  // the status and data bytes; they begin with the status byte.
  std::vector<std::uint8_t> data;
};

// A named track; its events are in non-decreasing time.
class MIDItrack {
 public:
  MIDItrack() = default;
  explicit MIDItrack(std::string name) : name(std::move(name)) {}

  std::string name;
  std::vector<MIDIevent> events;
};

class MIDIfile {
 public:
  // The whole file. A tempo of 0 (or any tempo below 4, whose quarter note would not fit the
  // 3-byte tempo field) is written as the slowest tempo the field holds.
  static std::vector<std::uint8_t> Encode(const std::vector<MIDItrack>& tracks, std::uint32_t tempo,
                                          std::uint16_t division);

  // Writes Encode(...) to `path` through a temporary file, so a failure leaves an old file as
  // it was. When the file cannot be created, shows kMidiCreateError with the system's reason
  // and returns false; a later write error returns false without a message of its own, with
  // `error` (when given) set to its errno.
  bool Save(const std::string& path, const std::vector<MIDItrack>& tracks, std::uint32_t tempo,
            std::uint16_t division, Notifier& notifier, int* error = nullptr) const;
};

}  // namespace tond
