#pragma once
// The examples shipped beside the program: filter masks for the Filters folder and a demo
// project that plays the default kit.
#include <string>
#include <utility>
#include <vector>

#include "DefaultKit.h"
#include "model/Pattern.h"

namespace tond::kitgen {

struct DemoPattern {
  Pattern cells{};
  std::uint32_t tempo = 120;
};

// Grey masks (red = green = blue) named by what they keep of a pattern.
std::vector<std::pair<std::string, Pattern>> ExampleFilters();

// The demo project's patterns, slot 0 first; the remaining slots stay empty.
std::vector<DemoPattern> DemoPatterns();

// Writes Filters/*.pat and Projects/demo.blp under `programFolder`; the demo's kit slots are
// those of the default kit. False when a file could not be written.
bool WriteExamples(const std::string& programFolder, const std::vector<KitSound>& sounds);

}  // namespace tond::kitgen
