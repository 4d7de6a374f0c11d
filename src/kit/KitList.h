#pragma once
#include <cstdint>
#include <string>

#include "base/Rect.h"

namespace tond {

// The kit editor's list of the 64 slots: one row per slot, cell height pixels high, with the
// slot's name, loop box, fade box, length and root key side by side. x positions are fixed;
// the row height and the list's width follow the main window's cell size.
namespace kit_list {

inline constexpr int kSlots = 64;
inline constexpr int kNoSlot = -1;

inline constexpr int kLeft = 20;
inline constexpr int kTop = 10;
inline constexpr int kNameClipRight = 195;  // the name text is cut here
inline constexpr int kLoopX = 200;          // loop bitmap
inline constexpr int kFadeX = 230;          // fade bitmap
inline constexpr int kLengthX = 270;
inline constexpr int kRootKeyX = 330;
inline constexpr int kStatusGap = 50;  // from the list's bottom to the status text

// Hit areas: a row counts for x from kLeft up to (not including) kHitRight; the loop box
// from 200 to 211, the fade box from 230 to 241.
inline constexpr int kHitRight = 250;
inline constexpr int kLoopHitEnd = 212;
inline constexpr int kFadeHitLast = 241;
// The root key's text, which opens the "Scale and range" window of the row's instrument.
inline constexpr int kRootKeyWidth = 40;

}  // namespace kit_list

// The list's rectangle: 64 cells wide and 64 rows high from (20, 10).
PixelRect KitListBounds(int cellWidth, int cellHeight);

int KitRowTop(int slot, int cellHeight);

// Where the status line goes: 50 pixels below the list.
int KitStatusTop(int cellHeight);

enum class KitColumn { kNone, kName, kLoop, kFade };

struct KitHit {
  int slot = kit_list::kNoSlot;
  KitColumn column = KitColumn::kNone;
  bool operator==(const KitHit&) const = default;
};

// The slot and column under (x, y). Between the boxes and right of the fade box (up to x
// 249) a row still has its slot, with no column; further right there is no slot.
KitHit KitListHit(int x, int y, int cellHeight);

// The slot whose root key is under (x, y), or kNoSlot.
int KitRootKeyHit(int x, int y, int cellHeight);

// The arrow keys on the highlighted slot (kNoSlot for none). Both wrap: Up from slot 0 goes
// to 63, Down from 63 to 0; from none, either goes to slot 0.
int KitHighlightUp(int slot);
int KitHighlightDown(int slot);

// "%02d - %s": the slot number from 1, then the SampleName. A new kit's slot shows "01 - not used".
std::string KitSlotLabel(int slot, const std::string& samplePath);

// The sample length in frames, "%ld".
std::string KitLengthText(std::uint32_t frames);

// The root key as the list shows it: flats for A#, and the octave key / 12, so key 60 is C5
// here (the range fields name the same key C3).
std::string RootKeyText(std::uint8_t key);

}  // namespace tond
