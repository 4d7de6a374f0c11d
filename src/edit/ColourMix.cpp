#include "edit/ColourMix.h"

#include "edit/Random.h"

namespace tond {

namespace {

int LerpChannel(int c1, int c2, float t) {
  return static_cast<int>(static_cast<float>(c2 - c1) * t + static_cast<float>(c1)) & 255;
}

int VaryChannel(int channel, float amount, RandomSource& random) {
  float value = static_cast<float>(channel) + (RandomUnit(random) - 0.5f) * 2.0f * amount;
  if (value < 0.0f) value = 0.0f;
  if (value > 255.0f) value = 255.0f;
  return static_cast<int>(value);
}

}  // namespace

Cell Lerp(Cell c1, Cell c2, float t) {
  return MakeCell(LerpChannel(Red(c1), Red(c2), t), LerpChannel(Green(c1), Green(c2), t),
                  LerpChannel(Blue(c1), Blue(c2), t));
}

Cell VaryColour(Cell colour, float redAmount, float greenAmount, float blueAmount,
                RandomSource& random) {
  if (redAmount == 0.0f && greenAmount == 0.0f && blueAmount == 0.0f) return colour;
  int red = VaryChannel(Red(colour), redAmount, random);
  int green = VaryChannel(Green(colour), greenAmount, random);
  int blue = VaryChannel(Blue(colour), blueAmount, random);
  return MakeCell(red, green, blue);
}

}  // namespace tond
