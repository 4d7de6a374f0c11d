#pragma once

namespace tond {

// Geometry of the key window's keyboard: a 1350 x 90 strip of all 128 keys, key 0 at the
// left, drawn at (10, 10) of the window's inner area and scrolled by whole keys.
namespace keyboard {

inline constexpr int kKeys = 128;
inline constexpr int kStripWidth = 1350;  // 75 white keys
inline constexpr int kStripHeight = 90;
inline constexpr int kWhiteKeyWidth = 18;
inline constexpr int kBandHeight = 13;      // the orange band with the C names
inline constexpr int kBlackKeyBottom = 59;  // black keys cover strip rows 13 to 58
inline constexpr int kOctaveWidth = 126;    // seven white keys

// Placement in the window's inner area.
inline constexpr int kLeft = 10;
inline constexpr int kTop = 10;
inline constexpr int kInnerWidth = 523;
inline constexpr int kInnerHeight = 119;
inline constexpr int kScrollBarTop = 100;
inline constexpr int kScrollBarHeight = 12;
inline constexpr int kScrollRange = 127;
inline constexpr int kScrollPage = 49;
inline constexpr int kFirstKeyMax = kScrollRange - kScrollPage + 1;  // 79

}  // namespace keyboard

bool IsBlackKey(int key);

// Width of key's hit zone in the black-key rows, by its place in the octave (C is 12, C# 14,
// D 4, ...); seven white keys' worth per octave.
int ZoneWidth(int key);

// Left edge of key's zone in the strip: the zone widths of keys 0 to key - 1. Defined for
// 0 to 128; offset(12) = 126, offset(60) = 630.
int KeyOffset(int key);

// The key under point (x, y) of the window's inner area, or -1. innerWidth is the width of
// that area, firstKey the key at the keyboard's left edge. The band and the scroll bar count
// for no key; points with y < 69 use the black-key zones, those below the white keys.
int KeyAtPoint(int x, int y, int innerWidth, int firstKey);

// Scrolling by a step or a page (delta -1 or +1) and dragging the thumb to pos: the new first
// visible key. A move that would leave 0 to kFirstKeyMax leaves the keyboard where it is.
int ScrollKeyboard(int firstKey, int delta);
int ScrollKeyboardTo(int firstKey, int pos);

}  // namespace tond
