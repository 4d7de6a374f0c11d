#pragma once
// Building a kit from wave files: a folder's waves, a random draw from a folder tree, and 64
// equal slices of one long sample. The scans and loads fill a KitBuild and touch no kit, so they
// may run on any thread; the result goes into the kit in one step (ApplyKitBuild), once no voice
// reads it.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "kit/Kit.h"

namespace tond {

class Notifier;

inline constexpr const char* kNoSampleInFolder =
    "No sample file has been found in this folder, or they were not in the right format!";
inline constexpr const char* kNotEnoughSlots = "There was not enough empty slots for all samples.";
inline constexpr const char* kSampleTooShort = "The file '%s' is too short.";
inline constexpr const char* kReplaceSlices =
    "Slices of the file '%s' already exist beside it.\nDo you want to replace them?";

// The shortest sample the slicer takes: 16 seconds at 44100 frames per second.
inline constexpr std::uint32_t kMinSliceFrames = 705600;

// What a long scan reports and asks, on the thread it runs on.
class ScanProgress {
 public:
  virtual ~ScanProgress() = default;
  // The file being looked at: "Searching... PATH" or "Loading... PATH".
  virtual void Looking(const std::string& text) = 0;
  // The user asked to stop: the scan ends at the next file and its result is dropped.
  virtual bool Cancelled() = 0;
};

// Runs a scan while the user may watch and cancel it: the kit editor runs it on another thread
// behind a progress dialog, the command line and the tests in place.
class ScanRunner {
 public:
  virtual ~ScanRunner() = default;
  // Runs `work` to its end; false when the user cancelled it.
  virtual bool Run(const std::function<void(ScanProgress&)>& work) = 0;
};

// Runs the work on the calling thread, never cancelled.
class InPlaceRunner final : public ScanRunner, private ScanProgress {
 public:
  bool Run(const std::function<void(ScanProgress&)>& work) override {
    work(*this);
    return true;
  }

 private:
  void Looking(const std::string&) override {}
  bool Cancelled() override { return false; }
};

// New contents for a kit: instruments[i] goes into slot i (its path, sample and root key), every
// other slot is emptied.
struct KitBuild {
  std::vector<CInstrument> instruments;  // at most 64
  std::vector<std::string> messages;     // what loading had to say, shown once it is done
  std::string status;                    // the last progress text
};

// The kit editor's emptying: "not used", no sample, loop and fade off, root key 60. The key
// range and the scale stay.
void EmptySlot(CInstrument& slot);
void EmptySlots(CKit& kit);
// The lowest slot without sample data, whatever its path says; -1 when every slot has one.
int FirstEmptySlot(const CKit& kit);
// Gives the slot the file: its path, its sample (none when it cannot be read), loop and fade
// off. True when the file was read; `error`, when given, receives why it could not be opened.
bool FillSlot(CInstrument& slot, const std::string& path, Notifier* notifier, int* error = nullptr);
// Empties every slot and moves the build's slots in.
void ApplyKitBuild(CKit& kit, KitBuild& build);

// The files of `folder` (not of its subfolders) whose names end in ".wav" in any case, sorted
// by name without regard to case.
std::vector<std::string> FolderWaveFiles(const std::string& folder);
// Every file under `root` whose name ends in exactly ".wav" or ".WAV" and that passes the wave
// check, in the order found: each folder's entries sorted as above, a subfolder searched where
// it stands (linked folders are not followed). Reports "Searching... PATH" for every file.
std::vector<std::string> FindWaveFiles(const std::string& root, ScanProgress& progress);
// The files of a random kit: all of them when there are 64 or fewer; else 64 without
// repetition, each candidate r = index(remaining - 1) taken out of the list in turn. index(n)
// gives 0 to n from the shared random source.
std::vector<std::string> DrawKitFiles(std::vector<std::string> candidates,
                                      const std::function<int(int n)>& index);
// The first 64 of FolderWaveFiles that pass the wave check, loaded into slots 0, 1, ...,
// reporting "Loading... PATH" for each. No slot: none passed.
KitBuild BuildKitFromFolder(const std::string& folder, ScanProgress& progress);
// FindWaveFiles and DrawKitFiles, then the drawn files loaded into slots 0, 1, ..., reporting
// "Loading... PATH" for each.
KitBuild BuildKitFromTree(const std::string& root, const std::function<int(int n)>& index,
                          ScanProgress& progress);

// Slice i of the file at `path` (0 to 63): the path without the file name's extension, followed
// by "_kit%02d.wav" with i + 1.
std::string SliceName(const std::string& path, int slice);
bool AnySliceExists(const std::string& path);
// Writes the 64 slices of `source` (read from `path`) beside it, each frames i * n / 64 up to
// (i + 1) * n / 64 as a normalised mono wave, replacing what is there, and loads them into the
// build's slots. The names of slices that could not be written go to `failed`; `error`, when
// given, receives the errno of the first of them.
KitBuild SliceSample(const CInstrument& source, const std::string& path,
                     std::vector<std::string>& failed, int* error = nullptr);

}  // namespace tond
