#include "kit/KitBuilder.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <system_error>
#include <utility>

#include "base/Notifier.h"
#include "base/Paths.h"
#include "kit/WaveReader.h"
#include "kit/WaveWriter.h"

namespace tond {

namespace fs = std::filesystem;

namespace {

constexpr const char* kSearching = "Searching... ";
constexpr const char* kLoading = "Loading... ";

std::string Folded(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

bool EndsWithWavAnyCase(const std::string& name) {
  return Folded(name).ends_with(".wav");
}

// The folder's entries sorted by name without regard to case (names equal but for case in byte
// order); an unreadable folder has none.
std::vector<fs::directory_entry> SortedEntries(const fs::path& folder) {
  struct Keyed {
    std::string folded, name;
    fs::directory_entry entry;
  };
  std::vector<Keyed> keyed;
  std::error_code error;
  for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
    std::string name = it->path().filename().string();
    keyed.push_back({Folded(name), std::move(name), *it});
  }
  std::sort(keyed.begin(), keyed.end(), [](const Keyed& a, const Keyed& b) {
    return a.folded != b.folded ? a.folded < b.folded : a.name < b.name;
  });
  std::vector<fs::directory_entry> entries;
  entries.reserve(keyed.size());
  for (Keyed& k : keyed) entries.push_back(std::move(k.entry));
  return entries;
}

void Search(const fs::path& folder, ScanProgress& progress, std::vector<std::string>& found) {
  for (const fs::directory_entry& entry : SortedEntries(folder)) {
    if (progress.Cancelled()) return;
    std::error_code error;
    // A linked folder is not followed: a link to a parent would never end.
    if (entry.symlink_status(error).type() == fs::file_type::directory) {
      Search(entry.path(), progress, found);
      continue;
    }
    const std::string path = entry.path().string();
    progress.Looking(kSearching + path);
    const std::string name = entry.path().filename().string();
    if ((name.ends_with(".wav") || name.ends_with(".WAV")) && IsWaveFile(path))
      found.push_back(path);
  }
}

// Loads the files into slots 0, 1, ... until 64 are filled or the user cancels, reporting
// "Loading... PATH"; with `check`, files that fail the wave check are skipped.
KitBuild LoadInOrder(const std::vector<std::string>& files, bool check, ScanProgress& progress) {
  KitBuild build;
  HeldMessages held;
  for (const std::string& path : files) {
    if (build.instruments.size() == static_cast<size_t>(CKit::kSlots) || progress.Cancelled())
      break;
    if (check && !IsWaveFile(path)) continue;
    build.status = kLoading + path;
    progress.Looking(build.status);
    build.instruments.emplace_back();
    FillSlot(build.instruments.back(), path, &held);
  }
  build.messages = std::move(held.messages);
  return build;
}

}  // namespace

void EmptySlot(CInstrument& slot) {
  slot.samplePath = kNotUsed;
  std::vector<float>().swap(slot.data);  // frees the memory, not just the length
  slot.loop = false;
  slot.fade = false;
  slot.rootKey = 60;
}

void EmptySlots(CKit& kit) {
  for (int i = 0; i < CKit::kSlots; ++i) EmptySlot(kit[i]);
}

int FirstEmptySlot(const CKit& kit) {
  for (int i = 0; i < CKit::kSlots; ++i)
    if (kit[i].data.empty()) return i;
  return -1;
}

bool FillSlot(CInstrument& slot, const std::string& path, Notifier* notifier, int* error) {
  slot.samplePath = path;
  slot.loop = false;
  slot.fade = false;
  if (LoadWave(path, slot, notifier, nullptr, error)) return true;
  std::vector<float>().swap(slot.data);
  return false;
}

void ApplyKitBuild(CKit& kit, KitBuild& build) {
  EmptySlots(kit);
  const int count = std::min<int>(CKit::kSlots, static_cast<int>(build.instruments.size()));
  for (int i = 0; i < count; ++i) {
    CInstrument& from = build.instruments[static_cast<size_t>(i)];
    kit[i].samplePath = std::move(from.samplePath);
    kit[i].data = std::move(from.data);
    kit[i].rootKey = from.rootKey;
  }
}

std::vector<std::string> FolderWaveFiles(const std::string& folder) {
  std::vector<std::string> files;
  for (const fs::directory_entry& entry : SortedEntries(folder)) {
    std::error_code error;
    if (!entry.is_directory(error) && EndsWithWavAnyCase(entry.path().filename().string()))
      files.push_back(entry.path().string());
  }
  return files;
}

std::vector<std::string> FindWaveFiles(const std::string& root, ScanProgress& progress) {
  std::vector<std::string> found;
  Search(root, progress, found);
  return found;
}

std::vector<std::string> DrawKitFiles(std::vector<std::string> candidates,
                                      const std::function<int(int n)>& index) {
  if (candidates.size() <= static_cast<size_t>(CKit::kSlots)) return candidates;
  std::vector<std::string> chosen;
  for (int i = 0; i < CKit::kSlots; ++i) {
    const int last = static_cast<int>(candidates.size()) - 1;
    const auto r = static_cast<size_t>(std::clamp(index(last), 0, last));
    chosen.push_back(std::move(candidates[r]));
    candidates.erase(candidates.begin() + static_cast<std::ptrdiff_t>(r));
  }
  return chosen;
}

KitBuild BuildKitFromFolder(const std::string& folder, ScanProgress& progress) {
  return LoadInOrder(FolderWaveFiles(folder), true, progress);
}

KitBuild BuildKitFromTree(const std::string& root, const std::function<int(int n)>& index,
                          ScanProgress& progress) {
  // The candidates have passed the wave check already.
  return LoadInOrder(DrawKitFiles(FindWaveFiles(root, progress), index), false, progress);
}

std::string SliceName(const std::string& path, int slice) {
  // Only the file name's extension goes: a dot in a folder's name stays.
  const size_t nameStart = path.size() - FileNameOf(path).size();
  const size_t dot = path.rfind('.');
  const std::string stem =
      dot != std::string::npos && dot >= nameStart ? path.substr(0, dot) : path;
  char suffix[24];
  std::snprintf(suffix, sizeof suffix, "_kit%02d.wav", slice + 1);
  return stem + suffix;
}

bool AnySliceExists(const std::string& path) {
  for (int i = 0; i < CKit::kSlots; ++i) {
    std::error_code error;
    if (fs::exists(SliceName(path, i), error)) return true;
  }
  return false;
}

KitBuild SliceSample(const CInstrument& source, const std::string& path,
                     std::vector<std::string>& failed, int* error) {
  KitBuild build;
  HeldMessages held;
  const std::uint64_t n = source.Length();
  std::vector<float> slice;
  for (int i = 0; i < CKit::kSlots; ++i) {
    const auto begin = static_cast<size_t>(i * n / CKit::kSlots);
    const auto end = static_cast<size_t>((i + 1) * n / CKit::kSlots);
    slice.assign(source.data.begin() + static_cast<std::ptrdiff_t>(begin),
                 source.data.begin() + static_cast<std::ptrdiff_t>(end));
    const std::string name = SliceName(path, i);
    int reason = 0;
    if (!WriteWave(name, slice.data(), static_cast<std::uint32_t>(slice.size()), 1, &reason)) {
      if (failed.empty() && error) *error = reason;
      failed.push_back(name);
    }
    build.instruments.emplace_back();
    FillSlot(build.instruments.back(), name, &held);
  }
  build.messages = std::move(held.messages);
  return build;
}

}  // namespace tond
