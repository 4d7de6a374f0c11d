#pragma once
// The MIDI input port, through RtMidi: the ALSA sequencer where /dev/snd/seq opens, else JACK's
// MIDI (machines without the sequencer). The port list and the port opened come from the same
// one, so the index stored in the settings means the same port in both.
//
// RtMidi calls back on its own thread (ALSA's input thread, JACK's process thread). The
// callback only packs each channel message into one word (status in bits 0-7, first data byte
// in bits 8-15, second in bits 16-23), puts it in a lock-free ring and, unless a hand-over is
// already on its way, posts one to the window thread. There the handler receives every word
// that arrived since the last turn of the event loop, in one call, so a burst is applied and
// repainted once. Neither the session nor a widget is touched from the MIDI thread.
//
// The main window owns one for its whole life (CTondDlg::OpenMidiInput): it opens the port of
// the settings when it is built, hands the words to the session and closes it when it closes.
#include <QObject>
#include <array>
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <vector>

class RtMidiIn;

namespace tond {

enum class MidiBackend { kAuto, kAlsa, kJack };

class MidiInput : public QObject {
  Q_OBJECT

 public:
  using Handler = std::function<void(std::span<const std::uint32_t>)>;

  // Lives on the window thread, which the handler is called on. kAuto: ALSA when the
  // sequencer opens, else JACK.
  explicit MidiInput(MidiBackend backend = MidiBackend::kAuto, QObject* parent = nullptr);
  ~MidiInput() override;
  MidiInput(const MidiInput&) = delete;
  MidiInput& operator=(const MidiInput&) = delete;

  // The names of the ports messages can come from (at most 255); none when neither the
  // sequencer nor a JACK server is there.
  static std::vector<std::string> Ports(MidiBackend backend = MidiBackend::kAuto);

  // Opens port `index` of Ports() as the port "Tond:MIDI IN"; false when there is no such port
  // or it does not open. Closes a port opened before.
  bool Open(int index);
  void Close();
  bool IsOpen() const { return in_ != nullptr; }
  void SetHandler(Handler handler) { handler_ = std::move(handler); }

 private:
  static constexpr std::uint32_t kRing = 8192;  // a power of two

  static void Received(double stamp, std::vector<unsigned char>* message, void* self);
  void Push(std::uint32_t word);
  void Drain();

  MidiBackend backend_;
  std::unique_ptr<RtMidiIn> in_;
  Handler handler_;
  std::array<std::uint32_t, kRing> ring_{};
  std::atomic<std::uint32_t> head_{0};  // written by the MIDI thread
  std::atomic<std::uint32_t> tail_{0};  // written by the window thread
  std::atomic<bool> posted_{false};     // a Drain is queued and has not started
};

}  // namespace tond
