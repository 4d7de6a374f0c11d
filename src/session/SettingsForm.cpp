#include "session/SettingsForm.h"

#include <algorithm>
#include <cctype>

#include "session/Session.h"

namespace tond {

namespace {

int Entry(int value, int count) {
  return value < count ? value : -1;
}

bool StartsWithIgnoringCase(const std::string& text, const std::string& start) {
  return text.size() >= start.size() &&
         std::equal(start.begin(), start.end(), text.begin(), [](char a, char b) {
           return std::tolower(static_cast<unsigned char>(a)) ==
                  std::tolower(static_cast<unsigned char>(b));
         });
}

}  // namespace

SettingsForm FormFor(const Settings& settings, int midiPorts,
                     const std::vector<std::string>& audioDevices) {
  SettingsForm form;
  for (int f = 0; f < kMidiFunctions; ++f)
    form.controllers[f] =
        Entry(ControllerOf(settings, static_cast<MidiFunction>(f)), kControllerNames);
  form.midiPort = Entry(settings.midiInPort, midiPorts);
  form.midiChannel = Entry(settings.midiInChannel, 16);
  const auto device = std::find_if(
      audioDevices.begin(), audioDevices.end(),
      [&](const std::string& name) { return StartsWithIgnoringCase(name, settings.audioDevice); });
  if (device != audioDevices.end())
    form.audioDevice = static_cast<int>(device - audioDevices.begin());
  form.interpolation = Entry(settings.interpolation, 3);
  form.audioEditor = settings.audioEditor;
  form.defaultKit = settings.defaultKit;
  form.confirmationMessages = settings.confirmationMessages;
  return form;
}

void StoreForm(const SettingsForm& form, const std::vector<std::string>& audioDevices,
               Session& session, Settings& settings) {
  const auto byte = [](int index) { return static_cast<std::uint8_t>(index); };
  for (int f = 0; f < kMidiFunctions; ++f)
    ControllerSetting(settings, static_cast<MidiFunction>(f)) = byte(form.controllers[f]);
  settings.midiInPort = byte(form.midiPort);
  settings.midiInChannel = byte(form.midiChannel);
  if (form.audioDevice >= 0 && form.audioDevice < static_cast<int>(audioDevices.size())) {
    const std::string& device = audioDevices[static_cast<std::size_t>(form.audioDevice)];
    if (device != settings.audioDevice) {
      settings.audioDevice = device;
      session.GetPlatform().Message(kAudioDeviceChanged);
    }
  }
  if (form.interpolation >= 0) session.SetInterpolation(byte(form.interpolation));
  settings.audioEditor = form.audioEditor;
  settings.defaultKit = form.defaultKit;
  settings.confirmationMessages = form.confirmationMessages;
}

FileDialog AudioEditorDialog(const std::string& current) {
  const std::size_t slash = current.rfind('/');
  const std::string start = slash == std::string::npos ? "/usr/bin" : current;
  return {"Program files (*)|*|", "", start};
}

}  // namespace tond
