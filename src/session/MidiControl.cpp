#include "session/MidiControl.h"

#include "session/Session.h"

namespace tond {

namespace {

constexpr int kStatusProgramChange = 0xC;
constexpr int kStatusControlChange = 0xB;

const char* ControllerName(int n) {
  switch (n) {
    case 0: return "Bank Select (coarse)";
    case 1: return "Modulation Wheel (coarse)";
    case 2: return "Breath controller (coarse)";
    case 4: return "Foot Pedal (coarse)";
    case 5: return "Portamento Time (coarse)";
    case 6: return "Data Entry (coarse)";
    case 7: return "Volume (coarse)";
    case 8: return "Balance (coarse)";
    case 10: return "Pan position (coarse)";
    case 11: return "Expression (coarse)";
    case 12: return "Effect Control 1 (coarse)";
    case 13: return "Effect Control 2 (coarse)";
    case 16: return "Gneral Purpose Slider 1";
    case 17: return "General Purpose Slider 2";
    case 18: return "General Purpose Slider 3";
    case 19: return "General Purpose Slider 4";
    case 32: return "Bank Select (fine)";
    case 33: return "Modulation Wheel (fine)";
    case 34: return "Breath controller (fine)";
    case 36: return "Foot Pedal (fine)";
    case 37: return "Portamento Time (fine)";
    case 38: return "Data Entry (fine)";
    case 39: return "Volume (fine)";
    case 40: return "Balance (fine)";
    case 42: return "Pan position (fine)";
    case 43: return "Expression (fine)";
    case 44: return "Effect Control 1 (fine)";
    case 45: return "Effect Control 2 (fine)";
    case 64: return "Hold Pedal (on/off)";
    case 65: return "Portamento (on/off)";
    case 66: return "Sustenuto Pedal (on/off)";
    case 67: return "Soft Pedal (on/off)";
    case 68: return "Legato Pedal (on/off)";
    case 69: return "Hold 2 Pedal (on/off)";
    case 70: return "Sound Variation";
    case 71: return "Sound Timbre";
    case 72: return "Sound Release Time";
    case 73: return "Sound Attack Time";
    case 74: return "Sound Brightness";
    case 75: return "Sound Control 6";
    case 76: return "Sound Control 7";
    case 77: return "Sound Control 8";
    case 78: return "Sound Control 9";
    case 79: return "Sound Control 10";
    case 80: return "General Purpose Button 1 (on/off)";
    case 81: return "General Purpose Button 2 (on/off)";
    case 82: return "General Purpose Button 3 (on/off)";
    case 83: return "General Purpose Button 4 (on/off)";
    case 91: return "Effects Level";
    case 92: return "Tremulo Level";
    case 93: return "Chorus Level";
    case 94: return "Celeste Level";
    case 95: return "Phaser Level";
    case 96: return "Data Button increment";
    case 97: return "Data Button decrement";
    case 98: return "Non-registered Parameter (fine)";
    case 99: return "Non-registered Parameter (coarse)";
    case 100: return "Registered Parameter (fine)";
    case 101: return "Registered Parameter (coarse)";
    case 120: return "All Sound Off";
    case 121: return "All Controllers Off";
    case 122: return "Local Keyboard (on/off)";
    case 123: return "All Notes Off";
    case 124: return "Omni Mode Off";
    case 125: return "Omni Mode On";
    case 126: return "Mono Operation";
    case 127: return "Poly Operation";
    default: return "Undefined";
  }
}

// The quarter turn a rotation value falls in, counted from the first value received; every
// division truncates toward zero.
int Quarter(int value, int first) {
  const int base = first * 360 / 128;
  return (value * 360 / 128 - base) / 90;
}

}  // namespace

const char* FunctionLabel(MidiFunction function) {
  static constexpr const char* kLabels[kMidiFunctions] = {"Tempo", "Offset X", "Offset Y",
                                                          "Rotation", "Red", "Green", "Blue"};
  return kLabels[static_cast<int>(function)];
}

SharedSetting<std::uint8_t>& ControllerSetting(Settings& settings, MidiFunction function) {
  switch (function) {
    case MidiFunction::kTempo: return settings.ccTempo;
    case MidiFunction::kX: return settings.ccX;
    case MidiFunction::kY: return settings.ccY;
    case MidiFunction::kRotation: return settings.ccRotation;
    case MidiFunction::kRed: return settings.ccRed;
    case MidiFunction::kGreen: return settings.ccGreen;
    case MidiFunction::kBlue: break;
  }
  return settings.ccBlue;
}

std::uint8_t ControllerOf(const Settings& settings, MidiFunction function) {
  return ControllerSetting(const_cast<Settings&>(settings), function).Get();
}

const std::array<std::string, kControllerNames>& ControllerNames() {
  static const std::array<std::string, kControllerNames> names = [] {
    std::array<std::string, kControllerNames> list;
    for (int n = 0; n < 128; ++n) {
      std::string number = std::to_string(n);
      number.resize(4, ' ');
      list[static_cast<std::size_t>(n)] = number + ControllerName(n);
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
void MidiControl::ControlChange(Session& session, std::uint8_t c, std::uint8_t v,
                                Pending& pending, Change& change) {
  const std::uint16_t half = v / 2;
  if (c == settings_.ccX.Get()) {
    Note(MidiFunction::kX, c, change);
    if (last_.x == kUnset) {
      last_.x = half;
      return;
    }
    pending.dx += half - last_.x;
    pending.shift = true;
    last_.x = half;
  }
  if (c == settings_.ccY.Get()) {
    Note(MidiFunction::kY, c, change);
    if (last_.y == kUnset) {
      last_.y = half;
      return;
    }
    pending.dy += half - last_.y;
    pending.shift = true;
    last_.y = half;
  }
  if (c == settings_.ccTempo.Get()) {
    Note(MidiFunction::kTempo, c, change);
    // In single precision, as the slider computes it.
    pending.tempo = static_cast<double>(static_cast<float>(v) * 350.0f / 127.0f + 1.0f);
  }
  if (c == settings_.ccRotation.Get()) {
    Note(MidiFunction::kRotation, c, change);
    if (last_.firstRotation == kUnset) {
      last_.firstRotation = last_.rotation = v;
      return;
    }
    const int turns = Quarter(v, last_.firstRotation) - Quarter(last_.rotation, last_.firstRotation);
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
  if (pending.shift) change |= session.ShiftPattern(pending.dx % 64, pending.dy % 64);
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
