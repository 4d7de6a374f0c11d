#pragma once
// The per-user settings store: read at start-up, every key written back at shut-down.
#include <memory>

#include "session/Settings.h"

class QSettings;

namespace tond {

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
