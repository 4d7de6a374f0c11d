#include "scales/Keyboard.h"

namespace tond {

namespace {

constexpr int kZoneWidths[12] = {12, 14, 4, 14, 10, 12, 14, 4, 14, 4, 14, 10};
// The key at each white key of an octave.
constexpr int kWhiteDegrees[7] = {0, 2, 4, 5, 7, 9, 11};

constexpr int kHitTop = keyboard::kTop + keyboard::kBandHeight;            // 23
constexpr int kHitBottom = keyboard::kScrollBarTop;                        // 100
constexpr int kWhiteRowsTop = keyboard::kTop + keyboard::kBlackKeyBottom;  // 69

}  // namespace

bool IsBlackKey(int key) {
  static constexpr bool kBlack[12] = {false, true,  false, true,  false, false,
                                      true,  false, true,  false, true,  false};
  return kBlack[key % 12];
}

int ZoneWidth(int key) {
  return kZoneWidths[key % 12];
}

int KeyOffset(int key) {
  int x = (key / 12) * keyboard::kOctaveWidth;
  for (int k = 0; k < key % 12; ++k) x += kZoneWidths[k];
  return x;
}

int KeyAtPoint(int x, int y, int innerWidth, int firstKey) {
  if (x <= keyboard::kLeft || x >= innerWidth - keyboard::kLeft) return -1;
  if (y < kHitTop || y >= kHitBottom) return -1;
  if (firstKey < 0 || firstKey >= keyboard::kKeys) return -1;
  if (y < kWhiteRowsTop) {
    int r = x - keyboard::kLeft;
    int k = firstKey;
    // A window wider than the strip's remainder would walk past the last key: no key there.
    while (k < keyboard::kKeys) {
      r -= ZoneWidth(k);
      if (r <= 0) return k;
      ++k;
    }
    return -1;
  }
  const int p = KeyOffset(firstKey) + x - keyboard::kLeft;
  const int w = p / keyboard::kWhiteKeyWidth;
  const int key = (w / 7) * 12 + kWhiteDegrees[w % 7];
  return key < keyboard::kKeys ? key : -1;
}

int ScrollKeyboard(int firstKey, int delta) {
  return ScrollKeyboardTo(firstKey, firstKey + delta);
}

int ScrollKeyboardTo(int firstKey, int pos) {
  return pos >= 0 && pos <= keyboard::kFirstKeyMax ? pos : firstKey;
}

}  // namespace tond
