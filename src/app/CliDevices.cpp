// tond devices
// Lists the audio output devices, by the names the "audio device" setting and --device take
// (the default one marked with "*"), and the MIDI inputs with the index "MIDI IN port" takes.
// Both lists come from the code the program and its Settings window use.
#include <ostream>

#include "app/Cli.h"
#include "app/qt/MidiInput.h"
#include "engine/AudioStream.h"

namespace tond::cli {

int RunDevices(const Args& args, Streams& io) {
  if (!args.empty()) return UsageError(CommandOf(RunDevices), "no arguments are taken", io);
  {
    const AudioStream audio;  // PortAudio lives only as long as it is asked
    const std::string standard = audio.DefaultDeviceName();
    io.out << "Audio output devices (* the default):\n";
    for (const std::string& name : audio.OutputDeviceNames())
      io.out << (name == standard ? "* " : "  ") << name << "\n";
  }
  io.out << "MIDI inputs (MIDI IN port):\n";
  const std::vector<std::string> ports = MidiInput::Ports();
  for (std::size_t i = 0; i < ports.size(); ++i) io.out << "  " << i << " " << ports[i] << "\n";
  return kExitOk;
}

}  // namespace tond::cli
