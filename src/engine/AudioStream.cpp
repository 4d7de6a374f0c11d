#include "engine/AudioStream.h"

#include <alsa/asoundlib.h>
#include <jack/jack.h>
#include <portaudio.h>

#include <algorithm>

#include "base/Version.h"
#include "engine/Engine.h"

namespace tond {
namespace {

// PortAudio probes every ALSA device and tries to reach a JACK server when it starts; both
// libraries print each failure to the terminal, which on a machine without those is a flood.
void QuietAlsa(const char*, int, const char*, int, const char*, ...) {}
void QuietJack(const char*) {}

PaStream* AsStream(void* stream) {
  return static_cast<PaStream*>(stream);
}

}  // namespace

AudioStream::AudioStream() {
  snd_lib_error_set_handler(QuietAlsa);
  jack_set_error_function(QuietJack);
  jack_set_info_function(QuietJack);
  initialised_ = Pa_Initialize() == paNoError;
}

AudioStream::~AudioStream() {
  Close();
  if (initialised_) Pa_Terminate();
}

std::string AudioStream::DefaultDeviceName() const {
  if (!initialised_) return {};
  const PaDeviceIndex index = Pa_GetDefaultOutputDevice();
  const PaDeviceInfo* info = index == paNoDevice ? nullptr : Pa_GetDeviceInfo(index);
  return info != nullptr && info->name != nullptr ? info->name : "";
}

std::vector<std::string> AudioStream::OutputDeviceNames() const {
  std::vector<std::string> names;
  if (!initialised_) return names;
  for (PaDeviceIndex i = 0, n = Pa_GetDeviceCount(); i < n; ++i) {
    const PaDeviceInfo* info = Pa_GetDeviceInfo(i);
    if (info != nullptr && info->name != nullptr && info->maxOutputChannels > 0) {
      names.push_back(info->name);
    }
  }
  return names;
}

int AudioStream::FindOutputDevice(const std::string& name) const {
  if (!initialised_) return -1;
  for (PaDeviceIndex i = 0, n = Pa_GetDeviceCount(); i < n; ++i) {
    const PaDeviceInfo* info = Pa_GetDeviceInfo(i);
    if (info != nullptr && info->name != nullptr && info->maxOutputChannels > 0 &&
        name == info->name) {
      return i;
    }
  }
  return -1;
}

std::string AudioStream::DeviceFor(const std::string& setting) const {
  return FindOutputDevice(setting) >= 0 ? setting : DefaultDeviceName();
}

bool AudioStream::Open(Engine& engine, const std::string& device, int bufferSize,
                       int numberOfBuffers) {
  Close();
  const int index = FindOutputDevice(device);
  if (index < 0) return false;
  const PaDeviceInfo* info = Pa_GetDeviceInfo(index);
  if (bufferSize <= 0) bufferSize = kDefaultBufferSize;

  PaStreamParameters output{};
  output.device = index;
  output.channelCount = 2;
  output.sampleFormat = paFloat32;
  // PortAudio has no count of buffers any more; the same latency is asked for instead.
  output.suggestedLatency = numberOfBuffers > 0
                                ? static_cast<double>(numberOfBuffers) * bufferSize / kSampleRate
                                : info->defaultLowOutputLatency;
  output.hostApiSpecificStreamInfo = nullptr;

  engine_ = &engine;
  framesPlayed_.store(0, std::memory_order_relaxed);
  PaStream* stream = nullptr;
  const PaError error =
      Pa_OpenStream(&stream, nullptr, &output, kSampleRate, static_cast<unsigned long>(bufferSize),
                    paNoFlag, &AudioStream::Callback, this);
  if (error != paNoError) {
    engine_ = nullptr;
    return false;
  }
  stream_ = stream;
  return true;
}

bool AudioStream::Start() {
  return stream_ != nullptr && Pa_StartStream(AsStream(stream_)) == paNoError;
}

void AudioStream::Stop() {
  if (IsRunning()) Pa_StopStream(AsStream(stream_));
}

void AudioStream::Close() {
  if (stream_ == nullptr) return;
  Stop();
  Pa_CloseStream(AsStream(stream_));
  stream_ = nullptr;
  engine_ = nullptr;
}

bool AudioStream::IsRunning() const {
  return stream_ != nullptr && Pa_IsStreamActive(AsStream(stream_)) == 1;
}

double AudioStream::CpuLoad() const {
  return stream_ != nullptr ? Pa_GetStreamCpuLoad(AsStream(stream_)) : 0.0;
}

// On the audio thread: no allocation, lock, logging or file access here.
int AudioStream::Callback(const void*, void* output, unsigned long frames,
                          const PaStreamCallbackTimeInfo*, PaStreamCallbackFlags,
                          void* self) noexcept {
  auto* stream = static_cast<AudioStream*>(self);
  auto* out = static_cast<float*>(output);
  const auto count = static_cast<std::uint32_t>(frames);
  stream->engine_->ProcessLive(count, out);
  stream->player_.Mix(out, count);
  stream->recorder_.RecordBuffer(out, count);
  stream->framesPlayed_.fetch_add(count, std::memory_order_relaxed);
  return paContinue;
}

std::string LoadTitle(double load) {
  const double percent = load * 100.0;
  const int shown = percent > 0.0 ? static_cast<int>(std::min(percent, 1e6)) : 0;
  return std::string(kProgramTitle) + "  -  CPU load: " + std::to_string(shown) + "%";
}

}  // namespace tond
