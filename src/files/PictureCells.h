#pragma once
#include <cstdint>

#include "model/Cell.h"

namespace tond {

// The cell a picture's pixel becomes: red the volume, green the pan, blue the rate. A pixel
// whose red, green and blue are all at or below `threshold` gives an empty cell, so that the dark
// background of a photo stays silent; at 0 only black does.
constexpr Cell PictureCell(std::uint8_t red, std::uint8_t green, std::uint8_t blue,
                           std::uint8_t threshold = 0) {
  if (red <= threshold && green <= threshold && blue <= threshold) return 0;
  return MakeCell(red, green, blue);
}

}  // namespace tond
