#include "Examples.h"

#include <array>
#include <cstdlib>
#include <filesystem>
#include <memory>

#include "DefaultKit.h"
#include "base/SafeFile.h"
#include "files/PatternFile.h"
#include "files/ProjectFile.h"
#include "model/Project.h"

namespace tond::kitgen {

namespace {

enum Row {
  kKick = 0,
  kKickPunchy = 1,
  kSnare = 2,
  kSnareTight = 3,
  kClap = 4,
  kHatClosed = 5,
  kHatOpen = 6,
  kRide = 7,
  kTomLow = 8,
  kTomMid = 9,
  kTomHigh = 10,
  kRim = 11,
  kShaker = 12,
  kCowbell = 13,
  kClave = 14,
  kCrash = 15,
};

constexpr int kCentre = 128;   // green: the middle of the stereo field
constexpr int kNatural = 128;  // blue: the sample's own pitch

Cell Grey(int level) {
  return MakeCell(level, level, level);
}

void Put(Pattern& p, int column, int row, int volume, int pan = kCentre, int pitch = kNatural) {
  p[static_cast<std::size_t>(CellIndex(column, row))] = MakeCell(volume, pan, pitch);
}

// Pentatonic steps of a three-note chord on a root step.
constexpr std::array<int, 3> Chord(int root) {
  return {root, root + 1, root + 3};
}

DemoPattern Groove() {
  DemoPattern d{{}, 120};
  constexpr std::array<int, 4> kRoots{0, 0, 1, 4};  // A A C G
  for (int c = 0; c < kColumns; ++c) {
    int bar = c / 16, s = c % 16, root = kRoots[static_cast<std::size_t>(bar)];
    if (s == 0 || s == 8 || (s == 10 && bar % 2 == 1)) Put(d.cells, c, kKick, 240);
    if (s == 4 || s == 12) Put(d.cells, c, kSnare, 210);
    if (s == 12 && bar == 3) Put(d.cells, c, kClap, 180);
    if (s == 14)
      Put(d.cells, c, kHatOpen, 120, 160);
    else
      Put(d.cells, c, kHatClosed, s % 2 == 0 ? 160 : 80, 150);
    if (s == 0 || s == 3 || s == 8 || s == 11) Put(d.cells, c, kFirstBass + root, 220);
    if (s == 6 || s == 14) Put(d.cells, c, kFirstBass + root + 5, 180);
    if (s == 2 || s == 6 || s == 10 || s == 13) {
      int tone = Chord(root + 5)[static_cast<std::size_t>((s / 4 + bar) % 3)];
      Put(d.cells, c, kFirstPluck + tone, 150, s % 4 == 2 ? 90 : 170);
    }
  }
  Put(d.cells, 0, kCrash, 150);
  return d;
}

DemoPattern Pads() {
  DemoPattern d{{}, 84};
  constexpr std::array<int, 4> kRoots{0, 1, 2, 0};
  for (int c = 0; c < kColumns; ++c) {
    int bar = c / 16, s = c % 16, root = kRoots[static_cast<std::size_t>(bar)];
    if (s < 15)
      for (int tone : Chord(root)) Put(d.cells, c, kFirstPad + tone, 70, 60 + 40 * (tone % 3));
    if (s == 0 || s == 10) Put(d.cells, c, kKick, 230);
    if (s == 8) Put(d.cells, c, kSnareTight, 160);
    Put(d.cells, c, kShaker, s % 2 == 0 ? 90 : 50, 180);
    if (s == 14 && bar % 2 == 1) Put(d.cells, c, kRim, 140, 90);
    if (s < 4 || s == 8 || s == 9) Put(d.cells, c, kFirstBass + root, 200);
  }
  return d;
}

DemoPattern Toms() {
  DemoPattern d{{}, 140};
  constexpr std::array<int, 4> kRoots{0, 0, 2, 3};
  constexpr std::array<int, 8> kMelody{10, 9, 8, 6, 7, 5, 3, 5};
  for (int c = 0; c < kColumns; ++c) {
    int bar = c / 16, s = c % 16, root = kRoots[static_cast<std::size_t>(bar)];
    bool fill = c >= 56;
    if (!fill && (s == 0 || s == 3 || s == 8 || s == 11)) Put(d.cells, c, kKickPunchy, 240);
    if (!fill && (s == 4 || s == 12)) Put(d.cells, c, kClap, 200);
    if (s % 4 == 2) Put(d.cells, c, kCowbell, 100, 180);
    if (s % 2 == 0 && !fill) Put(d.cells, c, kHatClosed, 110, 100);
    if (fill) Put(d.cells, c, kTomHigh - (c - 56) / 3, 220, 60 + 20 * (c - 56));
    if (s == 0 || s == 6 || s == 12) Put(d.cells, c, kFirstBass + root, 220);
    if (c % 4 == 0 || c % 8 == 6)
      Put(d.cells, c, kFirstPluck + kMelody[static_cast<std::size_t>((c / 2) % 8)], 160);
  }
  return d;
}

// The pattern as a picture: a rising diagonal of plucks that sweeps from left to right, and a
// falling one of pads.
DemoPattern Diagonal() {
  DemoPattern d{{}, 100};
  for (int c = 0; c < kColumns; ++c) {
    if (c % 2 == 0) Put(d.cells, c, kFirstPluck + c / 4, 120 + c, c * 4);
    if (c % 8 == 0) Put(d.cells, c, kFirstPad + 15 - c / 4, 70);
    if (c % 8 == 0) Put(d.cells, c, kKick, 220);
    if (c % 8 == 3) Put(d.cells, c, kClave, 120, 200);
  }
  return d;
}

}  // namespace

std::vector<std::pair<std::string, Pattern>> ExampleFilters() {
  Pattern checker{}, diagonal{}, vertical{}, horizontal{}, quarters{};
  for (int c = 0; c < kColumns; ++c) {
    for (int r = 0; r < kRows; ++r) {
      auto i = static_cast<std::size_t>(CellIndex(c, r));
      checker[i] = (c + r) % 2 == 0 ? Grey(255) : 0;
      int distance = std::abs(c - r);
      diagonal[i] = distance < 8 ? Grey(255 - distance * 32) : 0;
      vertical[i] = Grey(r * 255 / (kRows - 1));
      horizontal[i] = Grey(c * 255 / (kColumns - 1));
      quarters[i] = c % 4 == 0 ? Grey(255) : 0;
    }
  }
  return {{"checkerboard.pat", checker},
          {"diagonal.pat", diagonal},
          {"vertical-gradient.pat", vertical},
          {"horizontal-gradient.pat", horizontal},
          {"every-4th-step.pat", quarters}};
}

std::vector<DemoPattern> DemoPatterns() {
  return {Groove(), Pads(), Toms(), Diagonal()};
}

bool WriteExamples(const std::string& programFolder, const std::vector<KitSound>& sounds) {
  namespace fs = std::filesystem;
  const fs::path root(programFolder);
  std::error_code ec;
  fs::create_directories(root / "Filters", ec);
  fs::create_directories(root / "Projects", ec);
  bool ok = true;
  for (const auto& [name, cells] : ExampleFilters()) {
    std::vector<std::uint8_t> bytes = EncodePatternFile(cells, kDefaultTempo);
    ok = WriteFileSafely((root / "Filters" / name).string(), bytes.data(), bytes.size()) && ok;
  }

  auto project = std::make_unique<Project>();
  for (int slot = 0; slot < CKit::kSlots && slot < static_cast<int>(sounds.size()); ++slot) {
    const KitSound& sound = sounds[static_cast<std::size_t>(slot)];
    project->kit[slot].samplePath = "kits/" + sound.file;
    project->kit[slot].loop = sound.loop;
    project->kit[slot].fade = sound.fade;
  }
  std::vector<DemoPattern> demo = DemoPatterns();
  for (std::size_t slot = 0; slot < demo.size(); ++slot) {
    project->SetStoredPattern(static_cast<int>(slot), demo[slot].cells);
    project->SetTempo(static_cast<int>(slot), demo[slot].tempo);
  }
  auto bytes = EncodeProjectFile(*project);
  return ok && bytes &&
         WriteFileSafely((root / "Projects" / "demo.blp").string(), bytes->data(), bytes->size());
}

}  // namespace tond::kitgen
