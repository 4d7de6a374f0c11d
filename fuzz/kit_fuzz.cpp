// The markup reader and the kit loader on the same bytes. The reader classifies every line and
// never fails; the loader touches only the slots the file names, in order, never beyond the 64th.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "FuzzSupport.h"
#include "base/Notifier.h"
#include "kit/Kit.h"
#include "kit/Markup.h"

using namespace tond;

namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// Walks the file as the loader does; returns how many "instrument" elements it opens.
int WalkMarkup(const std::string& path, std::size_t size) {
  XMLreader reader(path);
  fuzz::Check(reader.IsOpen(), "a regular file opens");
  int instruments = 0;
  std::size_t lines = 0;
  std::string line;
  while (reader.Next(line)) {
    ++lines;
    fuzz::Check(reader.type >= XMLreader::Declaration && reader.type <= XMLreader::EmptyTag,
                "a known item type");
    fuzz::Check(line.size() <= size, "a line from the file");
    fuzz::Check(line.empty() || (!IsBlank(line.front()) && !IsBlank(line.back())), "trimmed");
    fuzz::Check(reader.value.find('"') == std::string::npos, "no quote in a value");
    if (reader.type == XMLreader::OpenTag && reader.name == "instrument") ++instruments;
  }
  fuzz::Check(lines <= size, "no more lines than bytes");
  return instruments;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static fuzz::InputFile input("input.kit");
  const std::string& path = input.Write(data, size);
  const int named = std::min(WalkMarkup(path, size), CKit::kSlots);

  // Every slot empty but marked, so that a slot the loader touches shows it.
  auto kit = std::make_unique<CKit>();
  for (int slot = 0; slot < CKit::kSlots; ++slot) {
    (*kit)[slot].loop = true;
    (*kit)[slot].minkey = 7;
  }
  HeldMessages notifier;
  fuzz::Check(kit->Load(path, &notifier, nullptr), "a file that opens loads");

  for (int slot = 0; slot < CKit::kSlots; ++slot) {
    const CInstrument& instrument = (*kit)[slot];
    fuzz::Check(instrument.minkey == 7, "the key range is not read");
    if (slot >= named)
      fuzz::Check(!instrument.InUse() && instrument.loop && instrument.data.empty(),
                  "a slot the file does not name is untouched");
  }
  // The only message: a sample that cannot be read, naming the path of a slot in use.
  for (const std::string& message : notifier.messages) {
    bool named_slot = false;
    for (int slot = 0; slot < named && !named_slot; ++slot)
      named_slot = (*kit)[slot].InUse() &&
                   message == FormatMessage(kSampleReadError, (*kit)[slot].samplePath);
    fuzz::Check(named_slot, "only the sample message");
  }
  return 0;
}
