#include "kit/KitList.h"

#include <cstdio>

#include "kit/Kit.h"

namespace tond {

using namespace kit_list;

PixelRect KitListBounds(int cellWidth, int cellHeight) {
  return {kLeft, kTop, kSlots * cellWidth + kLeft, kSlots * cellHeight + kTop};
}

int KitRowTop(int slot, int cellHeight) {
  return slot * cellHeight + kTop;
}

int KitStatusTop(int cellHeight) {
  return KitListBounds(0, cellHeight).bottom + kStatusGap;
}

KitHit KitListHit(int x, int y, int cellHeight) {
  if (cellHeight <= 0) return {};
  if (x < kLeft || y < kTop || x >= kHitRight || y >= kSlots * cellHeight + kTop) return {};
  KitHit hit;
  hit.slot = (y - kTop) / cellHeight;
  if (x < kLoopX)
    hit.column = KitColumn::kName;
  else if (x < kLoopHitEnd)
    hit.column = KitColumn::kLoop;
  else if (x >= kFadeX && x <= kFadeHitLast)
    hit.column = KitColumn::kFade;
  return hit;
}

int KitRootKeyHit(int x, int y, int cellHeight) {
  if (cellHeight <= 0 || x < kRootKeyX || x >= kRootKeyX + kRootKeyWidth || y < kTop ||
      y >= kSlots * cellHeight + kTop)
    return kNoSlot;
  return (y - kTop) / cellHeight;
}

int KitHighlightUp(int slot) {
  if (slot < 0 || slot >= kSlots) return 0;
  return slot == 0 ? kSlots - 1 : slot - 1;
}

int KitHighlightDown(int slot) {
  if (slot < 0 || slot >= kSlots - 1) return 0;
  return slot + 1;
}

std::string KitSlotLabel(int slot, const std::string& samplePath) {
  char number[16];
  std::snprintf(number, sizeof number, "%02d", slot + 1);
  return std::string(number) + " - " + SampleName(samplePath);
}

std::string KitLengthText(std::uint32_t frames) {
  return std::to_string(frames);
}

std::string RootKeyText(std::uint8_t key) {
  static constexpr const char* kNotes[12] = {"C",  "C#", "D",  "D#", "E",  "F",
                                             "F#", "G",  "G#", "A",  "Bb", "B"};
  return std::string(kNotes[key % 12]) + std::to_string(key / 12);
}

}  // namespace tond
