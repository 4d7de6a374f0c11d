#include "DefaultKit.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <filesystem>

#include "kit/Kit.h"
#include "kit/WaveWriter.h"

namespace tond::kitgen {

namespace {

constexpr std::array<int, 5> kPentatonic{0, 3, 5, 7, 10};  // A C D E G

std::string NoteName(int note) {
  static constexpr std::array<const char*, 12> kNames{"c",  "cs", "d",  "ds", "e",  "f",
                                                      "fs", "g",  "gs", "a",  "as", "b"};
  return std::string(kNames[static_cast<std::size_t>(note % 12)]) + std::to_string(note / 12 - 1);
}

std::string SlotFile(int slot, const std::string& name) {
  char number[8];
  std::snprintf(number, sizeof number, "%02d", slot);
  return std::string(number) + "-" + name + ".wav";
}

// A sound that is cut before it has died away ends with a short fall rather than a click (at
// slow tempos a step outlasts every sample).
Samples EndSoftly(Samples samples) {
  const std::size_t tail = std::min<std::size_t>(samples.size(), 441);  // 10 ms
  for (std::size_t k = 0; k < tail; ++k)
    samples[samples.size() - 1 - k] *= static_cast<float>(k) / static_cast<float>(tail);
  return samples;
}

}  // namespace

int PentatonicNote(int firstNote, int step) {
  return firstNote + 12 * (step / 5) + kPentatonic[static_cast<std::size_t>(step % 5)];
}

std::vector<KitSound> DefaultKitSounds() {
  // Every sound fades at the step's edges: a step cuts whatever still rings, and the fade keeps
  // that cut from clicking.
  struct Drum {
    const char* name;
    Samples samples;
  };
  std::vector<Drum> drums;
  drums.push_back({"kick", PitchedDrum({150, 45, 0.03, 0.35, 0.5, 0}, 1)});
  drums.push_back({"kick-punchy", PitchedDrum({230, 55, 0.015, 0.18, 0.3, 1.5}, 2)});
  drums.push_back({"snare", Snare(185, 0.12, 0.3, 3)});
  drums.push_back({"snare-tight", Snare(230, 0.06, 0.2, 4)});
  drums.push_back({"clap", Clap(5)});
  drums.push_back({"hat-closed", Hat(0.025, 0.1, 6)});
  drums.push_back({"hat-open", Hat(0.2, 0.5, 7)});
  drums.push_back({"ride", Cymbal(0.45, 0.9, 8)});
  drums.push_back({"tom-low", PitchedDrum({150, 90, 0.05, 0.25, 0.45, 0}, 9)});
  drums.push_back({"tom-mid", PitchedDrum({210, 130, 0.05, 0.22, 0.4, 0}, 10)});
  drums.push_back({"tom-high", PitchedDrum({280, 180, 0.05, 0.2, 0.35, 0}, 11)});
  drums.push_back({"rim", Rim(12)});
  drums.push_back({"shaker", Shaker(13)});
  drums.push_back({"cowbell", Cowbell()});
  drums.push_back({"clave", Clave()});
  drums.push_back({"crash", Cymbal(0.6, 1.4, 14)});

  std::vector<KitSound> sounds;
  for (std::size_t i = 0; i < drums.size(); ++i)
    sounds.push_back({SlotFile(static_cast<int>(i), drums[i].name), false, true,
                      EndSoftly(std::move(drums[i].samples))});
  struct Voice {
    const char* name;
    int firstNote;
    bool loop;
    Samples (*make)(double hz);
  };
  // A pad holds for as long as the step lasts at any tempo, so it loops; the others decay.
  const Voice voices[] = {
      {"bass", 33, false, Bass}, {"pluck", 45, false, Pluck}, {"pad", 57, true, Pad}};
  for (const Voice& voice : voices) {
    for (int step = 0; step < kNotesPerVoice; ++step) {
      int note = PentatonicNote(voice.firstNote, step);
      int slot = static_cast<int>(sounds.size());
      Samples samples = voice.make(NoteFrequency(note));
      if (!voice.loop) samples = EndSoftly(std::move(samples));
      sounds.push_back({SlotFile(slot, std::string(voice.name) + "-" + NoteName(note)), voice.loop,
                        true, std::move(samples)});
    }
  }
  return sounds;
}

bool WriteDefaultKit(const std::string& programFolder, const std::vector<KitSound>& sounds) {
  std::filesystem::path folder = std::filesystem::path(programFolder) / "kits";
  std::error_code ec;
  std::filesystem::create_directories(folder, ec);
  CKit kit;
  bool ok = sounds.size() == CKit::kSlots;
  for (int slot = 0; ok && slot < CKit::kSlots; ++slot) {
    const KitSound& sound = sounds[static_cast<std::size_t>(slot)];
    Samples copy = sound.samples;  // WriteWave normalises in place
    ok = WriteWave((folder / sound.file).string(), copy.data(),
                   static_cast<std::uint32_t>(copy.size()), 1);
    kit[slot].samplePath = "kits/" + sound.file;
    kit[slot].loop = sound.loop;
    kit[slot].fade = sound.fade;
  }
  return ok && kit.Save((folder / "default.kit").string());
}

}  // namespace tond::kitgen
