#include "kit/Kit.h"

#include <array>
#include <utility>
#include <vector>

#include "base/Notifier.h"
#include "base/Paths.h"
#include "kit/Markup.h"
#include "kit/WaveReader.h"

namespace tond {

std::string SampleName(const std::string& samplePath) {
  std::string name = FileNameOf(samplePath);
  const size_t dot = name.rfind('.');
  if (dot != std::string::npos) name.erase(dot);
  return name;
}

CKit::CKit() {
  Clear();
}

void CKit::Clear() {
  for (auto& slot : slots_) slot.Empty();
}

bool CKit::Load(const std::string& path, Notifier* notifier, KitProgress* progress, int* error) {
  std::array<bool, kSlots> pathSet{};
  {
    XMLreader reader(path);
    if (error) *error = reader.Error();
    if (!reader.IsOpen()) return false;
    // The lines are read into a copy, so that a file refused part-way changes nothing.
    struct Fields {
      std::string samplePath;
      bool loop;
      bool fade;
    };
    std::array<Fields, kSlots> read;
    for (int slot = 0; slot < kSlots; ++slot) {
      const CInstrument& instrument = (*this)[slot];
      read[static_cast<size_t>(slot)] = {instrument.samplePath, instrument.loop, instrument.fade};
    }
    // -1 until the first "instrument"; kSlots once the 64 slots are used up, so that further
    // instruments are ignored.
    int slot = -1;
    std::string line;
    while (reader.Next(line)) {
      if (reader.type == XMLreader::OpenTag && reader.name == "instrument") {
        if (slot < kSlots) ++slot;
        continue;
      }
      if (reader.type != XMLreader::EmptyTag || slot < 0 || slot >= kSlots) continue;
      // Only the element name counts; any attribute name may stand before the value.
      Fields& instrument = read[static_cast<size_t>(slot)];
      if (reader.name == "sample") {
        instrument.samplePath = reader.value;
        pathSet[static_cast<size_t>(slot)] = true;
      } else if (reader.name == "loop") {
        instrument.loop = reader.value == "yes";
      } else if (reader.name == "fade") {
        instrument.fade = reader.value == "yes";
      }
    }
    if (reader.TooLong()) return false;
    for (int slot = 0; slot < kSlots; ++slot) {
      Fields& fields = read[static_cast<size_t>(slot)];
      CInstrument& instrument = (*this)[slot];
      instrument.samplePath = std::move(fields.samplePath);
      instrument.loop = fields.loop;
      instrument.fade = fields.fade;
    }
  }

  for (int slot = 0; slot < kSlots; ++slot) {
    // Slots the file leaves alone and that are not in use keep everything.
    if (!(*this)[slot].InUse() && !pathSet[static_cast<size_t>(slot)]) continue;
    if (LoadSample(slot, notifier) && progress)
      progress->Status("Loading " + (*this)[slot].samplePath + " ...");
  }
  return true;
}

bool CKit::LoadSample(int slot, Notifier* notifier) {
  CInstrument& instrument = (*this)[slot];
  int error = 0;
  if (instrument.InUse() && LoadWave(instrument.samplePath, instrument, notifier, nullptr, &error))
    return true;
  // Neither an emptied slot nor one whose new sample failed may go on playing the old one.
  std::vector<float>().swap(instrument.data);  // frees the memory, not just the length
  instrument.rootKey = 60;
  if (instrument.InUse() && notifier)
    notifier->Failure(FormatMessage(kSampleReadError, instrument.samplePath), SystemReason(error));
  return false;
}

bool CKit::Save(const std::string& path, int* error) const {
  XMLwriter writer(path);
  bool ok = writer.WriteHeader() && writer.OpenElement("TondKit");
  for (int slot = 0; ok && slot < kSlots; ++slot) {
    const CInstrument& instrument = (*this)[slot];
    // minkey, maxkey and scale are written with fixed values and ignored on reading.
    ok = writer.OpenElement("instrument") &&
         writer.WriteElement("sample", "name", instrument.samplePath) &&
         writer.WriteElement("loop", "value", instrument.loop ? "yes" : "no") &&
         writer.WriteElement("fade", "value", instrument.fade ? "yes" : "no") &&
         writer.WriteElement("minkey", "value", "0") &&
         writer.WriteElement("maxkey", "value", "127") &&
         writer.WriteElement("scale", "value", "0") && writer.CloseElement();
  }
  ok = ok && writer.CloseElement() && writer.Finish();
  if (error) *error = writer.Error();
  return ok;
}

}  // namespace tond
