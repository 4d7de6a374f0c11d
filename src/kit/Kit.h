#pragma once
#include <array>
#include <string>

#include "kit/Instrument.h"

namespace tond {

class Notifier;

// Receives "Loading <path> ..." texts while a kit loads (the kit editor shows them).
class KitProgress {
 public:
  virtual ~KitProgress() = default;
  virtual void Status(const std::string& text) = 0;
};

// Exactly 64 instruments; row i of every pattern plays slot i.
class CKit {
 public:
  static constexpr int kSlots = 64;

  CKit();
  virtual ~CKit() = default;

  CInstrument& operator[](int slot) { return slots_[static_cast<size_t>(slot)]; }
  const CInstrument& operator[](int slot) const { return slots_[static_cast<size_t>(slot)]; }

  // Empties all 64 slots.
  void Clear();

  // Reads a kit file and loads the samples of every slot in use. A sample that cannot be read
  // is reported as "Unable to read the file:\n %s" and its slot stays silent. False when the
  // file cannot be opened (nothing changes then).
  // Slots the file does not mention keep everything; a slot the file sets to "not used" loses
  // its sample; "instrument" elements beyond the 64th are ignored. Relative sample paths are
  // read from the current working folder. notifier and progress may be null.
  // Call only while the engine is quiesced (Engine::Quiesce()): sample data is replaced here
  // and no voice may read it meanwhile.
  bool Load(const std::string& path, Notifier* notifier, KitProgress* progress);

  // Writes all 64 slots; false when the file cannot be written (the old file is then intact).
  bool Save(const std::string& path) const;

 private:
  std::array<CInstrument, kSlots> slots_;
};

}  // namespace tond
