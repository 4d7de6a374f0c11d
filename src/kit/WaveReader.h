#pragma once
#include <cstdint>
#include <string>

#include "kit/Instrument.h"

namespace tond {

class Notifier;

// What the file's (last) "fmt " chunk says; the sample itself is always kept as mono float.
struct WaveFormat {
  unsigned channels = 0;
  unsigned bits = 0;
  std::uint32_t sampleRate = 0;
};

// Reads a RIFF/WAVE file (8, 16, 24 or 32-bit integer PCM, mono or stereo) into the
// instrument's data as mono float, and its "smpl" unity note into rootKey. The root key is set
// to 60 first; data changes only on success. Touches no other field.
// When memory runs out, shows "Not enough memory to read sample data" through notifier (if any).
// A data chunk longer than the rest of the file yields the whole frames actually present; the
// format tag is not looked at, so 32-bit float files are read as if they held integers.
// Anything but a regular file (a named pipe, a device, a folder) is refused like a missing file.
// On success `format`, when given, receives the file's format. `error`, when given, receives why
// the file could not be opened (an errno; 0 when it was opened, whatever came after).
bool LoadWave(const std::string& path, CInstrument& instrument, Notifier* notifier,
              WaveFormat* format = nullptr, int* error = nullptr);

// The wave check of the kit builders: the same header walk as LoadWave without reading any
// sample. The file must be a regular RIFF/WAVE file, and any "fmt " chunk must give 8, 16, 24
// or 32 bits and 1 or 2 channels; a file without "fmt " passes (and then fails to load).
bool IsWaveFile(const std::string& path);

}  // namespace tond
