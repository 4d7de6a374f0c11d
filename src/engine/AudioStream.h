#pragma once
// The live output: one PortAudio callback stream of 2 x 32-bit float at 44100 frames per second.
// Each buffer is rendered by the engine (or is silence while the engine's `muted` is set), then
// the sound player's clip is added, then the recorder taps the result: the recording holds
// exactly what goes to the device.
//
// A device that is not found, or a stream that does not open or start, leaves the program
// silent without a message; everything else goes on working.
//
// Use on the window thread:
//   AudioStream stream;                                   // initialises PortAudio
//   stream.Open(engine, device, bufferSize, numberOfBuffers);
//   stream.Start();
//   stream.GetRecorder().Start(outputFolder, &notifier); ... stream.GetRecorder().Stop();
//   stream.GetPlayer().Play(path, &notifier); ... stream.GetPlayer().Stop();
//   stream.Close();                                       // or let the destructor do it
#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

#include "engine/Recorder.h"
#include "engine/SoundPlayer.h"

struct PaStreamCallbackTimeInfo;

namespace tond {

class Engine;

class AudioStream {
 public:
  static constexpr int kSampleRate = 44100;
  static constexpr int kDefaultBufferSize = 256;

  // Initialises PortAudio, with the console chatter of ALSA and JACK turned off first.
  AudioStream();
  // Closes the stream, finishes a running recording, frees the player's clip, terminates
  // PortAudio.
  ~AudioStream();
  AudioStream(const AudioStream&) = delete;
  AudioStream& operator=(const AudioStream&) = delete;

  // Name of PortAudio's default output device; empty when there is none.
  std::string DefaultDeviceName() const;
  // Names of all devices with at least one output channel, in PortAudio's order.
  std::vector<std::string> OutputDeviceNames() const;
  // Index of the first device, in PortAudio's order, that has an output channel and whose name
  // equals `name` exactly; -1 when there is none.
  int FindOutputDevice(const std::string& name) const;
  // The device to play through for the "audio device" setting: the device of that name, or the
  // default output device when none has it (a card unplugged since); empty when there is no
  // output device at all. The setting itself stays, so the card is used again once it is back.
  std::string DeviceFor(const std::string& setting) const;

  // Opens an output stream on the device named `device` with `bufferSize` frames per buffer
  // (256 when not positive). `numberOfBuffers` sets the suggested latency to that many buffers;
  // 0 (or less) asks for the device's low latency. Closes a stream opened before. False when
  // the device is not found or the stream does not open. The engine must outlive the stream's
  // being open.
  bool Open(Engine& engine, const std::string& device, int bufferSize, int numberOfBuffers);
  // False when no stream is open or it does not start.
  bool Start();
  // Stops the stream, letting queued buffers play out.
  void Stop();
  void Close();
  bool IsOpen() const { return stream_ != nullptr; }
  bool IsRunning() const;

  // Share of the time between buffers that the callback takes (1.0 = all of it); 0 without a
  // stream.
  double CpuLoad() const;
  // Frames the callback has handed to the device since the stream was opened.
  std::uint64_t FramesPlayed() const { return framesPlayed_.load(std::memory_order_relaxed); }

  Recorder& GetRecorder() { return recorder_; }
  SoundPlayer& GetPlayer() { return player_; }

 private:
  // PortAudio's stream callback (PaStreamCallback; the flags are PaStreamCallbackFlags).
  static int Callback(const void* input, void* output, unsigned long frames,
                      const PaStreamCallbackTimeInfo* time, unsigned long flags,
                      void* self) noexcept;

  bool initialised_ = false;
  void* stream_ = nullptr;  // PaStream
  Engine* engine_ = nullptr;
  std::atomic<std::uint64_t> framesPlayed_{0};
  // Destroyed after the stream is closed, so no callback can reach them any more.
  Recorder recorder_;
  SoundPlayer player_;
};

// The main window's title for a processor load: "Tond 1.02  -  CPU load: <percent>%", the
// percentage truncated to an integer.
std::string LoadTitle(double load);

}  // namespace tond
