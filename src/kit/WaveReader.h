#pragma once
#include <string>

#include "kit/Instrument.h"

namespace tond {

class Notifier;

// Reads a RIFF/WAVE file (8, 16, 24 or 32-bit integer PCM, mono or stereo) into the
// instrument's data as mono float, and its "smpl" unity note into rootKey. The root key is set
// to 60 first; data changes only on success. Touches no other field.
// When memory runs out, shows "Not enough memory to read sample data" through notifier (if any).
// A data chunk longer than the rest of the file yields the whole frames actually present; the
// format tag is not looked at, so 32-bit float files are read as if they held integers.
// Anything but a regular file (a named pipe, a device, a folder) is refused like a missing file.
bool LoadWave(const std::string& path, CInstrument& instrument, Notifier* notifier);

}  // namespace tond
