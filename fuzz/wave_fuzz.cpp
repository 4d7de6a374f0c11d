// The wave reader on any bytes: it refuses or reads, never more frames than the file holds, and
// a refusal keeps the sample the instrument had.
#include <cmath>
#include <cstddef>
#include <cstdint>

#include "FuzzSupport.h"
#include "kit/Instrument.h"
#include "kit/WaveReader.h"

using namespace tond;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static fuzz::InputFile input("input.wav");
  const std::string& path = input.Write(data, size);

  CInstrument instrument;
  instrument.data = {0.25f, -0.25f};  // the sample from before
  HeldMessages notifier;
  const bool loaded = LoadWave(path, instrument, &notifier);

  // Memory never runs out on inputs this small.
  fuzz::Check(notifier.messages.empty(), "no message");
  if (!loaded) {
    fuzz::Check(instrument.data == std::vector<float>{0.25f, -0.25f}, "refusal keeps the sample");
    return 0;
  }
  fuzz::Check(instrument.data.size() <= size, "no more frames than bytes");
  for (float v : instrument.data) fuzz::Check(std::isfinite(v) && std::fabs(v) <= 1.0f, "in range");
  return 0;
}
