#pragma once
#include <array>
#include <string>

#include "kit/Instrument.h"

namespace tond {

class Notifier;

inline constexpr const char* kSampleReadError = "Unable to read the file:\n %s";

// Receives "Loading <path> ..." texts while a kit loads (the kit editor shows them).
class KitProgress {
 public:
  virtual ~KitProgress() = default;
  virtual void Status(const std::string& text) = 0;
};

// The sample path's file name without its folder and without its extension: what the kit list
// and the MIDI tracks call a slot.
std::string SampleName(const std::string& samplePath);

// Exactly 64 instruments; row i of every pattern plays slot i.
class CKit {
 public:
  static constexpr int kSlots = 64;

  CKit();

  CInstrument& operator[](int slot) { return slots_[static_cast<size_t>(slot)]; }
  const CInstrument& operator[](int slot) const { return slots_[static_cast<size_t>(slot)]; }

  // Empties all 64 slots.
  void Clear();

  // Reads a kit file and loads the samples of every slot in use (see LoadSample). False when the
  // file cannot be opened or holds a line too long for a kit (nothing changes then); `error`,
  // when given, receives why it could not be opened (an errno, 0 when it was opened).
  // Slots the file does not mention keep everything; a slot the file sets to "not used" loses
  // its sample; "instrument" elements beyond the 64th are ignored. Relative sample paths are
  // read from the current working folder. notifier and progress may be null.
  // Call only while the engine is quiesced (Engine::Quiesce()): sample data is replaced here
  // and no voice may read it meanwhile.
  bool Load(const std::string& path, Notifier* notifier, KitProgress* progress,
            int* error = nullptr);

  // Loads the slot's sample from its path; true when it was read. A slot not in use loses its
  // sample; one whose sample cannot be read keeps its path and flags, stays silent and is reported
  // as kSampleReadError (notifier may be null). Call only while the engine is quiesced.
  bool LoadSample(int slot, Notifier* notifier);

  // Writes all 64 slots; false when the file cannot be written (the old file is then intact),
  // with `error` (when given) set to the errno of the call that failed.
  bool Save(const std::string& path, int* error = nullptr) const;

 private:
  std::array<CInstrument, kSlots> slots_;
};

}  // namespace tond
