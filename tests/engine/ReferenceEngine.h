#pragma once
// The engine written the plain way: every frame runs the step logic and the render of each of
// the 64 voices in turn, then the preview, then the master volume. The real engine is organised
// for speed and must give exactly the same floats; the equivalence test and the benchmark
// compare the two.
#include <array>
#include <cstdint>

#include "engine/Engine.h"
#include "engine/Track.h"
#include "kit/Kit.h"
#include "model/Pattern.h"

namespace tond::test {

class ReferenceEngine {
 public:
  ReferenceEngine(const Grid& grid, const CKit& kit);

  void Process(std::uint32_t frames, float* out);
  // Applied at once (the real engine applies them at its next Process call, to the same effect).
  void Reset();
  void PlayPreview(int slot, Cell colour);
  void StopPreview();
  std::uint32_t GetStepLength() const { return stepLength; }
  int PlayColumn() const { return tracks[0].column; }

  bool playing = false;
  bool muted = false;
  double tempo = 120.0;
  float volume = 0.8f;
  std::uint8_t interpolation = kLinear;

 private:
  void StartNote(CTrack& voice, Cell colour) const;
  float Read(const CInstrument& instrument, float position) const;
  float NextSample(CTrack& voice) const;
  void TrackFrame(CTrack& track, float& left, float& right);

  const Grid& grid;
  const CKit& kit;
  std::array<CTrack, CKit::kSlots> tracks;
  std::uint32_t stepLength = 0;
  // The preview voice: no instrument while none sounds; its counter runs up to previewLength.
  CTrack preview;
  std::uint32_t previewLength = 0;
};

}  // namespace tond::test
