#pragma once
// What the Settings dialog shows and what its "Ok" stores, apart from the window: each list as
// the index of its selected entry (-1 for none).
#include <array>
#include <string>
#include <vector>

#include "session/MidiControl.h"
#include "session/Platform.h"
#include "session/Settings.h"

namespace tond {

class Session;

inline constexpr const char* kAudioDeviceChanged =
    "The audio output device has been changed.\n"
    "This change will be reflected the next time you start Tond.";
inline constexpr const char* const kInterpolationNames[] = {"Truncate", "Linear", "Quadratic"};

struct SettingsForm {
  std::array<int, kMidiFunctions> controllers{};  // in the order of MidiFunction
  int midiPort = -1;
  int midiChannel = -1;
  int audioDevice = -1;  // in the list of output devices
  int interpolation = -1;
  std::string audioEditor;
  bool defaultKit = false;
  bool confirmationMessages = false;
};

// The form as the dialog opens: each list on the entry its setting names, when the list has
// one; the audio device on the first entry that begins with the device's name, ignoring case.
SettingsForm FormFor(const Settings& settings, int midiPorts,
                     const std::vector<std::string>& audioDevices);

// "Ok": the seven controllers, the MIDI port and channel (an index of -1 is stored as 255, a
// port that no start can open); then the audio device, with the message when it changed; then
// the interpolation, through the session, so the engine hears it at once; the audio editor;
// the two check boxes. The audio device and the interpolation stay as they are when their list
// has no entry selected: an empty device name would silence the next start.
void StoreForm(const SettingsForm& form, const std::vector<std::string>& audioDevices,
               Session& session, Settings& settings);

// The "..." button's file dialog: any file may be a program here, so every file is listed; it
// starts in the folder of the current path, or among the installed programs.
FileDialog AudioEditorDialog(const std::string& current);

}  // namespace tond
