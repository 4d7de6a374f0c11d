#include "session/MidiControl.h"

#include "session/Session.h"

namespace tond {

namespace {

constexpr int kStatusProgramChange = 0xC;
constexpr int kStatusControlChange = 0xB;

// The controllers that have a name; every other number is "Undefined".
struct Named {
  int number;
  const char* name;
};
constexpr Named kNamed[] = {
    {0, "Bank Select (coarse)"},
    {1, "Modulation Wheel (coarse)"},
    {2, "Breath controller (coarse)"},
    {4, "Foot Pedal (coarse)"},
    {5, "Portamento Time (coarse)"},
    {6, "Data Entry (coarse)"},
    {7, "Volume (coarse)"},
    {8, "Balance (coarse)"},
    {10, "Pan position (coarse)"},
    {11, "Expression (coarse)"},
    {12, "Effect Control 1 (coarse)"},
    {13, "Effect Control 2 (coarse)"},
    {16, "Gneral Purpose Slider 1"},
    {17, "General Purpose Slider 2"},
    {18, "General Purpose Slider 3"},
    {19, "General Purpose Slider 4"},
    {32, "Bank Select (fine)"},
    {33, "Modulation Wheel (fine)"},
    {34, "Breath controller (fine)"},
    {36, "Foot Pedal (fine)"},
    {37, "Portamento Time (fine)"},
    {38, "Data Entry (fine)"},
    {39, "Volume (fine)"},
    {40, "Balance (fine)"},
    {42, "Pan position (fine)"},
    {43, "Expression (fine)"},
    {44, "Effect Control 1 (fine)"},
    {45, "Effect Control 2 (fine)"},
    {64, "Hold Pedal (on/off)"},
    {65, "Portamento (on/off)"},
    {66, "Sustenuto Pedal (on/off)"},
    {67, "Soft Pedal (on/off)"},
    {68, "Legato Pedal (on/off)"},
    {69, "Hold 2 Pedal (on/off)"},
    {70, "Sound Variation"},
    {71, "Sound Timbre"},
    {72, "Sound Release Time"},
    {73, "Sound Attack Time"},
    {74, "Sound Brightness"},
    {75, "Sound Control 6"},
    {76, "Sound Control 7"},
    {77, "Sound Control 8"},
    {78, "Sound Control 9"},
    {79, "Sound Control 10"},
    {80, "General Purpose Button 1 (on/off)"},
    {81, "General Purpose Button 2 (on/off)"},
    {82, "General Purpose Button 3 (on/off)"},
    {83, "General Purpose Button 4 (on/off)"},
    {91, "Effects Level"},
    {92, "Tremulo Level"},
    {93, "Chorus Level"},
    {94, "Celeste Level"},
    {95, "Phaser Level"},
    {96, "Data Button increment"},
    {97, "Data Button decrement"},
    {98, "Non-registered Parameter (fine)"},
    {99, "Non-registered Parameter (coarse)"},
    {100, "Registered Parameter (fine)"},
    {101, "Registered Parameter (coarse)"},
    {120, "All Sound Off"},
    {121, "All Controllers Off"},
    {122, "Local Keyboard (on/off)"},
    {123, "All Notes Off"},
    {124, "Omni Mode Off"},
    {125, "Omni Mode On"},
    {126, "Mono Operation"},
    {127, "Poly Operation"},
};

// The quarter turn a rotation value falls in, counted from the first value received; every
// division truncates toward zero.
int Quarter(int value, int first) {
  const int base = first * 360 / 128;
  return (value * 360 / 128 - base) / 90;
}

}  // namespace

const char* FunctionLabel(MidiFunction function) {
  static constexpr const char* kLabels[kMidiFunctions] = {
      "Tempo", "Offset X", "Offset Y", "Rotation", "Red", "Green", "Blue"};
  return kLabels[static_cast<int>(function)];
}

// In the order of MidiFunction.
constexpr SharedSetting<std::uint8_t> Settings::*kControllerSettings[kMidiFunctions] = {
    &Settings::ccTempo, &Settings::ccX,     &Settings::ccY,   &Settings::ccRotation,
    &Settings::ccRed,   &Settings::ccGreen, &Settings::ccBlue};

SharedSetting<std::uint8_t>& ControllerSetting(Settings& settings, MidiFunction function) {
  return settings.*kControllerSettings[static_cast<int>(function)];
}

std::uint8_t ControllerOf(const Settings& settings, MidiFunction function) {
  return (settings.*kControllerSettings[static_cast<int>(function)]).Get();
}

const std::array<std::string, kControllerNames>& ControllerNames() {
  static const std::array<std::string, kControllerNames> names = [] {
    std::array<std::string, kControllerNames> list;
    std::array<const char*, 128> named;
    named.fill("Undefined");
    for (const Named& entry : kNamed) named[static_cast<std::size_t>(entry.number)] = entry.name;
    for (std::size_t n = 0; n < named.size(); ++n) {
      std::string number = std::to_string(n);
      number.resize(4, ' ');
      list[n] = number + named[n];
    }
    list[128] = "------ None ------";
    return list;
  }();
  return names;
}

void MidiControl::Learn(MidiFunction function, std::uint8_t channel) {
  learning_ = function;
  learnChannel_ = channel & 0x0F;
}

Change MidiControl::Apply(Session& session, std::span<const std::uint32_t> words) {
  Change change;
  Pending pending;
  for (std::uint32_t word : words)
    Step(session, static_cast<std::uint8_t>(word), static_cast<std::uint8_t>(word >> 8),
         static_cast<std::uint8_t>(word >> 16), pending, change);
  Flush(session, pending, change);
  return change;
}

bool MidiControl::TakeLearned(std::uint8_t status, std::uint8_t d1) {
  if (!learning_ || status >> 4 != kStatusControlChange || (status & 0x0F) != learnChannel_ ||
      d1 > 127)
    return false;
  const MidiFunction function = *learning_;
  learning_.reset();
  if (onLearned) onLearned(function, d1);
  return true;
}

void MidiControl::Step(Session& session, std::uint8_t status, std::uint8_t d1, std::uint8_t d2,
                       Pending& pending, Change& change) {
  if (TakeLearned(status, d1)) return;
  if ((status & 0x0F) != settings_.midiInChannel.Get()) return;
  switch (status >> 4) {
    case kStatusProgramChange:
      if (d1 < 16) {
        Flush(session, pending, change);
        change |= session.SelectPattern(d1);
      }
      break;
    case kStatusControlChange:
      // A data byte never has its top bit set; such a byte would match the "none" entry.
      if (d1 <= 127) ControlChange(session, d1, d2 & 0x7F, pending, change);
      break;
    default:
      break;
  }
}

// Every check whose controller matches acts, in this order; a check that records its first
// value ends the message there.
void MidiControl::ControlChange(Session& session, std::uint8_t c, std::uint8_t v, Pending& pending,
                                Change& change) {
  // x and y move by the half value's difference from the last one.
  const auto shift = [&](MidiFunction function, std::uint16_t& last, int& amount) {
    Note(function, c, change);
    const std::uint16_t half = v / 2;
    if (last == kUnset) {
      last = half;
      return false;
    }
    amount += half - last;
    last = half;
    return true;
  };
  if (c == settings_.ccX.Get() && !shift(MidiFunction::kX, last_.x, pending.dx)) return;
  if (c == settings_.ccY.Get() && !shift(MidiFunction::kY, last_.y, pending.dy)) return;
  if (c == settings_.ccTempo.Get()) {
    Note(MidiFunction::kTempo, c, change);
    // In single precision, as the slider computes it.
    pending.tempo =
        static_cast<double>(static_cast<float>(v) * static_cast<float>(kTempoMax) / 127.0f + 1.0f);
  }
  if (c == settings_.ccRotation.Get()) {
    Note(MidiFunction::kRotation, c, change);
    if (last_.firstRotation == kUnset) {
      last_.firstRotation = last_.rotation = v;
      return;
    }
    const int turns =
        Quarter(v, last_.firstRotation) - Quarter(last_.rotation, last_.firstRotation);
    if (turns != 0) {
      Flush(session, pending, change);
      change |= session.RotatePattern(turns);
    }
    last_.rotation = v;
  }
  const struct {
    MidiFunction function;
    std::uint16_t& last;
  } colours[] = {{MidiFunction::kRed, last_.red},
                 {MidiFunction::kGreen, last_.green},
                 {MidiFunction::kBlue, last_.blue}};
  for (int channel = 0; channel < 3; ++channel) {
    if (c != ControllerOf(settings_, colours[channel].function)) continue;
    Note(colours[channel].function, c, change);
    std::uint16_t& last = colours[channel].last;
    if (last == kUnset) {
      last = static_cast<std::uint16_t>(2 * v);
      return;
    }
    const int amount = 2 * v - last;
    last = static_cast<std::uint16_t>(2 * v);
    if (amount == 0) continue;
    Flush(session, pending, change);
    int offsets[3] = {0, 0, 0};
    offsets[channel] = amount;
    change |= session.OffsetColours(offsets[0], offsets[1], offsets[2]);
  }
}

// Shifts compose exactly (the sum, wrapped), a tempo is replaced by the next one, and neither
// touches the undo history: they wait until something that reads the grid or the tempo comes.
void MidiControl::Flush(Session& session, Pending& pending, Change& change) {
  if (pending.dx != 0 || pending.dy != 0)
    change |= session.ShiftPattern(pending.dx % 64, pending.dy % 64);
  if (pending.tempo) change |= session.SetTempo(*pending.tempo);
  pending = {};
}

void MidiControl::Note(MidiFunction function, std::uint8_t c, Change& change) {
  bool& noted = noted_[static_cast<std::size_t>(function)];
  if (noted) return;
  noted = true;
  change.status = "MIDI: cc " + std::to_string(c) + " \u2192 " + FunctionLabel(function);
}

}  // namespace tond
