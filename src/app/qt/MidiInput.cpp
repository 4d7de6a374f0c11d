#include "app/qt/MidiInput.h"

#include <fcntl.h>
#include <jack/jack.h>
#include <rtmidi/RtMidi.h>
#include <unistd.h>

#include <QMetaObject>

namespace tond {
namespace {

constexpr const char* kClientName = "Tond";
constexpr const char* kPortName = "MIDI IN";
constexpr std::size_t kMaxPorts = 255;

void Quiet(const char*) {}

bool SequencerOpens() {
  const int fd = ::open("/dev/snd/seq", O_RDWR | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return false;
  ::close(fd);
  return true;
}

RtMidi::Api ApiOf(MidiBackend backend) {
  switch (backend) {
    case MidiBackend::kAlsa:
      return RtMidi::LINUX_ALSA;
    case MidiBackend::kJack:
      return RtMidi::UNIX_JACK;
    case MidiBackend::kAuto:
      break;
  }
  return SequencerOpens() ? RtMidi::LINUX_ALSA : RtMidi::UNIX_JACK;
}

// RtMidi prints its failures, and throws the serious ones unless a callback takes them.
void KeepError(RtMidiError::Type type, const std::string&, void* failed) {
  if (type != RtMidiError::WARNING && type != RtMidiError::DEBUG_WARNING)
    *static_cast<bool*>(failed) = true;
}

// A client of the API, or null when it cannot be reached. Without a JACK server RtMidi would
// print a warning at every attempt, so the server is asked first, quietly.
std::unique_ptr<RtMidiIn> Client(RtMidi::Api api) {
  if (api == RtMidi::UNIX_JACK) {
    jack_set_error_function(Quiet);
    jack_set_info_function(Quiet);
    jack_client_t* probe = jack_client_open("Tond probe", JackNoStartServer, nullptr);
    if (!probe) return nullptr;
    jack_client_close(probe);
  }
  try {
    return std::make_unique<RtMidiIn>(api, kClientName);
  } catch (const RtMidiError&) {
    return nullptr;
  }
}

}  // namespace

MidiInput::MidiInput(MidiBackend backend, QObject* parent) : QObject(parent), backend_(backend) {}

MidiInput::~MidiInput() {
  Close();
}

std::vector<std::string> MidiInput::Ports(MidiBackend backend) {
  std::vector<std::string> names;
  std::unique_ptr<RtMidiIn> in = Client(ApiOf(backend));
  if (!in) return names;
  bool failed = false;
  in->setErrorCallback(KeepError, &failed);
  const unsigned count = in->getPortCount();
  for (unsigned i = 0; i < count && names.size() < kMaxPorts; ++i)
    names.push_back(in->getPortName(i));
  return names;
}

bool MidiInput::Open(int index) {
  Close();
  std::unique_ptr<RtMidiIn> in = Client(ApiOf(backend_));
  if (!in || index < 0) return false;
  bool failed = false;
  in->setErrorCallback(KeepError, &failed);
  if (static_cast<unsigned>(index) >= in->getPortCount()) return false;
  in->setCallback(&MidiInput::Received, this);
  in->openPort(static_cast<unsigned>(index), kPortName);
  if (failed || !in->isPortOpen()) return false;
  in_ = std::move(in);
  return true;
}

void MidiInput::Close() {
  if (!in_) return;
  // Stops the MIDI thread: no callback runs after this.
  in_->closePort();
  in_.reset();
}

// The MIDI thread. Only channel messages reach the handler; system messages (clock, sensing,
// exclusive) carry nothing the program uses.
void MidiInput::Received(double, std::vector<unsigned char>* message, void* self) {
  if (!message || message->empty() || message->size() > 3) return;
  const std::uint8_t status = (*message)[0];
  if (status < 0x80 || status >= 0xF0) return;
  const std::uint32_t d1 = message->size() > 1 ? (*message)[1] : 0;
  const std::uint32_t d2 = message->size() > 2 ? (*message)[2] : 0;
  static_cast<MidiInput*>(self)->Push(status | d1 << 8 | d2 << 16);
}

void MidiInput::Push(std::uint32_t word) {
  const std::uint32_t head = head_.load(std::memory_order_relaxed);
  // A window thread a whole ring behind loses the newest messages, not the ones it will read.
  if (head - tail_.load(std::memory_order_acquire) != kRing) {
    ring_[head % kRing] = word;
    head_.store(head + 1, std::memory_order_seq_cst);
  }
  // One hand-over at a time: the window thread takes everything that is there when it runs.
  if (!posted_.exchange(true, std::memory_order_seq_cst))
    QMetaObject::invokeMethod(this, &MidiInput::Drain, Qt::QueuedConnection);
}

// The window thread.
void MidiInput::Drain() {
  // From here on a new message posts again, so none waits for a later one to be seen.
  posted_.store(false, std::memory_order_seq_cst);
  std::uint32_t tail = tail_.load(std::memory_order_relaxed);
  const std::uint32_t head = head_.load(std::memory_order_seq_cst);
  std::vector<std::uint32_t> words;
  words.reserve(head - tail);
  for (; tail != head; ++tail) words.push_back(ring_[tail % kRing]);
  tail_.store(tail, std::memory_order_release);
  if (!words.empty() && handler_) handler_(words);
}

}  // namespace tond
